// The supply stockpiles of the floor and which of them is nearest to a stockpile.
#include "sim/flow/SupplyStockpileRegistry.h"

#include "engine/core/GLifetime.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/SIM_NearestByRoute.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/flow/SIM_SupplyStockpile.h"

SupplyStockpileRegistry& SupplyStockpileRegistry::Instance()
{
    return GLifetime::Get<SupplyStockpileRegistry>();
}

void SupplyStockpileRegistry::Register(SIM_SupplyStockpile* stockpile)
{
    if (m_stockpiles.Add(stockpile))
        FlowVersions::NoteSourcesChanged();
}

void SupplyStockpileRegistry::Unregister(SIM_SupplyStockpile* stockpile)
{
    if (m_stockpiles.Remove(stockpile))
        FlowVersions::NoteSourcesChanged();
}

bool SupplyStockpileRegistry::FindNearestWithResource(SIM_Tile* goal, const SIM_Resource* resource,
                                                      SIM_SupplyStockpile*& nearest)
{
    nearest = nullptr;
    if (!goal || !resource)
        return true;
    return NearestByRoute(
        m_stockpiles, goal,
        [resource](SIM_SupplyStockpile* stockpile) {
            if (!stockpile->GetNearestImportBay())
                stockpile->UpdateRouteState();
            return stockpile->GetTile() && stockpile->CountStored(resource) >= 1;
        },
        nearest);
}
