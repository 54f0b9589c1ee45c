// The registry of every placed slot and the questions asked of it.
#include "sim/slots/SlotQueries.h"
#include "engine/core/GLifetime.h"
#include "sim/definitions/SIM_DataNames.h"

#include <algorithm>

#include "platform/core/PTraceSpan.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_Tile.h"

SlotQueries& SlotQueries::Instance()
{
    return GLifetime::Get<SlotQueries>();
}

SlotQueries::~SlotQueries()
{
    // Program exit: the game's root goes before this registry and ends a game still running, so
    // its slots are gone. One placed without a game would reach, while it goes, into objects that
    // may be gone already: it is left to the operating system.
    m_allSlots.clear();
    m_productionSlots.clear();
    for (auto& owned : m_owned)
        (void)owned.second.slot.release();
}

namespace
{
bool IsProductionSlot(const SIM_PlaceableSlot* slot)
{
    if (slot->IsFacility())
        return false;
    const SIM_BaseTask* task = slot->GetTask();
    return !(task && task->IsConveyor());
}
} // namespace

SIM_PlaceableSlot* SlotQueries::Adopt(std::unique_ptr<SIM_PlaceableSlot> slot)
{
    SIM_PlaceableSlot* placed = slot.get();
    if (!placed)
        return nullptr;
    if (m_newestFirst)
        ListOldestFirst();
    Placed& entry = m_owned[placed];
    entry.slot = std::move(slot);
    entry.order = m_nextOrder++;
    entry.listed = true;
    m_allSlots.push_back(placed);
    ++m_lookedAt;
    return placed;
}

void SlotQueries::Destroy(SIM_PlaceableSlot* slot)
{
    auto it = m_owned.find(slot);
    if (it == m_owned.end())
        return;
    RemoveSlot(slot);
    std::unique_ptr<SIM_PlaceableSlot> doomed = std::move(it->second.slot);
    m_owned.erase(it);
    doomed.reset();
}

uint64_t SlotQueries::OrderOf(const SIM_PlaceableSlot* slot) const
{
    auto it = m_owned.find(slot);
    return it == m_owned.end() ? UINT64_MAX : it->second.order;
}

std::ptrdiff_t SlotQueries::PositionIn(const std::vector<SIM_PlaceableSlot*>& list, const SIM_PlaceableSlot* slot,
                                       uint64_t order)
{
    if (list.empty())
        return -1;
    ++m_lookedAt;
    if (list.back() == slot)
        return static_cast<std::ptrdiff_t>(list.size()) - 1;
    // The lists keep placement order (or its reverse), so the placement number finds the place.
    size_t low = 0;
    size_t high = list.size();
    while (low < high)
    {
        const size_t middle = low + (high - low) / 2;
        ++m_lookedAt;
        const uint64_t at = OrderOf(list[middle]);
        if (m_newestFirst ? at > order : at < order)
            low = middle + 1;
        else
            high = middle;
    }
    return low < list.size() && list[low] == slot ? static_cast<std::ptrdiff_t>(low) : -1;
}

void SlotQueries::RemoveSlot(SIM_PlaceableSlot* slot)
{
    auto it = m_owned.find(slot);
    if (it == m_owned.end())
        return;
    Placed& placed = it->second;
    for (auto [list, flag] :
         {std::pair{&m_allSlots, &placed.listed}, std::pair{&m_productionSlots, &placed.production}})
    {
        if (!*flag)
            continue;
        const std::ptrdiff_t position = PositionIn(*list, slot, placed.order);
        if (position >= 0)
            list->erase(list->begin() + position);
        *flag = false;
    }
    if (m_allSlots.empty() && m_productionSlots.empty())
        m_newestFirst = false;
}

void SlotQueries::ListProductionSlot(SIM_PlaceableSlot* slot)
{
    auto it = m_owned.find(slot);
    if (it == m_owned.end() || !it->second.listed || it->second.production || !IsProductionSlot(slot))
        return;
    if (m_newestFirst)
        ListOldestFirst();
    const uint64_t order = it->second.order;
    it->second.production = true;
    ++m_lookedAt;
    // Nearly always the newest slot, which goes at the end.
    if (m_productionSlots.empty() || OrderOf(m_productionSlots.back()) < order)
    {
        m_productionSlots.push_back(slot);
        return;
    }
    size_t low = 0;
    size_t high = m_productionSlots.size();
    while (low < high)
    {
        const size_t middle = low + (high - low) / 2;
        ++m_lookedAt;
        if (OrderOf(m_productionSlots[middle]) < order)
            low = middle + 1;
        else
            high = middle;
    }
    m_productionSlots.insert(m_productionSlots.begin() + static_cast<std::ptrdiff_t>(low), slot);
}

void SlotQueries::RebuildProductionSlotList()
{
    if (m_newestFirst)
        ListOldestFirst();
    for (SIM_PlaceableSlot* slot : m_productionSlots)
        m_owned[slot].production = false;
    m_productionSlots.clear();
    for (SIM_PlaceableSlot* slot : m_allSlots)
    {
        ++m_lookedAt;
        if (!IsProductionSlot(slot))
            continue;
        m_productionSlots.push_back(slot);
        m_owned[slot].production = true;
    }
}

void SlotQueries::ListNewestFirst()
{
    if (m_newestFirst)
        return;
    std::reverse(m_allSlots.begin(), m_allSlots.end());
    std::reverse(m_productionSlots.begin(), m_productionSlots.end());
    m_lookedAt += m_allSlots.size() + m_productionSlots.size();
    m_newestFirst = true;
}

void SlotQueries::ListOldestFirst()
{
    std::reverse(m_allSlots.begin(), m_allSlots.end());
    std::reverse(m_productionSlots.begin(), m_productionSlots.end());
    m_lookedAt += m_allSlots.size() + m_productionSlots.size();
    m_newestFirst = false;
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
        if (slot->GetResourceReceiver()) // a production slot with an input stockpile
            slot->SetNearestImportBay(nullptr);
}

size_t RecalculateNearestBayAround(std::vector<SIM_Tile*> goals, const std::vector<int32_t>& runs)
{
    PTraceSpan span("RecalculateNearestBay");
    size_t asked = 0;
    std::sort(goals.begin(), goals.end());
    goals.erase(std::unique(goals.begin(), goals.end()), goals.end());
    for (SIM_Tile* goal : goals)
    {
        auto* slot = goal ? dynamic_cast<SIM_ProductionSlot*>(goal->m_occupant) : nullptr;
        const SIM_ResourceStockpile* stockpile = slot ? slot->GetInputStockpile() : nullptr;
        if (!stockpile || stockpile->GetTile() != goal)
            continue;
        slot->SetNearestImportBay(nullptr);
        ++asked;
    }
    if (runs.empty())
        return asked;
    // The stations of the grown runs; those asked already are not counted again.
    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
    {
        const auto* production = static_cast<const SIM_ProductionSlot*>(slot);
        const SIM_ResourceStockpile* stockpile = production ? production->GetInputStockpile() : nullptr;
        if (!stockpile || std::find(runs.begin(), runs.end(), conveyors.RunOf(stockpile->GetTile())) == runs.end())
            continue;
        if (!std::binary_search(goals.begin(), goals.end(), stockpile->GetTile()))
            ++asked;
        slot->SetNearestImportBay(nullptr);
    }
    return asked;
}
