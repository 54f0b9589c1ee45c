// The list of every component stockpile on the floor, asked which one can serve a resource.
#pragma once
#include "sim/SIM_IndexedList.h"
#include "sim/flow/SIM_ComponentStockpile.h"

class SIM_Resource;
class SIM_Tile;

class SIM_ComponentStockpileManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_ComponentStockpileManager& Instance();

    // True when some component stockpile's task exports the resource and a route leads from it
    // to the goal. When that waits for a search the open share of route searching cannot hold,
    // `undecided` is set and false returned.
    bool CanServe(SIM_Tile* goal, const SIM_Resource* resource, bool& undecided);
    // Among the stockpiles holding the resource, the one with the shortest route to the goal, or
    // null; false when the answer waits for the route search (see NearestByRoute).
    bool FindWithResource(SIM_Tile* goal, const SIM_Resource* resource, SIM_ComponentStockpile*& nearest);

    // A stockpile joins and leaves in constant time.
    void Register(SIM_ComponentStockpile* stockpile);
    void Unregister(SIM_ComponentStockpile* stockpile);
    using StockpileList = SIM_IndexedList<SIM_ComponentStockpile, &SIM_ComponentStockpile::m_listIndex>;
    const StockpileList& Stockpiles() const { return m_stockpiles; }

private:
    SIM_ComponentStockpileManager() = default;
    StockpileList m_stockpiles; // in order of placement; the stockpiles belong to their slots
};
