// The nine waypoints of a tile for resource objects crossing conveyors.
#include "sim/world/TileWaypointGrid.h"

#include "sim/SIM_Presentation.h"
#include "sim/world/SIM_Tile.h"

#include <cmath>

TileWaypointGrid::TileWaypointGrid(SIM_Tile* tile) : m_tile(tile)
{
    // Two lines through the centre along the tile's diamond axes; point 2 is the centre,
    // 0, 1, 3, 4 lie on the first axis and 5..8 on the second, half and whole steps out.
    static const float axisAngles[2] = {2.0312893f, 1.1103033f};
    static const float distances[4] = {-102.4f, -51.2f, 51.2f, 102.4f};
    static const int firstAxisPoints[4] = {0, 1, 3, 4};
    const float cx = tile ? tile->m_worldX : 0.0f;
    const float cy = tile ? tile->m_worldY : 0.0f;
    for (int i = 0; i < COUNT; ++i)
        m_points[i].m_index = i;
    m_points[2].m_worldX = cx;
    m_points[2].m_worldY = cy;
    for (int axis = 0; axis < 2; ++axis)
    {
        const float s = std::sin(axisAngles[axis]);
        const float c = std::cos(axisAngles[axis]);
        for (int k = 0; k < 4; ++k)
        {
            const int index = axis == 0 ? firstAxisPoints[k] : 5 + k;
            m_points[index].m_worldX = cx + distances[k] * s;
            m_points[index].m_worldY = cy - distances[k] * c;
        }
    }
}

void TileWaypointGrid::DrawDebug() const
{
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    for (const TileWaypoint& point : m_points)
    {
        if (point.m_occupant)
            listener.DrawDebugMarker(point.m_worldX, point.m_worldY, 8, 255, 100, 100);
        else
            listener.DrawDebugMarker(point.m_worldX, point.m_worldY, 8, 100, 100, 100);
    }
}
