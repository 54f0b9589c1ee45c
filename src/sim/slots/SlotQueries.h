// The registry of every placed slot, in order of placement, with the production slots (no
// facilities, no conveyors) as a second list; the power account and the screens walk it. It owns
// the placed slots: the placement operations hand a slot over when it is placed and have it
// deleted when it is removed.
#pragma once
#include <memory>
#include <vector>

class SIM_PlaceableSlot;

class SlotQueries
{
public:
    static SlotQueries& Instance();

    // Takes the slot over and appends it to the list of placed slots. Main thread.
    SIM_PlaceableSlot* Adopt(std::unique_ptr<SIM_PlaceableSlot> slot);
    // Deletes a placed slot (SIM_Placement::RemoveSlot takes it off the floor first). Main thread.
    void Destroy(SIM_PlaceableSlot* slot);
    // Takes the slot off both lists without deleting it (its destructor calls this).
    void RemoveSlot(SIM_PlaceableSlot* slot);
    void RebuildProductionSlotList();
    int CountResearchOffices() const;
    float GetResearchPointsEarned() const;

    const std::vector<SIM_PlaceableSlot*>& GetAllSlots() const { return m_allSlots; }
    const std::vector<SIM_PlaceableSlot*>& GetProductionSlots() const { return m_productionSlots; }

private:
    SlotQueries() = default;
    ~SlotQueries();
    std::vector<std::unique_ptr<SIM_PlaceableSlot>> m_owned; // in no particular order
    std::vector<SIM_PlaceableSlot*> m_allSlots;              // in order of placement
    std::vector<SIM_PlaceableSlot*> m_productionSlots;
};

// The floor's conveyors or import bays changed: every production slot with an input stockpile
// forgets its nearest import bay and looks again at its next route check.
void RecalculateNearestBay();
