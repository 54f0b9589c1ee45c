// A list of the floor's many objects (conveyor pieces, staff, hourly costs) in the order they
// joined it, where joining, leaving and asking whether an object is listed cost the same however
// long the list is: every object carries its own index into the list. One that leaves leaves a gap
// that walks skip; once the gaps outnumber the objects they are squeezed out, so a walk never looks
// at more than twice as many entries as there are objects, and the order never changes.
//
// Changes on the main thread; walks also on worker threads while the main thread waits for them.
#pragma once
#include "sim/SIM_Registry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

template <class T, int32_t T::*Index, SIM_Holding Holding = SIM_Holding::Refers>
class SIM_IndexedList
{
    using Entry = std::conditional_t<Holding == SIM_Holding::Owns, std::unique_ptr<T>, T*>;

    static T* Raw(const std::unique_ptr<T>& entry) { return entry.get(); }
    static T* Raw(T* entry) { return entry; }

public:
    class Iterator
    {
    public:
        using value_type = T*;
        using difference_type = std::ptrdiff_t;

        Iterator(const Entry* at, const Entry* end) : m_at(at), m_end(end) { SkipGaps(); }
        T* operator*() const { return Raw(*m_at); }
        Iterator& operator++()
        {
            ++m_at;
            SkipGaps();
            return *this;
        }
        bool operator==(const Iterator& other) const { return m_at == other.m_at; }
        bool operator!=(const Iterator& other) const { return m_at != other.m_at; }

    private:
        void SkipGaps()
        {
            while (m_at != m_end && !*m_at)
                ++m_at;
        }
        const Entry* m_at;
        const Entry* m_end;
    };

    SIM_IndexedList() = default;
    SIM_IndexedList(const SIM_IndexedList&) = delete;
    SIM_IndexedList& operator=(const SIM_IndexedList&) = delete;

    // Appends an object that is not listed yet; false when it is null or listed already.
    bool Add(Entry item)
    {
        T* raw = Raw(item);
        if (!raw || Contains(raw))
            return false;
        raw->*Index = static_cast<int32_t>(m_entries.size());
        m_entries.push_back(std::move(item));
        ++m_count;
        ++m_touched;
        return true;
    }

    // Takes the object off the list; false when it was not listed. An owning list deletes it,
    // after it is off the list.
    bool Remove(const T* item)
    {
        if (!Contains(item))
            return false;
        Entry taken = std::move(m_entries[static_cast<size_t>(item->*Index)]);
        m_entries[static_cast<size_t>(item->*Index)] = nullptr;
        Raw(taken)->*Index = -1;
        --m_count;
        ++m_touched;
        if (m_entries.size() - m_count > m_count)
            Squeeze();
        return true;
    }

    // One look at the object's own index. An index left over from a list that was emptied, or
    // from another list, names another entry (or none) and so does not count.
    bool Contains(const T* item) const
    {
        if (!item)
            return false;
        const int32_t index = item->*Index;
        return index >= 0 && static_cast<size_t>(index) < m_entries.size() &&
               Raw(m_entries[static_cast<size_t>(index)]) == item;
    }

    // Empties the list; an owning list deletes its objects after the list is empty, so an object
    // that asks the list about itself while it goes finds it unlisted.
    void Clear()
    {
        std::vector<Entry> entries;
        entries.swap(m_entries);
        m_count = 0;
        entries.clear();
    }

    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    Iterator begin() const { return Iterator(m_entries.data(), m_entries.data() + m_entries.size()); }
    Iterator end() const { return Iterator(m_entries.data() + m_entries.size(), m_entries.data() + m_entries.size()); }

    // Entries looked at, written or moved since the list was made: tests check that it follows
    // the objects that joined and left, not the length of the list.
    uint64_t EntriesTouched() const { return m_touched; }

    // Program exit: the objects of an owning list are left to the operating system, for their
    // destructors may reach singletons that are gone already.
    void Abandon() requires(Holding == SIM_Holding::Owns)
    {
        for (Entry& entry : m_entries)
            (void)entry.release();
        m_entries.clear();
        m_count = 0;
    }

private:
    // Closes the gaps, keeping the order, and tells each moved object its new index.
    void Squeeze()
    {
        size_t kept = 0;
        for (Entry& entry : m_entries)
        {
            ++m_touched;
            if (!entry)
                continue;
            Raw(entry)->*Index = static_cast<int32_t>(kept);
            if (&m_entries[kept] != &entry)
                m_entries[kept] = std::move(entry);
            ++kept;
        }
        m_entries.resize(kept);
    }

    std::vector<Entry> m_entries; // in order of joining; null where an object left
    size_t m_count = 0;           // the objects listed
    uint64_t m_touched = 0;
};
