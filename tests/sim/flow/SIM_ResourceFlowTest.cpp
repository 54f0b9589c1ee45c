// Scripted floors: resources bought at import bays travel the conveyors to the stockpiles that
// asked for them; conveyor, bay and slot edits while objects are on their way.
#include "tests/sim/FlowTestSupport.h"

#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/slots/SIM_Placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace flow_scripted_test
{
using flowtest::CheckFlowInvariants;
using flowtest::FlowWorld;

SIM_ResourceObjManager& Pool()
{
    return SIM_ResourceObjManager::Instance();
}

std::vector<SIM_ResourceObject*> InTransit()
{
    std::vector<SIM_ResourceObject*> moving;
    for (int32_t i = 0; i <= Pool().TopIndex(); ++i)
        if (Pool().Record(i).IsInUse() && Pool().Record(i).m_state == SIM_ResourceObject::STATE_IN_TRANSIT)
            moving.push_back(&Pool().Record(i));
    return moving;
}

template <class Condition>
bool StepUntil(Condition condition, int maxFrames)
{
    for (int i = 0; i < maxFrames; ++i)
    {
        if (condition())
            return true;
        FlowWorld::Frame(16);
    }
    return condition();
}

// Two bays at both ends of one conveyor line, a station nearer to the east bay.
class FlowLine : public ::testing::Test
{
protected:
    FlowLine() : world(20, 10)
    {
        world.LayRow(5, 0, 19);
        west = world.PlaceBay(0, 5);
        east = world.PlaceBay(19, 5);
        station = world.PlaceSlot(world.defs.consumer, 14, 5);
        FlowWorld::FloorChanged();
    }
    SIM_ResourceStockpile& Stockpile() { return *station->GetInputStockpile(); }
    int32_t Requests() { return static_cast<int32_t>(Stockpile().Requests().size()); }
    int32_t Stored() { return static_cast<int32_t>(Stockpile().Stored().size()); }

    FlowWorld world;
    SIM_ResourceImportBay* west = nullptr;
    SIM_ResourceImportBay* east = nullptr;
    SIM_ProductionSlot* station = nullptr;
};

TEST_F(FlowLine, StockpileBuysWhatIsMissingAtTheNearestBay)
{
    ASSERT_NE(station, nullptr);
    ASSERT_NE(station->GetInputStockpile(), nullptr);
    const float cash = SIM_FinanceManager::Instance().GetCash();
    ASSERT_TRUE(StepUntil([&]() { return Requests() > 0; }, 70));
    EXPECT_EQ(station->GetNearestImportBay(), east);
    // One update fills all 16 places: 2 steel and 1 paint per run, for as many runs as fit.
    EXPECT_EQ(Requests(), 16);
    EXPECT_EQ(Stockpile().CountRequested(&world.defs.steel), 11);
    EXPECT_EQ(Stockpile().CountRequested(&world.defs.paint), 5);
    EXPECT_FLOAT_EQ(cash - SIM_FinanceManager::Instance().GetCash(), 11 * 10.0f + 5 * 4.0f);
    EXPECT_EQ(west->QueueLength(), 0u);
    EXPECT_EQ(east->QueueLength() + InTransit().size(), 16u);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(FlowLine, OneObjectLeavesTheBayPerDelay)
{
    ASSERT_TRUE(StepUntil([&]() { return east->QueueLength() > 0; }, 70));
    // The delay is 250 ms of bay time; 16 ms frames: one leaves every 16th frame.
    std::vector<int> sendFrames;
    size_t queued = east->QueueLength();
    for (int frame = 0; frame < 100; ++frame)
    {
        FlowWorld::Frame(16);
        if (east->QueueLength() < queued)
        {
            EXPECT_EQ(queued - east->QueueLength(), 1u) << "frame " << frame;
            sendFrames.push_back(frame);
        }
        queued = east->QueueLength();
    }
    ASSERT_GE(sendFrames.size(), 5u);
    for (size_t i = 1; i < sendFrames.size(); ++i)
        EXPECT_EQ(sendFrames[i] - sendFrames[i - 1], 16);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(FlowLine, ObjectsMoveAtConveyorSpeed)
{
    ASSERT_TRUE(StepUntil([&]() { return !InTransit().empty(); }, 120));
    for (float multiplier : {1.0f, 2.0f})
    {
        SIM_GlobalFactoryVariables::Instance().m_variables[GFV_RESOURCE_CONV_SPEED].multiplier = multiplier;
        FlowWorld::Frame(16); // the frame time of the next step is this frame's length
        SIM_ResourceObject* object = InTransit().front();
        const float x = object->m_x;
        const float y = object->m_y;
        const int32_t cursor = object->m_stepCursor;
        FlowWorld::Frame(16);
        const float moved = std::hypot(object->m_x - x, object->m_y - y);
        EXPECT_NEAR(moved, 16.0f * 0.5f * multiplier, 0.01f) << "multiplier " << multiplier << " cursor " << cursor;
    }
}

TEST_F(FlowLine, EveryRequestedObjectIsDeliveredIntoTheStockpile)
{
    ASSERT_TRUE(StepUntil([&]() { return Stored() == 16; }, 3000));
    EXPECT_EQ(Requests(), 0);
    EXPECT_EQ(east->QueueLength(), 0u);
    EXPECT_TRUE(InTransit().empty());
    EXPECT_EQ(Stockpile().CountStored(&world.defs.steel), 11);
    for (const SIM_ResourceObject* object : Stockpile().Stored())
    {
        EXPECT_EQ(object->m_destination, nullptr);
        EXPECT_EQ(object->m_route, nullptr);
    }
    EXPECT_EQ(Pool().CountInUse(), 16);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(FlowLine, ADetourReroutesWhatIsOnItsWay)
{
    ASSERT_TRUE(StepUntil([&]() { return InTransit().size() >= 2; }, 400));
    // The line is cut west of the station and a detour laid round the gap.
    world.Lift(17, 5);
    world.Lay(16, 6);
    world.Lay(17, 6);
    world.Lay(18, 6);
    FlowWorld::FloorChanged();
    for (SIM_ResourceObject* object : InTransit())
    {
        ASSERT_NE(object->m_route, nullptr);
        EXPECT_EQ(object->m_route->m_goalTile, world.Tile(14, 5));
    }
    EXPECT_EQ(CheckFlowInvariants(), "");
    ASSERT_TRUE(StepUntil([&]() { return Stored() == 16; }, 4000));
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(FlowLine, AnEditAwayFromTheRoutesLeavesThemAndWhatIsOnThemAlone)
{
    ASSERT_TRUE(StepUntil([&]() { return InTransit().size() >= 2; }, 400));
    struct Way
    {
        SIM_ResourceObject* object;
        SIM_ResourceRoute* route;
        int32_t cursor;
    };
    std::vector<Way> ways;
    for (SIM_ResourceObject* object : InTransit())
        ways.push_back(Way{object, object->m_route, object->m_stepCursor});
    const uint64_t searches = RouteTable::Instance().SearchCount();
    // A piece laid and taken up again three rows away, where no route search ever looked.
    SIM_Tile* away = world.Tile(8, 1);
    ASSERT_EQ(SIM_Placement::LayConveyorPath({away}), 1);
    ASSERT_TRUE(SIM_Placement::RemoveConveyor(away, false));
    EXPECT_EQ(RouteTable::Instance().SearchCount(), searches) << "routes were searched again";
    for (const Way& way : ways)
    {
        EXPECT_EQ(way.object->m_route, way.route);
        EXPECT_EQ(way.object->m_stepCursor, way.cursor);
        EXPECT_TRUE(way.route->InUse());
    }
    EXPECT_EQ(CheckFlowInvariants(), "");
    // A piece taken up under the routes is felt: no object keeps a way across the gap.
    SIM_Tile* gap = world.Tile(16, 5);
    world.Lift(16, 5);
    for (SIM_ResourceObject* object : InTransit())
    {
        if (object->m_route)
        {
            EXPECT_EQ(std::count(object->m_route->m_tiles.begin(), object->m_route->m_tiles.end(), gap), 0);
        }
    }
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(FlowLine, CutOffObjectsAreDroppedAndTheirRequestsWithdrawn)
{
    world.Lift(0, 5); // the west bay goes with its conveyor
    FlowWorld::FloorChanged();
    // Cut the line while one object is past the cut, others before it and more wait in the bay.
    auto pastTheCut = [&]() {
        for (SIM_ResourceObject* object : InTransit())
            if (object->m_currentTile && object->m_currentTile->m_gridX <= 15)
                return InTransit().size() >= 2;
        return false;
    };
    ASSERT_TRUE(StepUntil(pastTheCut, 1000));
    ASSERT_GT(east->QueueLength(), 0u);
    world.Lift(16, 5);
    FlowWorld::FloorChanged();
    // Waiting objects that can no longer reach the station leave the queue and the pool at once.
    EXPECT_EQ(east->QueueLength(), 0u);
    EXPECT_EQ(CheckFlowInvariants(), "");
    // Moving objects east of the cut lose their way: after the retry time they are given up; the
    // ones past the cut arrive.
    for (int i = 0; i < 400; ++i)
    {
        FlowWorld::Frame(16);
        ASSERT_EQ(CheckFlowInvariants(), "") << "frame " << i;
    }
    EXPECT_TRUE(InTransit().empty());
    EXPECT_EQ(Requests(), 0);
    EXPECT_GT(Stored(), 0);
    EXPECT_LT(Stored(), 16);
    EXPECT_EQ(Pool().CountInUse(), Stored());
    EXPECT_EQ(station->GetState(), NOROUTE_TO_RESOURCES);
    // The line mended, the station buys again.
    world.Lay(16, 5);
    FlowWorld::FloorChanged();
    EXPECT_TRUE(StepUntil([&]() { return Requests() > 0; }, 70));
    EXPECT_EQ(station->GetNearestImportBay(), east);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(FlowLine, RemovingABayLeavesNothingBehind)
{
    ASSERT_TRUE(StepUntil([&]() { return east->QueueLength() > 3; }, 70));
    world.Lift(19, 5); // the east bay goes with its conveyor
    FlowWorld::FloorChanged();
    EXPECT_EQ(station->GetNearestImportBay(), nullptr);
    EXPECT_EQ(CheckFlowInvariants(), "");
    for (int i = 0; i < 100; ++i)
        FlowWorld::Frame(16);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(FlowLine, RemovingTheStationReleasesEverythingItAskedFor)
{
    ASSERT_TRUE(StepUntil([&]() { return InTransit().size() >= 2 && east->QueueLength() > 0; }, 400));
    ASSERT_TRUE(StepUntil([&]() { return Stored() > 0; }, 2000));
    FlowWorld::Bulldoze(station);
    station = nullptr;
    EXPECT_EQ(Pool().CountInUse(), 0);
    EXPECT_EQ(east->QueueLength(), 0u);
    EXPECT_EQ(CheckFlowInvariants(), "");
    for (int i = 0; i < 50; ++i)
        FlowWorld::Frame(16);
    EXPECT_EQ(Pool().CountInUse(), 0);
}

TEST(FlowStockpile, AStockpileWithoutConveyorAsksForNothing)
{
    FlowWorld world(10, 10);
    world.LayRow(2, 0, 6);
    world.PlaceBay(0, 2);
    SIM_ProductionSlot* station = world.PlaceSlot(world.defs.consumer, 6, 4);
    ASSERT_NE(station, nullptr);
    for (int i = 0; i < 130; ++i)
        FlowWorld::Frame(16);
    EXPECT_TRUE(station->GetInputStockpile()->Requests().empty());
    EXPECT_EQ(Pool().CountInUse(), 0);
}
} // namespace flow_scripted_test
