// A list of pointers that its members join and leave by themselves, each without a search: a
// member keeps its place in the list (a GRosterPlace), which the list keeps up to date.
// A roster that keeps the order its members joined in (the order they are drawn in, say) leaves a
// gap where a member went and closes the gaps together, order kept, once they are half of the list
// and before the list is read. A roster whose order does not matter moves its last member into the
// gap at once. Either way, a floor of thousands taken down one by one moves each entry a few times
// at most, instead of moving the rest of the list up, or walking it, once for each member that goes.
// Unlike the simulation's indexed lists, which skip their gaps as they are walked, a roster is read
// as one vector without gaps: the view's draw loops read it by index, some entries ahead.
// A member leaves before it is deleted. Joining, leaving and reading an ordered roster: one thread
// (its owner's). An unordered roster may be read from jobs while nothing joins or leaves it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

// Entries the rosters looked at or moved since the start: one for each member that joined or
// left, one for the member moved into a gap, and one for each entry looked at while closing gaps.
// Tests check that taking a floor down costs a few for each member that goes. Any thread.
inline std::atomic<uint64_t>& GRosterWorkCount()
{
    static std::atomic<uint64_t> work{0};
    return work;
}
inline uint64_t GRosterWork()
{
    return GRosterWorkCount().load(std::memory_order_relaxed);
}

// Where a member stands in one roster. A copy stands nowhere: a copied member is not listed.
class GRosterPlace
{
public:
    GRosterPlace() = default;
    GRosterPlace(const GRosterPlace&) {}
    GRosterPlace& operator=(const GRosterPlace&) { return *this; }
    ~GRosterPlace() = default;

private:
    template <class T, bool KeepOrder>
    friend class GRoster;
    static constexpr size_t kNowhere = SIZE_MAX;
    size_t m_index = kNowhere;
};

template <class T, bool KeepOrder = true>
class GRoster
{
public:
    GRoster() = default;
    GRoster(const GRoster&) = delete;
    GRoster& operator=(const GRoster&) = delete;
    ~GRoster() = default;

    // Lists the member last; a member already on this roster stays where it is.
    void Join(T* member, GRosterPlace& place)
    {
        if (!member || Holds(place))
            return;
        place.m_index = m_members.size();
        m_members.push_back(member);
        m_places.push_back(&place);
        Count(1);
    }

    // Takes the member standing at that place off the list; a place on another roster, or on
    // none, is passed over.
    void Leave(GRosterPlace& place)
    {
        if (!Holds(place))
            return;
        const size_t index = place.m_index;
        place.m_index = GRosterPlace::kNowhere;
        Count(1);
        if constexpr (KeepOrder)
        {
            m_members[index] = nullptr;
            m_places[index] = nullptr;
            if (++m_gaps * 2 >= m_members.size())
                CloseGaps();
        }
        else
        {
            const size_t last = m_members.size() - 1;
            if (index != last)
            {
                m_members[index] = m_members[last];
                m_places[index] = m_places[last];
                m_places[index]->m_index = index;
                Count(1);
            }
            m_members.pop_back();
            m_places.pop_back();
        }
    }

    // Whether the member at that place is on this roster.
    bool Holds(const GRosterPlace& place) const
    {
        return place.m_index < m_places.size() && m_places[place.m_index] == &place;
    }

    // The members, in the order they joined when the roster keeps it.
    const std::vector<T*>& Members() const
    {
        CloseGaps();
        return m_members;
    }
    size_t Size() const { return m_members.size() - m_gaps; }
    bool Empty() const { return Size() == 0; }

    // Takes every member off at once without touching them: each keeps a place that no roster
    // holds, so its own leave later passes it over. For a whole floor about to go, whose members
    // lie far apart in memory.
    void Clear()
    {
        Count(1);
        m_members.clear();
        m_places.clear();
        m_gaps = 0;
    }

private:
    static void Count(size_t entries) { GRosterWorkCount().fetch_add(entries, std::memory_order_relaxed); }

    void CloseGaps() const
    {
        if (m_gaps == 0)
            return;
        Count(m_members.size());
        size_t kept = 0;
        for (size_t i = 0; i < m_members.size(); ++i)
        {
            if (!m_members[i])
                continue;
            if (kept != i)
            {
                m_members[kept] = m_members[i];
                m_places[kept] = m_places[i];
                m_places[kept]->m_index = kept;
            }
            ++kept;
        }
        m_members.resize(kept);
        m_places.resize(kept);
        m_gaps = 0;
    }

    // Closing the gaps does not change what the roster holds: reading it may close them.
    mutable std::vector<T*> m_members;
    mutable std::vector<GRosterPlace*> m_places; // each member's own
    mutable size_t m_gaps = 0;
};
