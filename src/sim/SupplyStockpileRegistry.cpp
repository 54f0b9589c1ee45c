// The supply stockpiles of the floor and which of them is nearest to a stockpile.
#include "sim/SupplyStockpileRegistry.h"

#include "sim/RouteTable.h"
#include "sim/SIM_ResourceRoute.h"
#include "sim/SIM_SupplyStockpile.h"

#include "sim/SIM_PointerList.h"

#include <algorithm>

SupplyStockpileRegistry& SupplyStockpileRegistry::Instance()
{
    static SupplyStockpileRegistry registry;
    return registry;
}

void SupplyStockpileRegistry::Register(SIM_SupplyStockpile* stockpile)
{
    AddPointerOnce(m_stockpiles, stockpile);
}

void SupplyStockpileRegistry::Unregister(SIM_SupplyStockpile* stockpile)
{
    RemovePointer(m_stockpiles, stockpile);
}

SIM_SupplyStockpile* SupplyStockpileRegistry::FindNearestWithResource(SIM_Tile* goal, const SIM_Resource* resource)
{
    size_t best = 999999;
    SIM_SupplyStockpile* nearest = nullptr;
    if (!goal || !resource)
        return nullptr;
    for (size_t i = 0; i < m_stockpiles.size(); ++i)
    {
        SIM_SupplyStockpile* stockpile = m_stockpiles[i];
        if (!stockpile->GetNearestImportBay())
            stockpile->UpdateRouteState();
        if (!stockpile->GetTile() || stockpile->CountStored(resource) < 1)
            continue;
        SIM_ResourceRoute* route = RouteTable::Instance().RequestRoute(stockpile->GetTile(), goal);
        if (route && route->m_tiles.size() < best)
        {
            best = route->m_tiles.size();
            nearest = stockpile;
        }
    }
    return nearest;
}
