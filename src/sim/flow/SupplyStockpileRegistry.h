// The list of every supply stockpile on the floor, asked for the nearest one holding a resource.
#pragma once
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
    bool IsEmpty() const { return m_stockpiles.empty(); }
    const std::vector<SIM_SupplyStockpile*>& Stockpiles() const { return m_stockpiles; }

private:
    SupplyStockpileRegistry() = default;
    std::vector<SIM_SupplyStockpile*> m_stockpiles;
};
