// The registry of every placed slot, in order of construction, with the production slots (no
// facilities, no conveyors) as a second list; the power account and the screens walk it.
#pragma once
#include <vector>

class SIM_PlaceableSlot;

class SlotQueries
{
public:
    static SlotQueries& Instance();

    void Add(SIM_PlaceableSlot* slot);
    // Takes the slot off both lists.
    void RemoveSlot(SIM_PlaceableSlot* slot);
    void RebuildProductionSlotList();
    int CountResearchOffices() const;
    float GetResearchPointsEarned() const;

    const std::vector<SIM_PlaceableSlot*>& GetAllSlots() const { return m_allSlots; }
    const std::vector<SIM_PlaceableSlot*>& GetProductionSlots() const { return m_productionSlots; }

private:
    SlotQueries() = default;
    std::vector<SIM_PlaceableSlot*> m_allSlots;
    std::vector<SIM_PlaceableSlot*> m_productionSlots;
};

// The floor's conveyors or import bays changed: every production slot with an input stockpile
// forgets its nearest import bay and looks again at its next route check.
void RecalculateNearestBay();
