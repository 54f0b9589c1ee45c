// The list of every supply stockpile on the floor, asked for the nearest one holding a resource.
#pragma once
#include "sim/SIM_Registry.h"

#include <vector>

class SIM_SupplyStockpile;
class SIM_Resource;
class SIM_Tile;

class SupplyStockpileRegistry
{
public:
    static SupplyStockpileRegistry& Instance();

    // The stockpile holding the resource whose route to the goal crosses the fewest tiles.
    SIM_SupplyStockpile* FindNearestWithResource(SIM_Tile* goal, const SIM_Resource* resource);

    void Register(SIM_SupplyStockpile* stockpile);
    void Unregister(SIM_SupplyStockpile* stockpile);
    bool IsEmpty() const { return m_stockpiles.IsEmpty(); }
    const std::vector<SIM_SupplyStockpile*>& Stockpiles() const { return m_stockpiles.Items(); }

private:
    SupplyStockpileRegistry() = default;
    SIM_Registry<SIM_SupplyStockpile, SIM_Holding::Refers> m_stockpiles; // the stockpiles belong to their slots
};
