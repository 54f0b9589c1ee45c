// A slot's recent state changes and the share of time it spent in each state.
#include "sim/slots/SIM_SlotStateHistory.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_RepeatLog.h"

void SIM_SlotStateHistory::Record(int state)
{
    RecordAt(state, SIM_Game::Instance().GetGameTime());
}

void SIM_SlotStateHistory::RecordAt(int state, float now)
{
    if (m_current != -1)
    {
        Entry& open = m_entries[m_current];
        FV_ASSERT(open.end == -1.0f);
        open.end = now;
        m_current = -1;
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
}

float SIM_SlotStateHistory::GetStateFraction(int state, float windowMs) const
{
    return GetStateFractionAt(state, windowMs, SIM_Game::Instance().GetGameTime());
}

float SIM_SlotStateHistory::GetStateFractionAt(int state, float windowMs, float now) const
{
    // States the game does not have never match an entry: their share is 0.
    if (state < 0 || state >= kMaxStates)
        return 0.0f;
    float shares[kMaxStates];
    GetStateFractionsAt(shares, state + 1, windowMs, now);
    return shares[state];
}

void SIM_SlotStateHistory::GetStateFractions(float* shares, int count, float windowMs) const
{
    GetStateFractionsAt(shares, count, windowMs, SIM_Game::Instance().GetGameTime());
}

void SIM_SlotStateHistory::GetStateFractionsAt(float* shares, int count, float windowMs, float now) const
{
    // The time in each state and in all, summed entry by entry in one walk.
    if (count > kMaxStates)
        count = kMaxStates;
    float inState[kMaxStates] = {};
    const float from = now - windowMs;
    float total = 0.0f;
    for (const Entry& entry : m_entries)
    {
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

void SIM_SlotStateHistory::FindCurrentEntry()
{
    m_current = -1;
    for (int i = 0; i < kEntryCount; ++i)
        if (m_entries[i].valid && m_entries[i].end == -1.0f)
            m_current = i;
}
