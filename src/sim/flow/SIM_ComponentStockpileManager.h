// The list of every component stockpile on the floor, asked which one can serve a resource.
#pragma once
#include "sim/SIM_Registry.h"

#include <vector>

class SIM_ComponentStockpile;
class SIM_Resource;
class SIM_Tile;

class SIM_ComponentStockpileManager
{
public:
    static SIM_ComponentStockpileManager& Instance();

    // True when some component stockpile's task exports the resource and a route leads from it
    // to the goal.
    bool CanServe(SIM_Tile* goal, const SIM_Resource* resource);
    // Among the stockpiles holding the resource, the one with the shortest route to the goal.
    SIM_ComponentStockpile* FindWithResource(SIM_Tile* goal, const SIM_Resource* resource);

    void Register(SIM_ComponentStockpile* stockpile);
    void Unregister(SIM_ComponentStockpile* stockpile);
    const std::vector<SIM_ComponentStockpile*>& Stockpiles() const { return m_stockpiles.Items(); }

private:
    SIM_ComponentStockpileManager() = default;
    SIM_Registry<SIM_ComponentStockpile, SIM_Holding::Refers> m_stockpiles; // the stockpiles belong to their slots
};
