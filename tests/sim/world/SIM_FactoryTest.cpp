// The factory floor: geometry, neighbours, zones on square and non-square grids, sub-tiles.
#include "tests/sim/SimTestSupport.h"

#include "sim/SIM_Game.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/TileWaypointGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

namespace sim_factory_test
{
using simtest::ScratchDir;

// A mission of the given size with the given zone sections, made current while it lives.
class FloorFixture
{
public:
    FloorFixture(int width, int height, const std::string& zones = "", const std::string& sites = "")
    {
        char config[128];
        std::snprintf(config, sizeof(config), "[config]\nname = t\nworldx = %d\nworldy = %d\n\n", width, height);
        m_mission.Load(m_dir.Write("floor.txt", config + zones + sites));
        SIM_Game::Instance().SetMission(&m_mission);
        m_factory = std::make_unique<SIM_Factory>(&m_mission, SIM_Game::Instance().Clock());
    }
    ~FloorFixture()
    {
        m_factory.reset();
        SIM_Game::Instance().SetMission(nullptr);
    }
    SIM_Factory& Factory() { return *m_factory; }
    SIM_Mission& Mission() { return m_mission; }

private:
    ScratchDir m_dir;
    SIM_Mission m_mission;
    std::unique_ptr<SIM_Factory> m_factory;
};

std::string Zone(int left, int top, int right, int bottom, const char* type)
{
    static int sectionNumber = 0;
    char text[256];
    std::snprintf(text, sizeof(text), "[zone%d]\nleft = %d\ntop = %d\nright = %d\nbottom = %d\ntype = %s\nrent = 1\n\n",
                  sectionNumber++, left, top, right, bottom, type);
    return text;
}

TEST(SimFactory, TilesSitOnTheIsometricGrid)
{
    FloorFixture floor(10, 10);
    SIM_Factory& f = floor.Factory();
    struct Case
    {
        int x, y;
        float wx, wy;
    };
    const Case cases[] = {{0, 0, 0, 0}, {9, 0, 2304, 1152}, {0, 9, -2304, 1152}, {9, 9, 0, 2304}};
    for (const Case& c : cases)
    {
        SIM_Tile* tile = f.GetTile(c.x, c.y);
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tile->m_gridX, c.x);
        EXPECT_EQ(tile->m_gridY, c.y);
        EXPECT_FLOAT_EQ(tile->m_worldX, c.wx);
        EXPECT_FLOAT_EQ(tile->m_worldY, c.wy);
        EXPECT_EQ(f.GetTileAtWorldPos(c.wx, c.wy), tile);
    }
    EXPECT_EQ(f.m_worldLeft, -5152);
    EXPECT_EQ(f.m_worldTop, -32);
    EXPECT_EQ(f.m_worldRight, 5152);
    EXPECT_EQ(f.m_worldBottom, 5152);
    // Far outside the floor: an edge tile, never null.
    EXPECT_EQ(f.GetTileAtWorldPos(-100000.0f, -100000.0f), f.GetTile(0, 0));
    EXPECT_EQ(f.GetTileAtWorldPos(1e30f, 1e30f), f.GetTile(9, 9));
    EXPECT_EQ(f.GetTile(10, 0), nullptr);
    EXPECT_EQ(f.GetTile(0, -1), nullptr);
}

TEST(SimFactory, NonSquareGridsKeepEveryTileInsideTheArray)
{
    // Wider than high and higher than wide: every grid position is its own tile.
    for (auto size : {std::pair<int, int>{40, 10}, std::pair<int, int>{10, 40}, std::pair<int, int>{1, 999}})
    {
        FloorFixture floor(size.first, size.second);
        SIM_Factory& f = floor.Factory();
        std::set<SIM_Tile*> seen;
        for (int x = 0; x < f.GetWidth(); ++x)
        {
            for (int y = 0; y < f.GetHeight(); ++y)
            {
                SIM_Tile* tile = f.GetTile(x, y);
                ASSERT_NE(tile, nullptr);
                EXPECT_EQ(tile->m_gridX, x);
                EXPECT_EQ(tile->m_gridY, y);
                EXPECT_EQ(tile->m_waypoints->m_tile, tile);
                seen.insert(tile);
                EXPECT_EQ(f.GetTileAtWorldPos(tile->m_worldX, tile->m_worldY), tile);
            }
        }
        EXPECT_EQ(static_cast<int>(seen.size()), size.first * size.second);
        f.Update([](SIM_PlaceableSlot&) { ADD_FAILURE() << "an empty floor has no occupant"; });
    }
}

