// A registry of the simulation: the items in the order they were added, found by name. A
// definition registry (tasks, facilities, props, resources, upgrades, component types, features)
// owns what it loads; a floor registry (the supply and component stockpiles) only lists objects
// that belong to their slots. Each manager keeps its own name, load rule and reports around it.
#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

enum class SIM_Holding
{
    Owns,   // the registry deletes its items when it is cleared or destroyed
    Refers, // the items belong to someone else and leave the registry before they are deleted
};

template <class T, SIM_Holding Holding = SIM_Holding::Owns>
class SIM_Registry
{
public:
    // Appends an item the registry takes over; returns it.
    T* Add(std::unique_ptr<T> item) requires(Holding == SIM_Holding::Owns)
    {
        T* added = item.get();
        if (!added)
            return nullptr;
        m_owned.push_back(std::move(item));
        m_items.push_back(added);
        return added;
    }
    // Lists an item once; false when it is null or already listed.
    bool Register(T* item) requires(Holding == SIM_Holding::Refers)
    {
        if (!item || Contains(item))
            return false;
        m_items.push_back(item);
        return true;
    }
    // Takes an item off the list; false when it was not listed.
    bool Unregister(T* item) requires(Holding == SIM_Holding::Refers)
    {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        if (it == m_items.end())
            return false;
        m_items.erase(it);
        return true;
    }
    // Takes an owned item off the list and deletes it; false when it was not listed.
    bool Destroy(T* item) requires(Holding == SIM_Holding::Owns)
    {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        if (it == m_items.end())
            return false;
        m_items.erase(it);
        m_owned.erase(std::find_if(m_owned.begin(), m_owned.end(),
                                   [item](const std::unique_ptr<T>& owned) { return owned.get() == item; }));
        return true;
    }
    // Empties the registry (deleting what it owns).
    void Clear()
    {
        m_items.clear();
        m_owned.clear();
    }
    // The first item, in the current order, whose name is exactly this one; null when none.
    T* Find(const std::string& name) const
    {
        for (T* item : m_items)
            if (item->m_name == name)
                return item;
        return nullptr;
    }
    bool Contains(const T* item) const { return std::find(m_items.begin(), m_items.end(), item) != m_items.end(); }
    // Reorders the items; equal items keep their order, the same on every machine.
    template <class Less>
    void StableSort(Less less)
    {
        std::stable_sort(m_items.begin(), m_items.end(), less);
    }

    const std::vector<T*>& Items() const { return m_items; }
    bool IsEmpty() const { return m_items.empty(); }

private:
    std::vector<T*> m_items;                 // in order; points into m_owned when the registry owns
    std::vector<std::unique_ptr<T>> m_owned; // in the order added; empty when it only refers
};
