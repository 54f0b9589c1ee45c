// The simulation root headless: a new game from a mission file, the clock at pause and the
// three speeds, the hourly step and rent, zone unlocks on the running floor, reset and re-start.
#include "tests/sim/SimTestSupport.h"

#include "engine/core/GLifetime.h"
#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_AtlasEntry.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <set>

namespace sim_game_test
{
using simtest::DataPath;
using simtest::RecordingListener;

constexpr uint64_t kMs = 1000000ull;

// A view whose sprite atlases are loaded: it knows every sprite.
class AtlasListener : public RecordingListener
{
public:
    bool FindAtlasEntry(const std::string&, SIM_AtlasEntry& out) override
    {
        out.texture = "atlas.dds";
        return true;
    }
};

// A game set up from a mission file on a hand-driven clock, with a recording presentation.
class SimGameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_SimConfig::UseFile(DataPath("simconfig.txt")); // HOUR_LENGTH = 1000
        PClock::SetManual(true, 1000 * kMs);
        SIM_Presentation::Instance().SetListener(&listener);
        GRandom::Init();
    }
    void TearDown() override
    {
        FreshState::EndGame();
        SIM_Presentation::Instance().SetListener(nullptr);
        PClock::SetManual(false);
    }
    SIM_Mission* LoadMission(SIM_Mission& mission, const char* file)
    {
        EXPECT_TRUE(mission.Load(DataPath(std::string("missions/") + file)));
        return &mission;
    }
    // One drawn frame of the given real length.
    void Frame(uint64_t ms)
    {
        PClock::AdvanceManual(ms * kMs);
        SIM_Game::Instance().Update();
    }

    RecordingListener listener;
    AtlasListener atlasListener;
    SIM_Mission harbour;
};

TEST_F(SimGameTest, NewGameFromAMissionFileBuildsTheFloorInOrder)
{
    SIM_Game& game = SIM_Game::Instance();
    ASSERT_TRUE(game.InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    ASSERT_NE(game.GetFactory(), nullptr);
    EXPECT_EQ(game.GetMission(), &harbour);
    EXPECT_EQ(game.GetFactory()->GetWidth(), 12);
    EXPECT_EQ(game.GetFactory()->GetHeight(), 8);
    EXPECT_EQ(game.GetCurrentHour(), 0);
    EXPECT_EQ(game.GetGameTime(), 0.0f);
    EXPECT_EQ(game.GetSpeed(), 1.0f);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"stage:LS_INITIIALIZING_SIMULATION", "animations", "carcache",
                                                        "view", "autosave-restart", "zoom"}));
    // East Wing (x 0..11, y 4..7) is locked, Main Hall (x 0..5, y 0..3) open.
    EXPECT_EQ(game.GetFactory()->GetTile(11, 7)->m_zoneState, SIM_Tile::ZONE_LOCKED);
    EXPECT_EQ(game.GetFactory()->GetTile(5, 3)->m_zoneState, SIM_Tile::ZONE_OPEN);
    EXPECT_EQ(game.GetFactory()->GetTile(6, 3)->m_zoneState, SIM_Tile::ZONE_NONE);
}

TEST_F(SimGameTest, UnplayableMissionsAreRefusedWithoutTouchingTheGame)
{
    SIM_Game& game = SIM_Game::Instance();
    EXPECT_FALSE(game.InitSimulation(nullptr));
    SIM_Mission bad;
    EXPECT_FALSE(bad.Load(DataPath("missions/m_nosize.txt")));
    EXPECT_FALSE(game.InitSimulation(&bad));
    EXPECT_EQ(game.GetFactory(), nullptr);
    EXPECT_TRUE(listener.calls.empty());
    game.Update(); // outside a game a step does nothing
    EXPECT_EQ(listener.autosaveChecks, 0);
}

