// A slot's short record of its state changes: answers what share of the last few seconds the
// slot spent in a state, for the slot's status pie and the factory's efficiency figures.
#pragma once
#include <cstdint>

class SIM_SlotStateHistory
{
public:
    static constexpr int kEntryCount = 128;
    // Entries that ended longer ago than this may be reused.
    static constexpr float kKeepMs = 30000.0f;

    struct Entry
    {
        float start = 0.0f; // running game time, ms
        float end = -1.0f;  // -1 while the entry is open
        int32_t state = 0;
        uint8_t valid = 0;
    };

    SIM_SlotStateHistory() = default;

    // Closes the open entry and opens one in the given state, at the running game time now.
    void Record(int state, float now);

    // States a share can be asked for: the slot states and room to spare.
    static constexpr int kMaxStates = 16;

    // Share 0..1 of the windowMs game milliseconds up to now spent in the state.
    float GetStateFraction(int state, float windowMs, float now) const;
    // The shares of states 0 .. count - 1 (at most kMaxStates) at once: the efficiency sample asks
    // for all seven of every slot. Only the entries of the window are read, not the whole history.
    void GetStateFractions(float* shares, int count, float windowMs, float now) const;

    // After a savegame restored the entries: the last valid open entry becomes current.
    void FindCurrentEntry();
    // A savegame's entries (at most kEntryCount) in place of all there were, then
    // FindCurrentEntry: a load restores every slot's history at once, not entry by entry.
    void Restore(const Entry* entries, int count);

    // Frees every entry that ended more than kKeepMs before now.
    void Prune(float now);

    int GetCurrentIndex() const { return m_current; }
    const Entry& GetEntry(int index) const { return m_entries[index]; }
    // The savegame reader writes entries back before FindCurrentEntry.
    Entry& EditEntry(int index)
    {
        m_orderKnown = false;
        return m_entries[index];
    }

private:
    int FindFreeEntry() const;
    // Orders the valid entries by time again; the order is trusted only when their ends follow
    // each other (as entries recorded one after the other do).
    void RebuildOrder();

    int32_t m_current = -1;
    Entry m_entries[kEntryCount];
    // The valid entries in the order they were recorded, so the newest are found without
    // reading the rest: each entry ends no later than the next one.
    int16_t m_order[kEntryCount] = {};
    int32_t m_orderCount = 0;
    bool m_orderKnown = true;
};
