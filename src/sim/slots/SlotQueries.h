// The registry of every placed slot, in order of placement, with the production slots (no
// facilities, no conveyors) as a second list; the power account and the screens walk it. It owns
// the placed slots: the placement operations hand a slot over when it is placed and have it
// deleted when it is removed.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class SIM_PlaceableSlot;
class SIM_Tile;

class SlotQueries
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SlotQueries& Instance();

    // Takes the slot over and appends it to the list of placed slots. Main thread.
    SIM_PlaceableSlot* Adopt(std::unique_ptr<SIM_PlaceableSlot> slot);
    // Deletes a placed slot (SIM_Placement::RemoveSlot takes it off the floor first). Main thread.
    void Destroy(SIM_PlaceableSlot* slot);
    // Takes the slot off both lists without deleting it (its destructor calls this). Main thread.
    void RemoveSlot(SIM_PlaceableSlot* slot);
    // A placed slot whose task is now applied joins the production list when it is a production
    // slot (no facility, no conveyor task), at its place in placement order. Main thread.
    void ListProductionSlot(SIM_PlaceableSlot* slot);
    void RebuildProductionSlotList();
    // Game teardown: both lists turn round, newest first, so that taking the slots off in
    // placement order takes each off the end of the lists. The next slot adopted turns them back.
    // Main thread.
    void ListNewestFirst();
    // Positions in the lists looked at since the start, by adopting, listing and removing slots:
    // tests check that taking one slot off does not walk the list.
    uint64_t EntriesLookedAt() const { return m_lookedAt; }
    int CountResearchOffices() const;
    float GetResearchPointsEarned() const;

    const std::vector<SIM_PlaceableSlot*>& GetAllSlots() const { return m_allSlots; }
    const std::vector<SIM_PlaceableSlot*>& GetProductionSlots() const { return m_productionSlots; }

private:
    // A slot the registry owns, with its number in placement order.
    struct Placed
    {
        std::unique_ptr<SIM_PlaceableSlot> slot;
        uint64_t order = 0;
        bool listed = false;     // in m_allSlots
        bool production = false; // in m_productionSlots
    };

    SlotQueries() = default;
    ~SlotQueries();
    // Where the slot stands in a list (ordered by placement, or the reverse while newest first);
    // -1 when it is not there. The last entry first, then a halving search by placement number.
    std::ptrdiff_t PositionIn(const std::vector<SIM_PlaceableSlot*>& list, const SIM_PlaceableSlot* slot,
                              uint64_t order);
    uint64_t OrderOf(const SIM_PlaceableSlot* slot) const;
    void ListOldestFirst();

    std::unordered_map<const SIM_PlaceableSlot*, Placed> m_owned;
    std::vector<SIM_PlaceableSlot*> m_allSlots; // in order of placement
    std::vector<SIM_PlaceableSlot*> m_productionSlots;
    uint64_t m_nextOrder = 0;
    bool m_newestFirst = false;
    uint64_t m_lookedAt = 0;
};

// The floor's conveyors or import bays changed: every production slot with an input stockpile
// forgets its nearest import bay and looks again at its next route check.
void RecalculateNearestBay();
// Main thread. Some conveyors changed: only the production slots whose nearest bay may be another
// now look again: those whose input stockpile stands on one of the goals (a route or measurement
// to it was forgotten, or its own tile changed) and those whose stockpile's run of conveyors is
// one of `runs` (joined to another or brought beside a bay). Returns how many were sent looking.
size_t RecalculateNearestBayAround(std::vector<SIM_Tile*> goals, const std::vector<int32_t>& runs);
