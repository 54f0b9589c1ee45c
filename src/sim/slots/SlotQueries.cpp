// The registry of every placed slot and the questions asked of it.
#include "sim/slots/SlotQueries.h"
#include "sim/definitions/SIM_DataNames.h"

#include <algorithm>

#include "platform/core/PTraceSpan.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"

SlotQueries& SlotQueries::Instance()
{
    static SlotQueries instance;
    return instance;
}

SlotQueries::~SlotQueries()
{
    // Program exit: a slot's destructor reaches into other singletons that may be gone already,
    // so the slots of a game that was never reset are left to the operating system.
    m_allSlots.clear();
    m_productionSlots.clear();
    for (std::unique_ptr<SIM_PlaceableSlot>& slot : m_owned)
        (void)slot.release();
}

SIM_PlaceableSlot* SlotQueries::Adopt(std::unique_ptr<SIM_PlaceableSlot> slot)
{
    SIM_PlaceableSlot* placed = slot.get();
    if (!placed)
        return nullptr;
    m_owned.push_back(std::move(slot));
    m_allSlots.push_back(placed);
    return placed;
}

void SlotQueries::Destroy(SIM_PlaceableSlot* slot)
{
    auto it = std::find_if(m_owned.begin(), m_owned.end(),
                           [slot](const std::unique_ptr<SIM_PlaceableSlot>& owned) { return owned.get() == slot; });
    if (it == m_owned.end())
        return;
    std::unique_ptr<SIM_PlaceableSlot> doomed = std::move(*it);
    m_owned.erase(it);
    RemoveSlot(slot);
    doomed.reset();
}

void SlotQueries::RemoveSlot(SIM_PlaceableSlot* slot)
{
    m_allSlots.erase(std::remove(m_allSlots.begin(), m_allSlots.end(), slot), m_allSlots.end());
    m_productionSlots.erase(std::remove(m_productionSlots.begin(), m_productionSlots.end(), slot),
                            m_productionSlots.end());
}

void SlotQueries::RebuildProductionSlotList()
{
    m_productionSlots.clear();
    for (SIM_PlaceableSlot* slot : m_allSlots)
    {
        if (slot->IsFacility())
            continue;
        const SIM_BaseTask* task = slot->GetTask();
        if (task && task->IsConveyor())
            continue;
        m_productionSlots.push_back(slot);
    }
}

int SlotQueries::CountResearchOffices() const
{
    int count = 0;
    for (const SIM_PlaceableSlot* slot : m_allSlots)
        if (slot->GetTask() && slot->GetTask()->m_name == SIM_DataNames::kFacResearchOffice)
            ++count;
    return count;
}

float SlotQueries::GetResearchPointsEarned() const
{
    float points = 0.0f;
    for (const SIM_PlaceableSlot* slot : m_allSlots)
    {
        if (!slot->IsFacility() || !slot->GetTask() || slot->GetTask()->m_name != SIM_DataNames::kFacResearchOffice)
            continue;
        points += static_cast<const SIM_FacilitySlot*>(slot)->GetTaskNumber(SIM_DataNames::kKeyResearchPoints);
    }
    return points;
}

void RecalculateNearestBay()
{
    PTraceSpan span("RecalculateNearestBay");
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
        if (static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile())
            slot->SetNearestImportBay(nullptr);
}