TEST_F(SimGameTest, TheClockFollowsTheSpeed)
{
    struct Case
    {
        float speed;
        int framesToFirstHour; // 16 ms frames, HOUR_LENGTH 1000, strictly greater counts
    };
    // 1: 63 x 16 = 1008; 2: 32 x 32 = 1024; 4: 16 x 64 = 1024.
    const Case cases[] = {{1.0f, 63}, {2.0f, 32}, {4.0f, 16}};
    for (const Case& c : cases)
    {
        SIM_Game& game = SIM_Game::Instance();
        SIM_Mission mission;
        ASSERT_TRUE(game.InitSimulation(LoadMission(mission, "m_first.txt")));
        Frame(20); // the first step of a game may hold back to the frame cap
        game.SetGameTime(0.0f);
        game.HourTimer().Start();
        game.SetSpeed(c.speed);
        for (int frame = 1; frame < c.framesToFirstHour; ++frame)
        {
            Frame(16);
            ASSERT_EQ(game.GetCurrentHour(), 0) << c.speed << " frame " << frame;
            EXPECT_FLOAT_EQ(game.GetFrameTime(), 16.0f * c.speed);
        }
        EXPECT_GT(game.GetHourProgress(), 0.9f);
        EXPECT_LE(game.GetHourProgress(), 1.0f);
        Frame(16);
        EXPECT_EQ(game.GetCurrentHour(), 1) << c.speed;
        EXPECT_EQ(game.GetHourProgress(), 0.0f); // what ran past the hour is dropped
        EXPECT_FLOAT_EQ(game.GetGameTime(), 16.0f * c.speed * c.framesToFirstHour);
        EXPECT_EQ(listener.financeRefreshes, 1);
        listener.financeRefreshes = 0;
        // The hourly step booked one hour of rent: the open zone, 9 x 9 x 5.
        EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(-1, FC_RENT), 405.0f) << c.speed;
        game.Reset();
    }
}

