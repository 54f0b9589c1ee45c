// One cached way along the overhead conveyors from a source tile to a stockpile tile: the tiles
// crossed and the points a resource object follows. Records live in the route table's pool.
#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

class SIM_Tile;
struct TileWaypoint;

class SIM_ResourceRoute
{
public:
    enum State : int32_t
    {
        STATE_UNSET = 0,
        STATE_NO_ROUTE = 1,
        STATE_PENDING = 2,
        STATE_KNOWN = 3
    };

    SIM_ResourceRoute() = default;
    SIM_ResourceRoute(const SIM_ResourceRoute&) = delete;
    SIM_ResourceRoute& operator=(const SIM_ResourceRoute&) = delete;

    // Fills the step list from the tile list: each tile's centre point, and between two
    // neighbouring tiles two exit points of the first and two entry points of the second.
    void BuildSteps();

    // Back to the all-clear record (not in use, state unset, no tiles, no steps).
    void ClearRecord();

    bool InUse() const { return m_inUse.load(std::memory_order_acquire) != 0; }
    // A placer that kept a route for its own use gives it back by clearing this flag.
    void SetInUse(bool inUse) { m_inUse.store(inUse ? 1 : 0, std::memory_order_release); }

    SIM_Tile* m_startTile = nullptr;
    SIM_Tile* m_goalTile = nullptr;
    std::atomic<uint8_t> m_inUse{0};
    int32_t m_state = STATE_UNSET;
    std::vector<SIM_Tile*> m_tiles;
    std::vector<TileWaypoint*> m_steps;
};
