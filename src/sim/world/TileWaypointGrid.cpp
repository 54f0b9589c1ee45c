// The nine waypoints of a tile for resource objects crossing conveyors.
#include "sim/world/TileWaypointGrid.h"

#include "sim/SIM_Presentation.h"
#include "sim/world/SIM_Tile.h"

#include <cmath>

namespace
{
// Where the nine points lie from the tile's centre, the same for every tile: two lines through
// the centre along the tile's diamond axes; point 2 is the centre, 0, 1, 3, 4 lie on the first
// axis and 5..8 on the second, half and whole steps out. Worked out once, not for every tile of
// every new floor.
struct PointOffsets
{
    float x[TileWaypointGrid::COUNT] = {};
    float y[TileWaypointGrid::COUNT] = {};
};

PointOffsets MakeOffsets()
{
    static const float axisAngles[2] = {2.0312893f, 1.1103033f};
    static const float distances[4] = {-102.4f, -51.2f, 51.2f, 102.4f};
    static const int firstAxisPoints[4] = {0, 1, 3, 4};
    PointOffsets offsets;
    for (int axis = 0; axis < 2; ++axis)
    {
        const float s = std::sin(axisAngles[axis]);
        const float c = std::cos(axisAngles[axis]);
        for (int k = 0; k < 4; ++k)
        {
            const int index = axis == 0 ? firstAxisPoints[k] : 5 + k;
            offsets.x[index] = distances[k] * s;
            offsets.y[index] = -(distances[k] * c);
        }
    }
    return offsets;
}
} // namespace

TileWaypointGrid::TileWaypointGrid(SIM_Tile* tile) : m_tile(tile)
{
    static const PointOffsets offsets = MakeOffsets();
    const float cx = tile ? tile->m_worldX : 0.0f;
    const float cy = tile ? tile->m_worldY : 0.0f;
    for (int i = 0; i < COUNT; ++i)
    {
        m_points[i].m_index = i;
        m_points[i].m_worldX = cx + offsets.x[i];
        m_points[i].m_worldY = cy + offsets.y[i];
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