TEST_F(SimGameTest, AtPauseFramesRunButNoTimePasses)
{
    SIM_Game& game = SIM_Game::Instance();
    ASSERT_TRUE(game.InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    Frame(20);
    const float timeBefore = game.GetGameTime();
    game.SetSpeed(4.0f);
    game.TogglePause();
    EXPECT_EQ(game.GetSpeed(), 0.0f);
    EXPECT_EQ(game.HourTimer().m_timeScale, 0.0f);
    EXPECT_EQ(game.FrameTimer().m_timeScale, 0.0f);
    for (int frame = 0; frame < 500; ++frame)
        Frame(16);
    EXPECT_EQ(game.GetCurrentHour(), 0);
    EXPECT_EQ(game.GetGameTime(), timeBefore);
    EXPECT_EQ(game.GetFrameTime(), 0.0f);
    EXPECT_EQ(listener.autosaveChecks, 501); // every frame still runs its steps
    // Resuming restores 4.0, pausing twice too; pausing while already stopped restores the saved speed.
    game.TogglePause();
    EXPECT_EQ(game.GetSpeed(), 4.0f);
    EXPECT_EQ(game.HourTimer().m_timeScale, 4.0f);
    game.TogglePause();
    game.TogglePause();
    EXPECT_EQ(game.GetSpeed(), 4.0f);
    game.SetSpeed(0.0f); // the clock stopped by a game over
    game.TogglePause();
    EXPECT_EQ(game.GetSpeed(), 4.0f);
    EXPECT_EQ(listener.speedSyncs, 5);
}

TEST_F(SimGameTest, AnHourExactlyAsLongAsTheHourLengthHasNotYetPassed)
{
    SIM_Game& game = SIM_Game::Instance();
    ASSERT_TRUE(game.InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    Frame(20);
    game.HourTimer().Start();
    Frame(1000);
    EXPECT_EQ(game.GetCurrentHour(), 0);
    EXPECT_EQ(game.GetHourProgress(), 1.0f);
    Frame(1);
    EXPECT_EQ(game.GetCurrentHour(), 1);
    // A long frame passes one hour only.
    Frame(5000);
    EXPECT_EQ(game.GetCurrentHour(), 2);
}

TEST_F(SimGameTest, AMissingHourLengthKeepsTheClockAtASanePace)
{
    // Read as 0 the clock would pass one game hour every frame and ruin the player at once.
    SIM_SimConfig::UseFile(DataPath("no_such_simconfig.txt"));
    SIM_Game& game = SIM_Game::Instance();
    ASSERT_TRUE(game.InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    for (int i = 0; i < 600; ++i)
        Frame(16);
    EXPECT_EQ(game.GetCurrentHour(), 0);
    EXPECT_GT(game.GetHourProgress(), 0.0f);
    for (int i = 0; i < 1400; ++i)
        Frame(16);
    EXPECT_EQ(game.GetCurrentHour(), 1) << "one hour in 30 seconds of frames";
}

TEST_F(SimGameTest, HourlyRentIsTheRentOfTheOpenZones)
{
    SIM_Game& game = SIM_Game::Instance();
    ASSERT_TRUE(game.InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    // Main Hall: 10 x 3 x 5; East Wing (locked) pays nothing until bought.
    EXPECT_FLOAT_EQ(game.GetFactory()->ComputeHourlyRent(), 150.0f);
    harbour.GetZoneByName("East Wing")->Unlock(game.GetFactory(), true);
    EXPECT_FLOAT_EQ(game.GetFactory()->ComputeHourlyRent(), 150.0f + 12.0f * 3 * 11);
}

TEST_F(SimGameTest, ZoneUnlockOpensExactlyTheTilesItLockedOnANonSquareFloor)
{
    SIM_Game& game = SIM_Game::Instance();
    SIM_Mission wide;
    ASSERT_TRUE(game.InitSimulation(LoadMission(wide, "m_wide.txt")));
    SIM_Factory& f = *game.GetFactory();
    ASSERT_EQ(f.GetWidth(), 40);
    ASSERT_EQ(f.GetHeight(), 10);
    std::set<SIM_Tile*> lockedAtSetUp;
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 10; ++y)
            if (f.GetTile(x, y)->m_zoneState == SIM_Tile::ZONE_LOCKED)
                lockedAtSetUp.insert(f.GetTile(x, y));
    // "Beyond The Edge": x 30..60, y 5..20, clipped to x 30..39, y 5..9; the open hall covers
    // y 0..9 up to x 39, and the later zone's marks win where they overlap.
    EXPECT_EQ(lockedAtSetUp.size(), 10u * 5u);

    SIM_BuildingZone* zone = wide.GetZoneByName("Beyond The Edge");
    ASSERT_NE(zone, nullptr);
    zone->Unlock(game.GetFactory(), false);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 10; ++y)
            EXPECT_NE(f.GetTile(x, y)->m_zoneState, SIM_Tile::ZONE_LOCKED) << x << "," << y;
    // Every tile it opened was one it had locked: sparkles only on those.
    for (SIM_Tile* tile : listener.sparkles)
        EXPECT_EQ(lockedAtSetUp.count(tile), 1u);
    EXPECT_EQ(listener.markerRetints, 1);
    EXPECT_EQ(listener.sounds, (std::vector<std::string>{"slot_place.ogg"}));
}

TEST_F(SimGameTest, ResetAndASecondSetUpLeaveNoTraceOfTheFirstGame)
{
    SIM_Game& game = SIM_Game::Instance();
    ASSERT_TRUE(game.InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    Frame(20);
    game.SetSpeed(4.0f);
    for (int frame = 0; frame < 40; ++frame)
        Frame(16);
    harbour.GetZoneByName("East Wing")->Unlock(game.GetFactory(), true);
    ASSERT_GT(game.GetCurrentHour(), 0);
    SIM_Presentation::Instance().Post([] { FAIL() << "an effect of the old game ran after the reset"; });
    SIM_FinanceRecord::Instance().StoreRecordNow(FC_WAGES, 300.0f);

    game.Reset();
    EXPECT_EQ(game.GetFactory(), nullptr);
    // The books of the ended game close with it.
    EXPECT_EQ(SIM_FinanceRecord::Instance().GetTotal(1000, FC_WAGES), 0.0f);
    EXPECT_EQ(listener.calls.back(), "view-clear");
    SIM_Presentation::Instance().ApplyPosted();
    game.Reset(); // twice, and without a game: harmless
    game.Update();

    SIM_Mission wide;
    ASSERT_TRUE(game.InitSimulation(LoadMission(wide, "m_wide.txt")));
    EXPECT_EQ(game.GetCurrentHour(), 0);
    EXPECT_EQ(game.GetGameTime(), 0.0f);
    EXPECT_EQ(game.GetSpeed(), 1.0f);
    EXPECT_EQ(game.GetFactory()->GetWidth(), 40);

    // Back to the first mission: its zones come from the file again, locks included.
    game.Reset();
    ASSERT_TRUE(game.InitSimulation(&harbour));
    EXPECT_EQ(harbour.GetZoneByName("East Wing")->m_state, SIM_BuildingZone::STATE_LOCKED);
    EXPECT_EQ(game.GetFactory()->GetTile(11, 7)->m_zoneState, SIM_Tile::ZONE_LOCKED);
    EXPECT_FLOAT_EQ(game.GetFactory()->ComputeHourlyRent(), 150.0f);
}

TEST_F(SimGameTest, ANewGameReadsTheDefinitionsAgainUnlessTheCallerKeepsThem)
{
    SIM_Game& game = SIM_Game::Instance();
    ASSERT_TRUE(game.InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    const SIM_ProductionTaskManager& tasks = SIM_ProductionTaskManager::Instance();
    ASSERT_FALSE(tasks.GetTasks().empty());
    const std::string name = tasks.GetTasks().front()->GetName();
    const bool asWritten = tasks.GetTask(name)->m_locked;
    const SIM_VehicleComponentTypeManager& parts = SIM_VehicleComponentTypeManager::Instance();
    const size_t partCount = parts.GetComponentTypes().size();
    ASSERT_GT(partCount, 0u);
    // The last game's research turned the lock over, finished the faster belts and went on.
    tasks.GetTask(name)->m_locked = !asWritten;
    SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    SIM_Researchable* belts = research.GetResearchable("research_fast_belts");
    ASSERT_NE(belts, nullptr);
    belts->m_progress = belts->m_cost;
    research.SetCurrentResearch(research.GetItems().back());
    SIM_GlobalFactoryVariables& variables = SIM_GlobalFactoryVariables::Instance();
    variables.Recalculate();
    ASSERT_FLOAT_EQ(variables.GetMultiplier(GFV_CONVEYOR_SPEED), 1.5f);

    // Kept, the global upgrades are not read again, but what the last game's research made of
    // them is undone: every game starts with nothing researched.
    game.Reset();
    ASSERT_TRUE(game.InitSimulation(&harbour, SIM_Game::Definitions::Kept));
    EXPECT_EQ(tasks.GetTask(name)->m_locked, !asWritten);
    EXPECT_NE(game.GetFactory(), nullptr);
    ASSERT_NE(research.GetResearchable("research_fast_belts"), nullptr);
    EXPECT_EQ(research.GetResearchable("research_fast_belts")->m_progress, 0.0f);
    EXPECT_EQ(research.GetCurrentResearch(), nullptr);
    EXPECT_FLOAT_EQ(variables.GetMultiplier(GFV_CONVEYOR_SPEED), 1.0f);

    // The view has loaded its atlases since the first game: the car parts read again find their
    // sprites in them, and there is still one of each.
    game.Reset();
    SIM_Presentation::Instance().SetListener(&atlasListener);
    ASSERT_TRUE(game.InitSimulation(&harbour));
    EXPECT_EQ(tasks.GetTask(name)->m_locked, asWritten);
    EXPECT_EQ(parts.GetComponentTypes().size(), partCount);
    const SIM_VehicleComponentType* part = parts.GetComponentTypes().front();
    ASSERT_FALSE(part->GetLayer(0, 0).sprite.empty());
    EXPECT_TRUE(parts.GetComponentType(part->GetName())->GetLayer(0, 0).inAtlas);
}

// A tool or a benchmark that ends without ending its game: when the program's owner destroys the
// game's root, the slots on its floor go with it instead of outliving the floor they stand on.
TEST_F(SimGameTest, AGameLeftRunningEndsWithTheRootThatHoldsIt)
{
    ASSERT_TRUE(SIM_Game::Instance().InitSimulation(LoadMission(harbour, "m_harbour.txt")));
    const SIM_ProductionTask* shop = SIM_ProductionTaskManager::Instance().GetTask("task_make_axles");
    ASSERT_NE(shop, nullptr);
    ASSERT_NE(SIM_Placement::PlaceTask(shop, SIM_Game::Instance().GetFactory()->GetTile(1, 1), 1, true), nullptr);
    ASSERT_EQ(SlotQueries::Instance().GetAllSlots().size(), 1u);

    GLifetime::Program().Destroy<SIM_Game>();
    EXPECT_TRUE(SlotQueries::Instance().GetAllSlots().empty());
    EXPECT_EQ(SIM_Game::Instance().GetFactory(), nullptr);
}
}
