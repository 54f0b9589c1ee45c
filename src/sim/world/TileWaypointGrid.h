// The nine points of a tile along its two diagonals at which resource objects crossing
// conveyors stop; an object marks the point it holds so that two never share one.
#pragma once

class SIM_Tile;

struct TileWaypoint
{
    int m_index = 0;
    float m_worldX = 0.0f;
    float m_worldY = 0.0f;
    void* m_occupant = nullptr; // the object holding this point; null when free
};

class TileWaypointGrid
{
public:
    static constexpr int COUNT = 9;

    TileWaypointGrid() = default;
    // Lays the nine points out around the tile's centre, all free.
    explicit TileWaypointGrid(SIM_Tile* tile);

    // Debug overlay: one small square per point, reddish when held, grey when free. The
    // presentation draws it; the points are handed over as (screen-independent) world positions.
    void DrawDebug() const;

    TileWaypoint m_points[COUNT];
    SIM_Tile* m_tile = nullptr;
};
