// The factory floor of the running game.
#include "sim/world/SIM_Factory.h"

#include "engine/core/GDebugLog.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/TileWaypointGrid.h"

#include <cmath>
#include <limits>
#include <string>

SIM_Factory::SIM_Factory(SIM_Mission* mission, const SIM_Clock& clock) : m_mission(mission), m_clock(&clock)
{
    Init();
}

SIM_Factory::~SIM_Factory()
{
    Clear();
}

void SIM_Factory::Clear()
{
    m_importSites.clear();
    m_exportSites.clear();
}

void SIM_Factory::Init()
{
    Clear();
    m_tiles.reset();
    m_width = 0;
    m_height = 0;
    m_zoneTileCount = 0;
    m_occupied.Resize(0);

    SIM_Mission* mission = m_mission;
    DebugAssert(mission != nullptr, "SIM_Factory", 223);
    if (!mission)
        return;

    // A floor outside 1..999 is refused rather than built: the grid stays empty and every
    // look-up answers null, so nothing can reach past the (absent) tile array.
    if (!mission->HasValidSize())
    {
        DebugAssert(false, "SIM_Factory", 227);
        GDebugLog::Instance().LogError(("Mission floor size out of range: " + mission->m_name).c_str());
        return;
    }
    m_width = mission->m_worldX;
    m_height = mission->m_worldY;
    const size_t tileCount = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
    m_tiles = std::make_unique<SIM_Tile[]>(tileCount);
    // Each tile's grid is made in its place once, in the order of the tiles' indices below.
    m_waypointGrids.clear();
    m_waypointGrids.reserve(tileCount);
    m_occupied.Resize(m_width * m_height);

    m_worldLeft = -(m_width * 512) - 32;
    m_worldTop = -32;
    m_worldRight = m_width * 512 + 32;
    m_worldBottom = m_height * 512 + 32;

    for (int x = 0; x < m_width; ++x)
    {
        for (int y = 0; y < m_height; ++y)
        {
            const int index = TileIndex(x, y);
            SIM_Tile& tile = m_tiles[index];
            // FindNearestTile works the centres out the same way: they never change.
            tile.m_worldX = 256.0f * static_cast<float>(x - y);
            tile.m_worldY = 128.0f * static_cast<float>(x + y);
            tile.m_gridX = x;
            tile.m_gridY = y;
            tile.m_floor = this;
            tile.m_waypoints = &m_waypointGrids.emplace_back(&tile);
            tile.m_zoneState = SIM_Tile::ZONE_NONE;
        }
    }

    // Zones are clipped to the grid: a zone that reaches past the edge marks only its tiles
    // on the floor, the same tiles its unlock opens later.
    for (const auto& zone : mission->m_zones)
    {
        if (!zone)
            continue;
        const int value = zone->m_state == SIM_BuildingZone::STATE_LOCKED ? SIM_Tile::ZONE_LOCKED : SIM_Tile::ZONE_OPEN;
        const int x0 = zone->m_top < 0 ? 0 : zone->m_top;
        const int x1 = zone->m_bottom >= m_width ? m_width - 1 : zone->m_bottom;
        const int y0 = zone->m_left < 0 ? 0 : zone->m_left;
        const int y1 = zone->m_right >= m_height ? m_height - 1 : zone->m_right;
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                m_tiles[TileIndex(x, y)].m_zoneState = value;
    }

    const int count = m_width * m_height;
    for (int i = 0; i < count; ++i)
        if (m_tiles[i].m_zoneState != SIM_Tile::ZONE_NONE)
            ++m_zoneTileCount;

    BuildPotentialSites();
}

void SIM_Factory::BuildPotentialSites()
{
    SIM_Mission* mission = m_mission;
    DebugAssert(mission != nullptr, "SIM_Factory", 299);
    if (!mission)
        return;
    for (const SIM_GridPos& pos : mission->m_imports)
        m_importSites.push_back(std::make_unique<SIM_PotentialSite>(SIM_PotentialSite{GetTile(pos.x, pos.y)}));
    for (const SIM_GridPos& pos : mission->m_exports)
        m_exportSites.push_back(std::make_unique<SIM_PotentialSite>(SIM_PotentialSite{GetTile(pos.x, pos.y)}));
}

void SIM_Factory::SetOccupant(SIM_Tile* tile, SIM_PlaceableSlot* slot)
{
    if (!tile)
        return;
    tile->m_occupant = slot;
    SIM_Factory* factory = tile->m_floor;
    if (!factory || !factory->m_tiles || tile < factory->m_tiles.get() ||
        tile >= factory->m_tiles.get() + factory->GetTileCount())
        return;
    const int32_t index = static_cast<int32_t>(tile - factory->m_tiles.get());
    if (slot)
        factory->m_occupied.Insert(index);
    else
        factory->m_occupied.Erase(index);
}

