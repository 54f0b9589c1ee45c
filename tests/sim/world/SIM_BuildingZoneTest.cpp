// Building zones: wall and floor textures, random choice, and the unlock's sparkles and sound.
#include "tests/sim/SimTestSupport.h"

#include "engine/core/GRandom.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/flow/FlowVersions.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace sim_zone_test
{
TEST(SimBuildingZone, WallTexturesFollowTheWallId)
{
    SIM_BuildingZone zone;
    zone.m_wallId = 3;
    zone.LoadWallTextures();
    const char* sides[4] = {"NE", "SE", "SW", "NW"};
    for (int side = 0; side < 4; ++side)
    {
        EXPECT_EQ(zone.m_importWalls[side], std::string("wall3_") + sides[side] + "_import.dds");
        EXPECT_EQ(zone.m_exportWalls[side], std::string("wall3_") + sides[side] + "_export.dds");
    }
    EXPECT_EQ(zone.m_wallPools[0], (std::vector<std::string>{"wall3_NE.dds", "wall3_NE_alt.dds"}));
    EXPECT_EQ(zone.m_wallPools[3], (std::vector<std::string>{"wall3_NW.dds", "wall3_NW_alt.dds"}));
    EXPECT_TRUE(zone.m_wallPools[1].empty());
    EXPECT_TRUE(zone.m_wallPools[2].empty());
    // Loading twice does not grow the pools.
    zone.LoadWallTextures();
    EXPECT_EQ(zone.m_wallPools[0].size(), 2u);
}

TEST(SimBuildingZone, FloorTextureListsSplitAtCommas)
{
    struct Case
    {
        const char* list;
        std::vector<std::string> textures;
    };
    const Case cases[] = {
        {"a.dds, b.dds , c.dds  ", {"a.dds", " b.dds", " c.dds"}},
        {"one.dds", {"one.dds"}},
        {"", {}},
        {"x.dds,", {"x.dds", ""}},
        {"\"q,r.dds\",s.dds", {"q,r.dds", "s.dds"}},
    };
    for (const Case& c : cases)
    {
        SIM_BuildingZone zone;
        zone.m_floorTextureList = c.list;
        zone.LoadWallTextures();
        EXPECT_EQ(zone.m_floorTextures, c.textures) << c.list;
    }
}

TEST(SimBuildingZone, RandomChoiceIsEmptyForEmptyListsAndStaysInRange)
{
    GRandom::Init();
    SIM_BuildingZone zone;
    zone.m_wallId = 1;
    zone.LoadWallTextures();
    EXPECT_EQ(zone.GetRandomFloorTexture(), "");
    EXPECT_EQ(zone.GetRandomWallTexture(1), "");
    EXPECT_EQ(zone.GetRandomWallTexture(2), "");
    EXPECT_EQ(zone.GetRandomWallTexture(4), "");
    EXPECT_EQ(zone.GetRandomWallTexture(-1), "");
    bool sawFirst = false, sawSecond = false;
    for (int i = 0; i < 1000; ++i)
    {
        const std::string wall = zone.GetRandomWallTexture(0);
        sawFirst |= wall == "wall1_NE.dds";
        sawSecond |= wall == "wall1_NE_alt.dds";
        ASSERT_TRUE(wall == "wall1_NE.dds" || wall == "wall1_NE_alt.dds");
    }
    EXPECT_TRUE(sawFirst && sawSecond);
}

// Unlocks on the floor of a running game, counting sparkles and sounds.
class SimZoneUnlockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GRandom::Init();
        SIM_Presentation::Instance().SetListener(&listener);
    }
    void TearDown() override
    {
        FreshState::EndGame();
        SIM_Presentation::Instance().SetListener(nullptr);
    }
    SIM_BuildingZone& Start(const std::string& zones)
    {
        const std::string path = dir.Write("z.txt", "[config]\nname = z\nworldx = 30\nworldy = 20\n\n" + zones);
        mission = std::make_unique<SIM_Mission>();
        EXPECT_TRUE(mission->Load(path));
        EXPECT_TRUE(SIM_Game::Instance().InitSimulation(mission.get()));
        listener.calls.clear();
        return *mission->m_zones.at(0);
    }
    simtest::RecordingListener listener;
    simtest::ScratchDir dir;
    std::unique_ptr<SIM_Mission> mission;
};

