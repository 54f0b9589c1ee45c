// The scripted whole-factory game, many game hours in, survives three saves and loads in a row
// with every part of its state (objects waiting at the outlets included), and goes on building,
// selling and keeping its books afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "SaveTestSupport.h"
#include "SimStateDump.h"
#include "tests/sim/BigFactory.h"
#include "tests/support/FreshState.h"

#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/flow/RouteSearchShare.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ComponentStockpileManager.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleManager.h"

using namespace savetest;

TEST(SaveWholeGame, ThreeCyclesKeepTheStateAndTheFactoryRunsOn)
{
    SaveWorld world;
    ASSERT_TRUE(world.StartGame());
    const float startCash = SIM_FinanceManager::Instance().GetCash();
    ASSERT_TRUE(world.BuildAssemblyLine());
    // Part shops below the line fill their output stockpiles for the line to draw from, and a
    // supply stockpile keeps steel: every kind of store is in use when the game is saved.
    SIM_SupplyStockpile* supply = world.BuildPartShopsAndSupply();
    ASSERT_NE(supply, nullptr);
    SIM_Game::Instance().SetSpeed(4.0f);
    world.PlayHours(30);
    ASSERT_FALSE(SIM_FinanceManager::Instance().IsGameOver());
    // A busy factory: cars on the line, objects in flight and in store, designs and sales.
    ASSERT_GT(SIM_VehicleManager::Instance().GetVehicles().size(), 3u);
    ASSERT_GT(SIM_ResourceObjManager::Instance().CountInUse(), 50);
    ASSERT_FALSE(SIM_VehicleDesignManager::Instance().GetDesigns().empty());
    ASSERT_GT(SalesRecordPool::Instance().highestIndex, 0);
    EXPECT_FALSE(supply->Stored().empty());
    size_t parts = 0;
    for (const SIM_ComponentStockpile* shop : SIM_ComponentStockpileManager::Instance().Stockpiles())
        parts += shop->Held().size();
    EXPECT_GT(parts, 0u);

    // Sold objects leave an outlet one per 500 ms: the game is saved while some wait their turn.
    for (int frame = 0; frame < 20000 && OutletQueues().empty(); ++frame)
        world.Frames(1);
    const std::string queues = OutletQueues();
    ASSERT_NE(queues, "");

    const std::string before = DumpSimulation();
    const std::string counts = CountObjectsByPlace();
    const size_t conveyors = SIM_ResourceConveyorManager::Instance().Conveyors().size();
    for (int cycle = 0; cycle < 3; ++cycle)
    {
        SCOPED_TRACE(cycle);
        ASSERT_TRUE(SIM_SaveGame::Instance().QuickSave());
        ASSERT_TRUE(SIM_LoadGame::Instance().QuickLoad());
        EXPECT_EQ(CountObjectsByPlace(), counts);
        EXPECT_EQ(OutletQueues(), queues);
        EXPECT_EQ(FirstDifference(before, DumpSimulation()), "");
        EXPECT_EQ(SIM_ResourceConveyorManager::Instance().Conveyors().size(), conveyors);
    }

    // The game speed is the player's, not the save's.
    SIM_Game::Instance().SetSpeed(4.0f);
    const SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    const float incomeBefore = ledger.GetTotal(-1, FC_CAR_SALES);
    const int hourBefore = SIM_Game::Instance().GetCurrentHour();
    // Saved and loaded again every half hour, cars sold in the hour or not, the game goes on
    // as it was: the market's demand included, which follows the hours before the current one.
    int soldThisHour = 0;
    for (int half = 0; half < 16; ++half)
    {
        SCOPED_TRACE(half);
        world.Frames(234);
        soldThisHour += SalesRecordPool::Instance().GetQuantitySold(nullptr, 1) > 0 ? 1 : 0;
        const std::string state = DumpSimulation();
        ASSERT_TRUE(SIM_SaveGame::Instance().QuickSave());
        ASSERT_TRUE(SIM_LoadGame::Instance().QuickLoad());
        ASSERT_EQ(FirstDifference(state, DumpSimulation()), "");
        SIM_Game::Instance().SetSpeed(4.0f);
    }
    EXPECT_GT(soldThisHour, 0) << "no save fell after a sale in its hour";
    world.PlayHours(hourBefore + 8 - SIM_Game::Instance().GetCurrentHour());
    EXPECT_EQ(SIM_Game::Instance().GetCurrentHour(), hourBefore + 8);
    ASSERT_FALSE(SIM_FinanceManager::Instance().IsGameOver());
    const float income = ledger.GetTotal(-1, FC_CAR_SALES);
    EXPECT_GT(income, incomeBefore) << "the loaded factory sold nothing";
    const float expenses = ledger.GetTotal(-1, FC_ALL_EXPENSES);
    const float cash = SIM_FinanceManager::Instance().GetCash();
    std::printf("after the loads: sales %.0f (+%.0f), expenses %.0f, cash %.0f\n", income, income - incomeBefore,
                expenses, cash);
    // The ledger keeps cents; the cash is single precision.
    EXPECT_NEAR(cash, startCash + income - expenses, std::max(50.0f, cash * 1e-4f));
}

