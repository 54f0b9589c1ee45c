// The component stockpiles of the floor and which of them can serve a stockpile.
#include "sim/flow/SIM_ComponentStockpileManager.h"

#include "engine/core/GLifetime.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_NearestByRoute.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/slots/SIM_ProductionSlot.h"

#include <algorithm>

SIM_ComponentStockpileManager& SIM_ComponentStockpileManager::Instance()
{
    return GLifetime::Get<SIM_ComponentStockpileManager>();
}

void SIM_ComponentStockpileManager::Register(SIM_ComponentStockpile* stockpile)
{
    if (m_stockpiles.Add(stockpile))
        FlowVersions::NoteSourcesChanged();
}

void SIM_ComponentStockpileManager::Unregister(SIM_ComponentStockpile* stockpile)
{
    if (m_stockpiles.Remove(stockpile))
        FlowVersions::NoteSourcesChanged();
}

bool SIM_ComponentStockpileManager::CanServe(SIM_Tile* goal, const SIM_Resource* resource, bool& undecided)
{
    undecided = false;
    if (!goal || !resource)
        return false;
    RouteTable& routes = RouteTable::Instance();
    for (SIM_ComponentStockpile* stockpile : m_stockpiles)
    {
        const SIM_ProductionSlot* slot = stockpile->GetSlot();
        const SIM_ProductionTask* task = slot ? slot->GetProductionTask() : nullptr;
        if (!task || !stockpile->GetTile())
            continue;
        const bool exports = std::any_of(task->m_exports.begin(), task->m_exports.end(),
                                         [resource](const TaskResourceAmount& e) { return e.resource == resource; });
        if (!exports)
            continue;
        if (!routes.MayMeasure(stockpile->GetTile(), goal))
        {
            undecided = true;
            return false;
        }
        if (routes.RouteLength(stockpile->GetTile(), goal) >= 0)
            return true;
    }
    return false;
}

bool SIM_ComponentStockpileManager::FindWithResource(SIM_Tile* goal, const SIM_Resource* resource,
                                                     SIM_ComponentStockpile*& nearest)
{
    nearest = nullptr;
    if (!goal || !resource)
        return true;
    return NearestByRoute(
        m_stockpiles, goal,
        [resource](SIM_ComponentStockpile* stockpile) {
            return stockpile->GetTile() && stockpile->CountHeld(resource) >= 1;
        },
        nearest);
}