TEST_F(SimZoneUnlockTest, SparkleChanceFollowsTheZoneArea)
{
    struct Case
    {
        const char* zone;
        size_t tiles;
        bool everyTile;
    };
    const Case cases[] = {
        {"left = 0\ntop = 0\nright = 9\nbottom = 4\n", 50, true},     // 40/36 > any r
        {"left = 0\ntop = 0\nright = 0\nbottom = 9\n", 10, true},     // one wide: infinite chance
        {"left = 0\ntop = 0\nright = 19\nbottom = 19\n", 400, false}, // 40/361 per tile
    };
    for (const Case& c : cases)
    {
        listener.sparkles.clear();
        SIM_BuildingZone& zone = Start(std::string("[zone]\ntype = LOCKED\n") + c.zone);
        zone.Unlock(SIM_Game::Instance().GetFactory(), false);
        if (c.everyTile)
            EXPECT_EQ(listener.sparkles.size(), c.tiles) << c.zone;
        else
            EXPECT_LT(listener.sparkles.size(), c.tiles / 4) << c.zone;
        EXPECT_EQ(zone.m_state, SIM_BuildingZone::STATE_UNLOCKED);
        FreshState::EndGame();
    }
}

TEST_F(SimZoneUnlockTest, SilentUnlockOpensTilesWithoutSparklesSoundOrRandomDraws)
{
    SIM_BuildingZone& zone = Start("[zone]\ntype = LOCKED\nleft = 2\ntop = 3\nright = 5\nbottom = 4\n");
    // Read the whole table once so the read position is back where it began.
    const float first = GRandom::NextFloat();
    for (int i = 1; i < GRandom::TABLE_SIZE; ++i)
        GRandom::NextFloat();
    const uint64_t unlocks = SIM_BuildingZone::UnlockCount();
    const uint64_t sources = FlowVersions::Sources();
    zone.Unlock(SIM_Game::Instance().GetFactory(), true);
    EXPECT_EQ(GRandom::NextFloat(), first); // the unlock drew no random value
    // The caches of the floor's ways see the opened zone without being told by it.
    EXPECT_EQ(SIM_BuildingZone::UnlockCount(), unlocks + 1);
    EXPECT_NE(FlowVersions::Sources(), sources);
    EXPECT_TRUE(listener.sparkles.empty());
    EXPECT_TRUE(listener.sounds.empty());
    EXPECT_EQ(listener.markerRetints, 1);
    SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    ASSERT_NE(factory, nullptr);
    for (int x = 0; x < factory->GetWidth(); ++x)
        for (int y = 0; y < factory->GetHeight(); ++y)
            EXPECT_EQ(factory->GetTile(x, y)->m_zoneState,
                      zone.Contains(x, y) ? SIM_Tile::ZONE_OPEN : SIM_Tile::ZONE_NONE);
    // Unlocking again repeats harmlessly.
    zone.Unlock(SIM_Game::Instance().GetFactory(), true);
    EXPECT_EQ(listener.markerRetints, 2);
}

TEST_F(SimZoneUnlockTest, UnlockWithoutARunningGameOnlyChangesTheZone)
{
    SIM_BuildingZone zone;
    zone.m_right = 1000000;
    zone.m_bottom = 1000000;
    zone.m_state = SIM_BuildingZone::STATE_LOCKED;
    zone.Unlock(SIM_Game::Instance().GetFactory(), false);
    EXPECT_EQ(zone.m_state, SIM_BuildingZone::STATE_UNLOCKED);
    EXPECT_TRUE(listener.sparkles.empty());
}
}
