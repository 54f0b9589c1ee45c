// The list of every supply stockpile on the floor, asked for the nearest one holding a resource.
#pragma once
#include "sim/SIM_IndexedList.h"
#include "sim/flow/SIM_SupplyStockpile.h"

class SIM_Resource;
class SIM_Tile;

class SupplyStockpileRegistry
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SupplyStockpileRegistry& Instance();

    // The stockpile holding the resource whose route to the goal crosses the fewest tiles, or
    // null; false when the answer waits for the route search (see NearestByRoute).
    bool FindNearestWithResource(SIM_Tile* goal, const SIM_Resource* resource, SIM_SupplyStockpile*& nearest);

    // A stockpile joins and leaves in constant time.
    void Register(SIM_SupplyStockpile* stockpile);
    void Unregister(SIM_SupplyStockpile* stockpile);
    bool IsEmpty() const { return m_stockpiles.empty(); }
    using StockpileList = SIM_IndexedList<SIM_SupplyStockpile, &SIM_SupplyStockpile::m_registryIndex>;
    const StockpileList& Stockpiles() const { return m_stockpiles; }

private:
    SupplyStockpileRegistry() = default;
    StockpileList m_stockpiles; // in order of placement; the stockpiles belong to their slots
};