TEST(SimFactory, NeighboursAndFacings)
{
    FloorFixture floor(40, 10);
    SIM_Factory& f = floor.Factory();
    SIM_Tile* origin = f.GetTile(0, 0);
    EXPECT_EQ(f.GetNeighbourTile(origin, 0), nullptr);
    EXPECT_EQ(f.GetNeighbourTile(origin, 3), nullptr);
    EXPECT_EQ(f.GetNeighbourTile(origin, 1), f.GetTile(1, 0));
    EXPECT_EQ(f.GetNeighbourTile(origin, 2), f.GetTile(0, 1));
    SIM_Tile* corner = f.GetTile(39, 9);
    EXPECT_EQ(f.GetNeighbourTile(corner, 1), nullptr);
    EXPECT_EQ(f.GetNeighbourTile(corner, 2), nullptr);
    // A bad facing is reported and gives no tile, not the tile itself.
    EXPECT_EQ(f.GetNeighbourTile(corner, 4), nullptr);
    EXPECT_EQ(f.GetNeighbourTile(corner, -1), nullptr);
    EXPECT_EQ(f.GetNeighbourTile(nullptr, 1), nullptr);

    SIM_Tile* middle = f.GetTile(20, 5);
    for (int facing = 0; facing < 4; ++facing)
        EXPECT_EQ(f.GetFacingToTile(middle, f.GetNeighbourTile(middle, facing)), facing);
    EXPECT_EQ(f.GetFacingToTile(middle, f.GetTile(22, 5)), SIM_Factory::NO_FACING);
    EXPECT_EQ(f.GetFacingToTile(middle, middle), SIM_Factory::NO_FACING);
}

TEST(SimFactory, NearestTileLooksAroundTheGivenTile)
{
    FloorFixture floor(5, 3);
    SIM_Factory& f = floor.Factory();
    SIM_Tile* target = f.GetTile(3, 1);
    EXPECT_EQ(f.FindNearestTile(2, 1, target->m_worldX + 10.0f, target->m_worldY), target);
    // At the grid corner the block is clipped.
    EXPECT_EQ(f.FindNearestTile(4, 2, f.GetTile(4, 2)->m_worldX, f.GetTile(4, 2)->m_worldY), f.GetTile(4, 2));
    // Nothing nearer than 9999: tile (0, 0).
    EXPECT_EQ(f.FindNearestTile(4, 2, -50000.0f, 50000.0f), f.GetTile(0, 0));
}

TEST(SimFactory, ZonesMarkTheirTilesClippedToTheGrid)
{
    // Locked zone two rows deep and seven columns wide that runs past the right and bottom edges;
    // open zone in the corner.
    FloorFixture floor(40, 10, Zone(5, 38, 11, 45, "LOCKED") + Zone(0, 0, 1, 2, "UNLOCKED"),
                       "[imports]\n0 = 39,9\n1 = 40,0\n2 = 0,10\n[exports]\n0 = 1,1\n");
    SIM_Factory& f = floor.Factory();
    int locked = 0, open = 0;
    for (int x = 0; x < 40; ++x)
    {
        for (int y = 0; y < 10; ++y)
        {
            const int state = f.GetTile(x, y)->m_zoneState;
            const bool inLocked = x >= 38 && y >= 5;
            const bool inOpen = x <= 2 && y <= 1;
            EXPECT_EQ(state, inLocked ? SIM_Tile::ZONE_LOCKED
                             : inOpen ? SIM_Tile::ZONE_OPEN
                                      : SIM_Tile::ZONE_NONE)
                << x << "," << y;
            locked += state == SIM_Tile::ZONE_LOCKED;
            open += state == SIM_Tile::ZONE_OPEN;
        }
    }
    EXPECT_EQ(locked, 2 * 5);
    EXPECT_EQ(open, 3 * 2);
    EXPECT_EQ(f.GetZoneTileCount(), 16);

    // Sites outside the grid keep their place in the list with no tile.
    ASSERT_EQ(f.m_importSites.size(), 3u);
    EXPECT_EQ(f.m_importSites[0]->m_tile, f.GetTile(39, 9));
    EXPECT_EQ(f.m_importSites[1]->m_tile, nullptr);
    EXPECT_EQ(f.m_importSites[2]->m_tile, nullptr);
    ASSERT_EQ(f.m_exportSites.size(), 1u);
    f.Clear();
    EXPECT_TRUE(f.m_importSites.empty());
}