namespace
{
// One of two different games on the first mission: the assembly line, or only the part shops
// with the supply store, played a few hours at speed 4 from the same random draws; the state it
// ends in.
std::string PlayGame(SaveWorld& world, bool assemblyLine)
{
    // A running game ends first, as the menu ends it; then the game starts on one thread, from
    // the same draws and clock reading (the money the workers book in whatever order they finish
    // would differ in its last bits from run to run).
    FreshState::EndGame();
    FreshState::Forget<SIM_ThreadManager>();
    // The clock is set first: the draws are seeded from it.
    PClock::SetManual(true, 1000 * 1000000ull);
    GRandom::Init();
    if (!world.StartGame())
        return "no game";
    const bool built = assemblyLine ? world.BuildAssemblyLine() : world.BuildPartShopsAndSupply() != nullptr;
    if (!built)
        return "not built";
    SIM_Game::Instance().SetSpeed(4.0f);
    world.PlayHours(assemblyLine ? 6 : 4);
    // An efficiency sample marked unused keeps the numbers the last game left in it until it is
    // written again; nothing reads them, so they are not compared.
    std::istringstream lines(DumpSimulation());
    std::string state, line;
    while (std::getline(lines, line))
    {
        const size_t mark = line.rfind("sample ", 0) == 0 ? line.find(' ', 7) : std::string::npos;
        if (mark != std::string::npos && line.compare(mark, 3, " 0 ") == 0)
            line.resize(mark + 2);
        state += line + "\n";
    }
    return state;
}
} // namespace

// Two different games one after the other in one run: each ends as it does when played alone,
// so nothing of the one before (floor, slots, cars, objects, books, research, designs, the
// market's cycle) reaches the next.
TEST(SaveWholeGame, TwoGamesInARowEndAsEachDoesAlone)
{
    std::string line, shops;
    {
        SaveWorld world;
        line = PlayGame(world, true);
    }
    {
        SaveWorld world;
        shops = PlayGame(world, false);
    }
    ASSERT_NE(line, shops);
    // The same games one after the other in one world, the first one once more at the end.
    SaveWorld world;
    EXPECT_EQ(FirstDifference(line, PlayGame(world, true)), "");
    EXPECT_EQ(FirstDifference(shops, PlayGame(world, false)), "");
    EXPECT_EQ(FirstDifference(line, PlayGame(world, true)), "");
}

namespace
{
// Objects in a state (SIM_ResourceObject::State).
int ObjectsIn(int state)
{
    int counts[4];
    bigfactory::Factory::CountObjects(counts);
    return counts[state];
}

// Objects on their way that have no route to follow.
int RoutelessOnTheirWay()
{
    int lost = 0;
    for (int32_t i = 0; i <= SIM_ResourceObjManager::Instance().TopIndex(); ++i)
    {
        const SIM_ResourceObject& object = SIM_ResourceObjManager::Instance().Record(i);
        lost += object.IsInUse() && object.m_state == SIM_ResourceObject::STATE_IN_TRANSIT && !object.m_route;
    }
    return lost;
}

// Bands of two car lines with one car chain each, `bays` bays at their left ends sending every
// tick, no chassis station (nothing is used up, so the conveyors fill), on one thread.
bigfactory::Layout FillingLayout(int size, int bands, int bays)
{
    bigfactory::Layout layout;
    layout.size = size;
    layout.bands = bands;
    layout.chains = 1;
    layout.carBelts = 1;
    layout.bays = bays;
    layout.chassis = false;
    layout.workers = false;
    return layout;
}

// The factory run at speed 4 until `transit` objects are on their way, saved, loaded again and
// set back to speed 4.
void ReloadWithObjectsOnTheirWay(bigfactory::Factory& factory, int transit)
{
    ASSERT_TRUE(factory.Build());
    factory.RegisterMission();
    SaveFolder::Set(factory.Folder().string());
    SIM_Game::Instance().SetSpeed(4.0f);
    for (int frame = 0; frame < 6000 && ObjectsIn(SIM_ResourceObject::STATE_IN_TRANSIT) < transit; ++frame)
        factory.Frame();
    ASSERT_GE(ObjectsIn(SIM_ResourceObject::STATE_IN_TRANSIT), transit);
    ASSERT_TRUE(SIM_SaveGame::Instance().SaveGame("busy"));
    ASSERT_TRUE(SIM_LoadGame::Instance().LoadGame("busy"));
    ASSERT_GE(ObjectsIn(SIM_ResourceObject::STATE_IN_TRANSIT), transit);
    SIM_Game::Instance().SetSpeed(4.0f);
}
} // namespace

