// A cached resource route: its tiles and the points an object follows along them.
#include "sim/flow/SIM_ResourceRoute.h"

#include "engine/core/GDebugLog.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/world/SIM_Tile.h"
#include "sim/world/TileWaypointGrid.h"

namespace
{
// Exit points of a tile and entry points of its neighbour, per direction 0..3.
constexpr int kRouteExitPoints[4][2] = {{7, 8}, {3, 4}, {6, 5}, {1, 0}};
constexpr int kRouteEntryPoints[4][2] = {{5, 6}, {0, 1}, {8, 7}, {4, 3}};

int RouteDirectionTo(const SIM_Tile* from, const SIM_Tile* to)
{
    if (!from || !to)
        return -1;
    const int dx = to->m_gridX - from->m_gridX;
    const int dy = to->m_gridY - from->m_gridY;
    if (dx == 0 && dy == -1)
        return 0;
    if (dx == 1 && dy == 0)
        return 1;
    if (dx == 0 && dy == 1)
        return 2;
    if (dx == -1 && dy == 0)
        return 3;
    return -1;
}
} // namespace

void SIM_ResourceRoute::BuildSteps()
{
    m_steps.clear();
    for (size_t i = 0; i < m_tiles.size(); ++i)
    {
        SIM_Tile* tile = m_tiles[i];
        if (!tile || !tile->m_waypoints)
            break;
        m_steps.push_back(&tile->m_waypoints->m_points[2]);
        if (tile == m_goalTile)
            continue;
        SIM_Tile* next = (i + 1 < m_tiles.size()) ? m_tiles[i + 1] : nullptr;
        const int d = RouteDirectionTo(tile, next);
        if (d < 0)
        {
            FV_FLOW_ERROR("Facing find bug!");
            continue;
        }
        m_steps.push_back(&tile->m_waypoints->m_points[kRouteExitPoints[d][0]]);
        m_steps.push_back(&tile->m_waypoints->m_points[kRouteExitPoints[d][1]]);
        // A neighbour without points ends the list at the next tile anyway.
        if (next->m_waypoints)
        {
            m_steps.push_back(&next->m_waypoints->m_points[kRouteEntryPoints[d][0]]);
            m_steps.push_back(&next->m_waypoints->m_points[kRouteEntryPoints[d][1]]);
        }
    }
}

void SIM_ResourceRoute::ClearRecord()
{
    m_startTile = nullptr;
    m_goalTile = nullptr;
    m_inUse.store(0, std::memory_order_release);
    m_state = STATE_UNSET;
    m_tiles.clear();
    m_steps.clear();
}