TEST(SimFactory, RentSumsTheOpenZones)
{
    FloorFixture floor(10, 10,
                       Zone(0, 0, 9, 9, "LOCKED") + Zone(0, 0, 3, 3, "UNLOCKED") + Zone(0, 0, 2, 2, "UNLOCKED"));
    EXPECT_FLOAT_EQ(floor.Factory().ComputeHourlyRent(), 9.0f + 4.0f);
    floor.Mission().m_zones[0]->m_state = SIM_BuildingZone::STATE_UNLOCKED;
    EXPECT_FLOAT_EQ(floor.Factory().ComputeHourlyRent(), 81.0f + 9.0f + 4.0f);
}

TEST(SimFactory, WaypointsLieOnTheTwoDiagonals)
{
    FloorFixture floor(3, 3);
    const SIM_Tile* tile = floor.Factory().GetTile(1, 2);
    const TileWaypointGrid& grid = *tile->m_waypoints;
    EXPECT_FLOAT_EQ(grid.m_points[2].m_worldX, tile->m_worldX);
    EXPECT_FLOAT_EQ(grid.m_points[2].m_worldY, tile->m_worldY);
    for (int i = 0; i < TileWaypointGrid::COUNT; ++i)
    {
        EXPECT_EQ(grid.m_points[i].m_index, i);
        EXPECT_EQ(grid.m_points[i].m_occupant, nullptr);
    }
    // Points 0 and 4 are mirror images through the centre, 102.4 units out.
    const float dx = grid.m_points[4].m_worldX - tile->m_worldX;
    const float dy = grid.m_points[4].m_worldY - tile->m_worldY;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 102.4f, 1e-3f);
    EXPECT_NEAR(grid.m_points[0].m_worldX - tile->m_worldX, -dx, 1e-3f);
    EXPECT_NEAR(grid.m_points[8].m_worldX - tile->m_worldX, 102.4f * std::sin(1.1103033f), 1e-3f);
}

TEST(SimSubTiles, OffsetsAndQuarterTurns)
{
    struct OffsetCase
    {
        int index, facing;
        float x, y;
    };
    const OffsetCase offsets[] = {
        {0, 1, 0, -128},  {0, 2, 192, -32}, {0, 0, -192, -32}, {10, 1, 0, 0}, {15, 1, 0, 64}, {12, 1, -192, -32},
        {3, 1, 192, -32}, {5, 1, 0, -64},   {0, 7, 0, -128},   {16, 1, 0, 0}, {-1, 1, 0, 0},
    };
    for (const OffsetCase& c : offsets)
    {
        const SubTileOffset o = GetSubTileOffset(c.index, c.facing);
        EXPECT_FLOAT_EQ(o.x, c.x) << c.index << "/" << c.facing;
        EXPECT_FLOAT_EQ(o.y, c.y) << c.index << "/" << c.facing;
    }
    for (int facing = 0; facing < 4; ++facing)
        EXPECT_EQ(RotateInnerSubTileIndex(10, facing), 10);
    EXPECT_EQ(RotateInnerSubTileIndex(5, 2), 7);
    EXPECT_EQ(RotateInnerSubTileIndex(5, 1), 5);
    // Outside the inner block: -1 after the first turn, and it stays -1.
    EXPECT_EQ(RotateInnerSubTileIndex(0, 2), -1);
    EXPECT_EQ(RotateInnerSubTileIndex(0, 0), -1);
    EXPECT_EQ(RotateInnerSubTileIndex(-1, 0), -1);
    // Four quarter turns bring every inner index back.
    for (int i : {5, 6, 7, 9, 10, 11, 13, 14, 15})
    {
        int turned = i;
        for (int k = 0; k < 4; ++k)
            turned = RotateInnerSubTileIndex(turned, 2);
        EXPECT_EQ(turned, i);
    }
}
}