// Objects restored on their way find their routes again a game second after the load, all in the
// same frame. They follow the routes their stockpiles are served along, so the route records in
// use follow the routes, not the objects: a thousand objects once took a thousand records, and
// eight thousand filled the table and froze the game.
TEST(SaveWholeGame, ObjectsOnTheirWayAfterALoadShareTheRoutesOfTheirStockpiles)
{
    // Four bands, one bay each on its own run of conveyors.
    bigfactory::Factory factory(FillingLayout(60, 4, 4), 1.0f);
    ASSERT_NO_FATAL_FAILURE(ReloadWithObjectsOnTheirWay(factory, 1000));
    // Two game seconds: every object restored on its way has looked for its route.
    for (int frame = 0; frame < 32; ++frame)
        factory.Frame();
    EXPECT_EQ(RoutelessOnTheirWay(), 0);
    EXPECT_GE(ObjectsIn(SIM_ResourceObject::STATE_IN_TRANSIT), 1000);
    // One route from its band's bay to each stockpile is all the objects travel.
    RouteTable& table = RouteTable::Instance();
    int recordsInUse = 0;
    for (int32_t i = 0; i <= table.HighestIndex(); ++i)
        recordsInUse += table.Record(i).InUse() ? 1 : 0;
    EXPECT_LE(recordsInUse, factory.StationCount()) << "objects on their way took route records of their own";
}

// Objects restored on their way look for their routes when their retry time runs out, all in the
// same frame. One frame's route searching, the stations' looking for their bays and the objects'
// for their ways together, stays within the frame's share (no search starts that the share cannot
// hold whole), the other objects wait for the next frames in their turn, and every one of them
// finds its way. Once a single frame searched for all of them, and later frames still ran past the
// share with each search they started and with the stations' share beside the objects'.
TEST(SaveWholeGame, ObjectsOnTheirWayAfterALoadShareTheirSearchesOutOverFrames)
{
    // Bands joined into one network by a spine of conveyors, two bays a band: objects reach a
    // stockpile from any bay, and stand on ways its own bay's route does not take.
    bigfactory::Layout layout = FillingLayout(160, 22, 44);
    layout.spine = true;
    bigfactory::Factory factory(layout, 1.0f);
    ASSERT_NO_FATAL_FAILURE(ReloadWithObjectsOnTheirWay(factory, 4000));
    const int restored =
        ObjectsIn(SIM_ResourceObject::STATE_IN_TRANSIT) + ObjectsIn(SIM_ResourceObject::STATE_DELIVERED);
    SIM_PathFinder& finder = SIM_PathFinder::Instance();
    const uint64_t share = RouteSearchShare::kNodesPerFrame;
    uint64_t most = 0;
    int waited = 0;
    for (int frame = 0; frame < 120; ++frame)
    {
        const uint64_t before = finder.ExpansionsDone();
        factory.Frame();
        most = std::max(most, finder.ExpansionsDone() - before);
        waited += SIM_ResourceObjManager::Instance().RoutesDue() > 0 ? 1 : 0;
    }
    EXPECT_LE(most, share);
    EXPECT_GT(waited, 0) << "the objects asked for no more than one frame's share: the test shows nothing";
    EXPECT_EQ(RoutelessOnTheirWay(), 0);
    // Nothing is used up, so no object restored on its way or in store went missing.
    EXPECT_GE(ObjectsIn(SIM_ResourceObject::STATE_IN_TRANSIT) + ObjectsIn(SIM_ResourceObject::STATE_DELIVERED),
              restored);
}