SIM_Tile* SIM_Factory::GetTile(int x, int y) const
{
    if (!m_tiles || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return nullptr;
    return &m_tiles[TileIndex(x, y)];
}

SIM_Tile* SIM_Factory::GetTileAtWorldPos(float worldX, float worldY) const
{
    if (!m_tiles)
        return nullptr;
    // Clamp in floating point first: a far-away position must not overflow the integer.
    auto toGrid = [](float v, int limit) {
        if (!(v >= 0.0f)) // also catches NaN
            return 0;
        if (v >= static_cast<float>(limit - 1))
            return limit - 1;
        return static_cast<int>(v);
    };
    const int x = toGrid((2.0f * worldY + worldX) / TILE_PITCH + 0.5f, m_width);
    const int y = toGrid((2.0f * worldY - worldX) / TILE_PITCH + 0.5f, m_height);
    return &m_tiles[TileIndex(x, y)];
}

SIM_Tile* SIM_Factory::GetNeighbourTile(const SIM_Tile* tile, int facing) const
{
    DebugAssert(tile != nullptr, "SIM_Factory", 126);
    if (!tile)
        return nullptr;
    static const int stepX[4] = {0, 1, 0, -1};
    static const int stepY[4] = {-1, 0, 1, 0};
    if (facing < 0 || facing > 3)
    {
        // Reported, and no tile is given back: answering with the tile itself would let a
        // caller step onto the tile it stands on.
        DebugErrorBox("Tile Facing Error!", "SIM_Factory", 144);
        return nullptr;
    }
    return GetTile(tile->m_gridX + stepX[facing], tile->m_gridY + stepY[facing]);
}

int SIM_Factory::GetFacingToTile(const SIM_Tile* from, const SIM_Tile* to) const
{
    if (from && to)
    {
        for (int facing = 0; facing < 4; ++facing)
            if (GetNeighbourTile(from, facing) == to)
                return facing;
    }
    DebugErrorBox("Facing find bug!", "SIM_Factory", 118);
    return NO_FACING;
}

SIM_Tile* SIM_Factory::FindNearestTile(int gridX, int gridY, float worldX, float worldY) const
{
    if (!m_tiles)
        return nullptr;
    // Every object in transit asks this every frame. Tile centres are computed the way Init placed
    // them, without reading the tiles. Neighbouring centres lie at least 256 apart, so a position
    // well within 128 of the centre of (gridX, gridY) is nearest to that tile and to no other.
    const auto centreX = [](int x, int y) { return 256.0f * static_cast<float>(x - y); };
    const auto centreY = [](int x, int y) { return 128.0f * static_cast<float>(x + y); };
    if (gridX >= 0 && gridY >= 0 && gridX < m_width && gridY < m_height)
    {
        const float dx = centreX(gridX, gridY) - worldX;
        const float dy = centreY(gridX, gridY) - worldY;
        if (dx * dx + dy * dy < 16000.0f)
            return &m_tiles[TileIndex(gridX, gridY)];
    }
    // Otherwise the square roots are taken only where they decide. The answer is the first tile,
    // x outer and y inner, whose distance (a square root) is the least of the block and below
    // 9999. Squares that differ can have equal roots once rounded, so the tiles whose squares lie
    // within rounding of the least one are compared by their roots, in walking order.
    SIM_Tile* tiles[9];
    float squares[9];
    int count = 0;
    const int x0 = gridX - 1 < 0 ? 0 : gridX - 1;
    const int x1 = gridX + 1 >= m_width ? m_width - 1 : gridX + 1;
    const int y0 = gridY - 1 < 0 ? 0 : gridY - 1;
    const int y1 = gridY + 1 >= m_height ? m_height - 1 : gridY + 1;
    float least = std::numeric_limits<float>::infinity();
    for (int x = x0; x <= x1; ++x)
    {
        for (int y = y0; y <= y1; ++y)
        {
            const float dx = centreX(x, y) - worldX;
            const float dy = centreY(x, y) - worldY;
            const float square = dx * dx + dy * dy;
            tiles[count] = &m_tiles[TileIndex(x, y)];
            squares[count] = square;
            ++count;
            if (square < least)
                least = square;
        }
    }
    const float bestDistance = std::sqrt(least);
    if (!(bestDistance < 9999.0f))
        return &m_tiles[TileIndex(0, 0)];
    const float nearEnough = least * (1.0f + 1.0e-6f);
    for (int i = 0; i < count; ++i)
        if (squares[i] <= nearEnough && std::sqrt(squares[i]) == bestDistance)
            return tiles[i];
    return &m_tiles[TileIndex(0, 0)];
}

float SIM_Factory::ComputeHourlyRent() const
{
    const SIM_Mission* mission = m_mission;
    DebugAssert(mission != nullptr, "SIM_Factory", 380);
    if (!mission)
        return 0.0f;
    float rent = 0.0f;
    for (const auto& zone : mission->m_zones)
        if (zone && zone->m_state == SIM_BuildingZone::STATE_UNLOCKED)
            rent += zone->m_rent;
    return rent;
}
