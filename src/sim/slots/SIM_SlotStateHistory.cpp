// A slot's recent state changes and the share of time it spent in each state.
#include "sim/slots/SIM_SlotStateHistory.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_RepeatLog.h"

#include <algorithm>

void SIM_SlotStateHistory::Record(int state, float now)
{
    if (m_current != -1)
    {
        Entry& open = m_entries[m_current];
        FV_ASSERT(open.end == -1.0f);
        open.end = now;
        m_current = -1;
    }
    // Recorded at a time earlier than the last change (only a caller passing its own times can),
    // the order no longer tells which entries the window reaches: every query reads them all.
    if (m_orderKnown && m_orderCount >= 2)
    {
        const Entry& before = m_entries[m_order[m_orderCount - 2]];
        const Entry& last = m_entries[m_order[m_orderCount - 1]];
        if (before.end == -1.0f || last.end == -1.0f || last.end < before.end)
            m_orderKnown = false;
    }

    int free = FindFreeEntry();
    if (free < 0)
    {
        Prune(now);
        free = FindFreeEntry();
    }
    if (free < 0)
    {
        // No entry is left open: the next change must not reopen and rewrite the entry that was
        // just closed, or the shares of the last seconds would no longer add up.
        FV_REPORT_REPEATING("Too many slot state changes in 30s!", "", "");
        return;
    }

    Entry& entry = m_entries[free];
    entry.valid = 1;
    entry.start = now;
    entry.end = -1.0f;
    entry.state = state;
    m_current = free;
    if (m_orderKnown && m_orderCount < kEntryCount)
        m_order[m_orderCount++] = static_cast<int16_t>(free);
}

int SIM_SlotStateHistory::FindFreeEntry() const
{
    for (int i = 0; i < kEntryCount; ++i)
        if (!m_entries[i].valid)
            return i;
    return -1;
}

void SIM_SlotStateHistory::Prune(float now)
{
    for (Entry& entry : m_entries)
        if (entry.valid && entry.end != -1.0f && entry.end < now - kKeepMs)
            entry.valid = 0;
    // The freed entries leave the order; the others keep theirs.
    int32_t kept = 0;
    for (int32_t k = 0; k < m_orderCount; ++k)
        if (m_entries[m_order[k]].valid)
            m_order[kept++] = m_order[k];
    m_orderCount = kept;
}

void SIM_SlotStateHistory::RebuildOrder()
{
    m_orderCount = 0;
    for (int i = 0; i < kEntryCount; ++i)
        if (m_entries[i].valid)
            m_order[m_orderCount++] = static_cast<int16_t>(i);
    // By start time, equal starts in index order. The entries are a ring: once it has wrapped,
    // its oldest entries follow its newest. Recorded one after the other, as a load also writes
    // them back, they are two runs in order, the newer all later than the older: turned round
    // rather than sorted, which would cost a buffer and every comparison at each slot of a load.
    const auto byStart = [this](int16_t a, int16_t b) { return m_entries[a].start < m_entries[b].start; };
    int16_t* first = m_order;
    int16_t* last = m_order + m_orderCount;
    int16_t* newest = std::is_sorted_until(first, last, byStart);
    if (newest != last)
    {
        if (std::is_sorted(newest, last, byStart) && byStart(*(last - 1), *first))
            std::rotate(first, newest, last);
        else
            std::stable_sort(first, last, byStart);
    }
    // Trusted when every entry but the last is closed and the ends do not go back in time.
    m_orderKnown = true;
    for (int32_t k = 0; k + 1 < m_orderCount; ++k)
    {
        const Entry& earlier = m_entries[m_order[k]];
        const Entry& later = m_entries[m_order[k + 1]];
        if (earlier.end == -1.0f || (later.end != -1.0f && later.end < earlier.end))
            m_orderKnown = false;
    }
}

float SIM_SlotStateHistory::GetStateFraction(int state, float windowMs, float now) const
{
    // States the game does not have never match an entry: their share is 0.
    if (state < 0 || state >= kMaxStates)
        return 0.0f;
    float shares[kMaxStates];
    GetStateFractions(shares, state + 1, windowMs, now);
    return shares[state];
}

void SIM_SlotStateHistory::GetStateFractions(float* shares, int count, float windowMs, float now) const
{
    // The time in each state and in all, summed entry by entry in index order.
    if (count > kMaxStates)
        count = kMaxStates;
    float inState[kMaxStates] = {};
    const float from = now - windowMs;
    // The entries the window can reach: walking back from the newest, the first one that ended
    // before the window began ends the walk, since every older one ended earlier still. They are
    // then summed in index order, as a walk over the whole history would sum them.
    int16_t reach[kEntryCount];
    int32_t reached = 0;
    if (m_orderKnown)
    {
        for (int32_t k = m_orderCount - 1; k >= 0; --k)
        {
            const Entry& entry = m_entries[m_order[k]];
            if (entry.end != -1.0f && entry.end < from)
                break;
            int32_t at = reached++;
            for (; at > 0 && reach[at - 1] > m_order[k]; --at)
                reach[at] = reach[at - 1];
            reach[at] = m_order[k];
        }
    }
    else
    {
        for (int i = 0; i < kEntryCount; ++i)
            reach[reached++] = static_cast<int16_t>(i);
    }
    float total = 0.0f;
    for (int32_t r = 0; r < reached; ++r)
    {
        const Entry& entry = m_entries[reach[r]];
        if (!entry.valid)
            continue;
        const bool open = entry.end == -1.0f;
        if (!open && entry.end < from)
            continue;
        const float end = open ? now : entry.end;
        const float start = entry.start < from ? from : entry.start;
        const float length = end - start;
        if (length <= 0.0f)
            continue;
        total += length;
        if (entry.state >= 0 && entry.state < count)
            inState[entry.state] += length;
    }
    for (int s = 0; s < count; ++s)
    {
        if (total <= 0.0f)
        {
            shares[s] = 0.0f;
            continue;
        }
        float result = inState[s] / total;
        FV_ASSERT(result >= 0.0f && result <= 1.0f);
        if (result > 1.0f)
            result = 1.0f;
        shares[s] = result;
    }
}

void SIM_SlotStateHistory::Restore(const Entry* entries, int count)
{
    count = std::clamp(count, 0, kEntryCount);
    std::copy(entries, entries + count, m_entries);
    std::fill(m_entries + count, m_entries + kEntryCount, Entry());
    m_orderKnown = false;
    FindCurrentEntry();
}

void SIM_SlotStateHistory::FindCurrentEntry()
{
    m_current = -1;
    for (int i = 0; i < kEntryCount; ++i)
        if (m_entries[i].valid && m_entries[i].end == -1.0f)
            m_current = i;
    RebuildOrder();
}
