// Stockpiles, exporters, bays and single objects at the edges: places, surplus, deficits, a
// stockpile left without its conveyor, the exporter's rate, unroutable objects and what removal
// leaves behind.
#include "tests/sim/FlowTestSupport.h"
#include "tests/sim/SlotsTestFloor.h"

#include "platform/core/PRandom.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/RouteSearchShare.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ResourceExporter.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/money/SIM_FinanceManager.h"

#include <gtest/gtest.h>

namespace flow_stockpile_test
{
using flowtest::CheckFlowInvariants;
using flowtest::FlowWorld;
using flowtest::kMs;

SIM_ResourceObjManager& Pool()
{
    return SIM_ResourceObjManager::Instance();
}

// An object of the pool, live and delivered on a place of the stockpile's list.
SIM_ResourceObject* StoredObject(std::vector<SIM_ResourceObject*>& list, const SIM_Resource* resource, int32_t place,
                                 SIM_ProductionTask* task = nullptr)
{
    SIM_ResourceObject* object = Pool().Allocate();
    object->Init(resource, nullptr, 0.0f, 0.0f);
    object->m_state = SIM_ResourceObject::STATE_DELIVERED;
    object->m_placeIndex = place;
    object->m_task = task;
    list.push_back(object);
    return object;
}

// A station on a conveyor line fed by one bay.
struct StationFloor
{
    StationFloor() : world(12, 8)
    {
        world.LayRow(3, 0, 8);
        bay = world.PlaceBay(0, 3);
        station = world.PlaceSlot(world.defs.consumer, 8, 3);
        FlowWorld::FloorChanged();
    }
    SIM_ResourceStockpile& Stockpile() { return *station->GetInputStockpile(); }
    // A supply stockpile on a loop from the line, nearer the station than the bay.
    SIM_SupplyStockpile* AddSupply()
    {
        world.LayRow(5, 4, 8);
        world.LayColumn(4, 3, 5);
        SIM_SupplyStockpile* supply = world.PlaceSupply(4, 5);
        FlowWorld::FloorChanged();
        return supply;
    }

    FlowWorld world;
    SIM_ResourceImportBay* bay = nullptr;
    SIM_ProductionSlot* station = nullptr;
};

TEST(FlowStockpile, FreePlaceWrapsToTheFirstPlace)
{
    StationFloor floor;
    auto& stored = floor.Stockpile().MutableStored();
    for (int32_t place = 1; place < 16; ++place)
        StoredObject(stored, &floor.world.defs.steel, place);
    for (uint32_t seed = 0; seed < 40; ++seed)
    {
        PRandom::Seed(seed);
        EXPECT_EQ(floor.Stockpile().FreePlace(), 0) << "seed " << seed;
    }
    StoredObject(stored, &floor.world.defs.steel, 0);
    EXPECT_EQ(floor.Stockpile().FreePlace(), -1);
    floor.Stockpile().Clear();
    EXPECT_EQ(Pool().CountInUse(), 0);
}

TEST(FlowStockpile, AFullStockpileTrashesASurplusObjectBeforeItAsks)
{
    StationFloor floor;
    FlowWorld& world = floor.world;
    auto& stored = floor.Stockpile().MutableStored();
    // 16 steel for this station's runs, no paint: paint is missing, there is no room.
    for (int32_t place = 0; place < 16; ++place)
        StoredObject(stored, &world.defs.steel, place, &world.defs.consumer);
    floor.Stockpile().Update();
    EXPECT_EQ(floor.Stockpile().CountStored(&world.defs.steel), 15);
    EXPECT_EQ(floor.Stockpile().CountRequested(&world.defs.paint), 1);
    EXPECT_EQ(floor.Stockpile().Room(), 0);
    EXPECT_EQ(Pool().CountInUse(), 16);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST(FlowStockpile, RequestsDropSurplusWhenNothingStoredIsSurplus)
{
    StationFloor floor;
    FlowWorld& world = floor.world;
    SIM_ResourceStockpile& stockpile = floor.Stockpile();
    // Two needed steel stored; fourteen paint requested, far beyond the one a run needs.
    StoredObject(stockpile.MutableStored(), &world.defs.steel, 0, &world.defs.consumer);
    StoredObject(stockpile.MutableStored(), &world.defs.steel, 1, &world.defs.consumer);
    floor.station->UpdateRouteState();
    for (int i = 0; i < 14; ++i)
    {
        SIM_ResourceObject* object = Pool().Spawn(floor.station, &world.defs.paint);
        ASSERT_NE(object, nullptr);
        stockpile.AddRequest(object);
    }
    EXPECT_EQ(floor.bay->QueueLength(), 14u);
    stockpile.TrashLowPriorityResource();
    EXPECT_EQ(stockpile.CountRequested(&world.defs.paint), 13);
    EXPECT_EQ(floor.bay->QueueLength(), 13u);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST(FlowStockpile, AFullStockpileWhoseConveyorIsTakenUpTrashesNothing)
{
    // A station whose first step needs nothing (so nothing stops it for want of a route) and
    // whose second needs steel; the car has had the first, and the stockpile is full of steel.
    slotstest::Floor floor;
    ASSERT_NE(SIM_Placement::LayConveyor(floor.Tile(3, 4), 1, false), nullptr);
    SIM_ProductionSlot* station = floor.Place("task_inspect_panels", 3, 3);
    ASSERT_NE(station, nullptr);
    station->SetCurrentSubTask(1);
    SIM_ResourceStockpile& stockpile = *station->GetInputStockpile();
    ASSERT_EQ(stockpile.GetTile(), floor.Tile(3, 4));
    const SIM_Resource* steel = SIM_ResourceManager::Instance().GetResource("steel");
    for (int32_t place = 0; place < 16; ++place)
        StoredObject(stockpile.MutableStored(), steel, place);
    ASSERT_EQ(stockpile.Room(), 0);
    // The player takes up the piece under the stockpile: it keeps what it holds and asks for nothing.
    ASSERT_TRUE(SIM_Placement::RemoveConveyor(floor.Tile(3, 4), false));
    stockpile.Update();
    EXPECT_EQ(stockpile.CountStored(steel), 16);
    EXPECT_TRUE(stockpile.Requests().empty());
}

TEST(FlowExporter, SendsOneObjectPerFiveHundredMilliseconds)
{
    StationFloor floor;
    SIM_ResourceExporter exporter; // its timer runs from here
    auto& stored = floor.Stockpile().MutableStored();
    SIM_ResourceObject* first = StoredObject(stored, &floor.world.defs.steel, 3);
    SIM_ResourceObject* second = StoredObject(stored, &floor.world.defs.steel, 7);
    stored.clear();
    exporter.Enqueue(first);
    exporter.Enqueue(second);
    EXPECT_EQ(first->m_state, SIM_ResourceObject::STATE_WAITING);

    PClock::AdvanceManual(500 * kMs);
    EXPECT_EQ(exporter.ExportOne(), -1) << "exactly 500 ms is not more than the rate";
    PClock::AdvanceManual(1 * kMs);
    EXPECT_EQ(exporter.ExportOne(), 3);
    EXPECT_EQ(first->m_state, SIM_ResourceObject::STATE_IN_TRANSIT);
    PClock::AdvanceManual(300 * kMs);
    EXPECT_EQ(exporter.ExportOne(), -1);
    PClock::AdvanceManual(201 * kMs);
    EXPECT_EQ(exporter.ExportOne(), 7);
    PClock::AdvanceManual(5000 * kMs);
    EXPECT_EQ(exporter.ExportOne(), -1) << "nothing queued";
    first->Release();
    second->Release();
}

TEST(FlowImportBay, AnIdleBaySendsTheFirstObjectAtOnceAndDropsWhatCannotArrive)
{
    FlowWorld world(12, 8);
    world.LayRow(3, 0, 8);
    world.Lay(8, 4);
    SIM_ResourceImportBay* bay = world.PlaceBay(0, 3);
    SIM_ProductionSlot* near = world.PlaceSlot(world.defs.consumer, 8, 3);
    SIM_SupplyStockpile* far = world.PlaceSupply(8, 4);
    ASSERT_NE(far, nullptr);
    FlowWorld::FloorChanged();

    // Long idle: the bay's timer is far past its delay.
    PClock::AdvanceManual(2000 * kMs);
    near->UpdateRouteState();
    far->UpdateRouteState();
    SIM_ResourceObject* lost = Pool().Spawn(far, &world.defs.steel);
    ASSERT_NE(lost, nullptr);
    far->AddRequest(lost);
    SIM_ResourceObject* sent = Pool().Spawn(near, &world.defs.steel);
    ASSERT_NE(sent, nullptr);
    near->GetInputStockpile()->AddRequest(sent);
    EXPECT_EQ(bay->QueueLength(), 2u);

    // The supply stockpile's conveyor is cut; the cached route is forgotten without a purge.
    world.Lift(8, 4);
    RouteTable::Instance().ClearAll();
    bay->Update();
    // The first could not be routed: dropped, and its stockpile no longer waits for it.
    EXPECT_TRUE(far->Requests().empty());
    EXPECT_FALSE(lost->IsInUse());
    // The second left in the same tick.
    EXPECT_EQ(bay->QueueLength(), 0u);
    EXPECT_EQ(sent->m_state, SIM_ResourceObject::STATE_IN_TRANSIT);
    EXPECT_NE(sent->m_route, nullptr);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST(FlowImportBay, ABayOnItsStationsStockpileHandsObjectsOverAtOnce)
{
    FlowWorld world(6, 6);
    SIM_ResourceImportBay* bay = world.PlaceBareBay(0, 3);
    SIM_ProductionSlot* station = world.PlaceSlot(world.defs.consumer, 0, 3);
    ASSERT_NE(station, nullptr);
    station->UpdateRouteState();
    ASSERT_EQ(station->GetNearestImportBay(), bay);
    SIM_ResourceObject* object = Pool().Spawn(station, &world.defs.steel);
    ASSERT_NE(object, nullptr);
    station->GetInputStockpile()->AddRequest(object);
    PClock::AdvanceManual(1000 * kMs);
    bay->Update();
    EXPECT_EQ(bay->QueueLength(), 0u);
    EXPECT_TRUE(object->IsInUse());
    EXPECT_EQ(object->m_state, SIM_ResourceObject::STATE_DELIVERED);
    EXPECT_EQ(station->GetInputStockpile()->Stored().size(), 1u);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST(FlowObject, AnObjectOnItsDestinationTileIsDeliveredAtOnce)
{
    StationFloor floor;
    SIM_Tile* tile = floor.world.Tile(8, 3);
    SIM_ResourceObject* object = Pool().Allocate();
    object->Init(&floor.world.defs.steel, floor.station, tile->m_worldX, tile->m_worldY);
    floor.Stockpile().AddRequest(object);
    object->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
    object->Reroute();
    EXPECT_EQ(object->m_state, SIM_ResourceObject::STATE_DELIVERED);
    EXPECT_EQ(floor.Stockpile().Stored().size(), 1u);
    EXPECT_TRUE(floor.Stockpile().Requests().empty());
    EXPECT_EQ(object->m_destination, nullptr);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST(FlowObject, AnExhaustedPoolStillLetsStockpilesHandOutWhatTheyHold)
{
    StationFloor floor;
    FlowWorld& world = floor.world;
    SIM_SupplyStockpile* supply = floor.AddSupply();
    ASSERT_NE(supply, nullptr);
    SIM_ResourceObject* held = StoredObject(supply->MutableStored(), &world.defs.steel, 4);

    std::vector<SIM_ResourceObject*> filler;
    while (SIM_ResourceObject* object = Pool().Allocate())
    {
        object->Init(&world.defs.paint, nullptr, 0.0f, 0.0f);
        filler.push_back(object);
    }
    floor.station->UpdateRouteState();
    EXPECT_EQ(Pool().Spawn(floor.station, &world.defs.paint), nullptr) << "the bay needs a fresh record";
    EXPECT_EQ(Pool().Spawn(floor.station, &world.defs.steel), held) << "the supply stockpile hands out its own";
    EXPECT_EQ(supply->Exporter().Queue().size(), 1u);
    held->Release();
    supply->Exporter().MutableQueue().clear();
    for (SIM_ResourceObject* object : filler)
        object->Release();
}

// While the share of route searching cannot hold a search, what weighs sources by routes not yet
// measured waits for the share instead of deciding on the routes it could measure: a request
// takes nothing and is not held back as refused, and a station without a bay does not decide
// whether component stockpiles can serve it. Nothing is searched meanwhile; with the searches
// made, the same sources give the same answers.
TEST(FlowObject, WhatWeighsSourcesByRouteWaitsForTheRouteSearch)
{
    StationFloor floor;
    FlowWorld& world = floor.world;
    SIM_SupplyStockpile* supply = floor.AddSupply();
    ASSERT_NE(supply, nullptr);
    // A seat station far from the bay's line, reached only from a seat maker's export tile.
    world.LayRow(7, 0, 11);
    SIM_ProductionSlot* seats = world.PlaceSlot(world.defs.seatUser, 11, 7);
    ASSERT_NE(world.PlaceSlot(world.defs.maker, 2, 7), nullptr);
    FlowWorld::FloorChanged();
    SIM_ResourceObject* held = StoredObject(supply->MutableStored(), &world.defs.steel, 4);
    SIM_PathFinder& finder = SIM_PathFinder::Instance();
    const uint64_t nodes = finder.ExpansionsDone();
    Pool().Work() = SIM_FlowWork();
    {
        const RouteSearchShare none(0);
        EXPECT_EQ(Pool().Spawn(floor.station, &world.defs.steel), nullptr);
        EXPECT_TRUE(Pool().SpawnWaited());
        EXPECT_FALSE(seats->UpdateRouteState());
        floor.Stockpile().Update();
        seats->GetInputStockpile()->Update();
    }
    EXPECT_EQ(finder.ExpansionsDone(), nodes) << "a search ran without the share to hold it";
    EXPECT_EQ(held->m_state, SIM_ResourceObject::STATE_DELIVERED);
    EXPECT_EQ(Pool().Work().requestsHeldBack, 0u);
    EXPECT_NE(seats->GetState(), NOROUTE_TO_RESOURCES);

    ASSERT_EQ(Pool().Spawn(floor.station, &world.defs.steel), held) << "the supply stockpile is nearer than the bay";
    EXPECT_FALSE(Pool().SpawnWaited());
    floor.Stockpile().AddRequest(held);
    EXPECT_TRUE(seats->UpdateRouteState());
    EXPECT_EQ(seats->GetNearestImportBay(), nullptr);
    bool undecided = true;
    EXPECT_TRUE(seats->GetInputStockpile()->CanServeFromComponents(undecided));
    EXPECT_FALSE(undecided);
    EXPECT_NE(seats->GetState(), NOROUTE_TO_RESOURCES);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

class SupplyFloor : public ::testing::Test
{
protected:
    SupplyFloor() : world(12, 10)
    {
        world.LayRow(3, 0, 9);
        world.LayColumn(9, 3, 7);
        bay = world.PlaceBay(0, 3);
        supply = world.PlaceSupply(5, 3);
        station = world.PlaceSlot(world.defs.consumer, 9, 7);
        FlowWorld::FloorChanged();
        // A supply stockpile looks for its bay when a station first asks it for something.
        supply->UpdateRouteState();
    }
    FlowWorld world;
    SIM_ResourceImportBay* bay = nullptr;
    SIM_SupplyStockpile* supply = nullptr;
    SIM_ProductionSlot* station = nullptr;
};

TEST_F(SupplyFloor, TheLargestShortfallIsBoughtFirstOnePerUpdate)
{
    ASSERT_NE(supply, nullptr);
    struct Case
    {
        const char* what;
        int steel, paint;
        int storedSteel;
        const SIM_Resource* expected;
    } cases[] = {
        {"equal shortfalls: the first item", 5, 5, 0, &world.defs.steel},
        {"larger shortfall wins", 2, 5, 0, &world.defs.paint},
        {"a met item is never chosen", 2, 0, 2, nullptr},
    };
    for (const Case& c : cases)
    {
        supply->ClearStockItems();
        supply->Clear();
        supply->AddStockItem(&world.defs.steel, c.steel);
        supply->AddStockItem(&world.defs.paint, c.paint);
        for (int i = 0; i < c.storedSteel; ++i)
            StoredObject(supply->MutableStored(), &world.defs.steel, i);
        EXPECT_EQ(supply->MostNeededResource(), c.expected) << c.what;
        const size_t before = supply->Requests().size();
        supply->UpdateStockpile();
        EXPECT_EQ(supply->Requests().size(), before + (c.expected ? 1u : 0u)) << c.what;
    }
}

TEST_F(SupplyFloor, PlacesAreOnlyThePalletsThatExist)
{
    // Two tiles of 16 pallets: 32 places although the capacity is 36.
    ASSERT_EQ(supply->PalletPlaces().size(), 32u);
    supply->AddStockItem(&world.defs.steel, 60);
    for (int32_t place = 0; place < 32; ++place)
        StoredObject(supply->MutableStored(), &world.defs.steel, place);
    EXPECT_EQ(supply->FreePlace(), -1);
    // Every pallet is taken: nothing more is bought (it could only be thrown away on arrival),
    // although the capacity is 36 and 28 more are wanted.
    SIM_FinanceManager::Instance().StartGameWithCash(1000.0f);
    for (int i = 0; i < 6; ++i)
        supply->UpdateStockpile();
    EXPECT_TRUE(supply->Requests().empty());
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), 1000.0f);
    // A pallet that empties is bought for again.
    SIM_ResourceObject* leaving = supply->MutableStored().back();
    supply->MutableStored().pop_back();
    leaving->Release();
    supply->UpdateStockpile();
    supply->UpdateStockpile();
    EXPECT_EQ(supply->Requests().size(), 1u);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(SupplyFloor, WithoutConveyorASupplyStockpileBuysNothing)
{
    world.Lift(5, 3);
    FlowWorld::FloorChanged();
    supply->AddStockItem(&world.defs.steel, 5);
    supply->UpdateStockpile();
    EXPECT_TRUE(supply->Requests().empty());
}

TEST_F(SupplyFloor, RemovingASupplyStockpileWithdrawsWhatItWasSending)
{
    for (int i = 0; i < 6; ++i)
        StoredObject(supply->MutableStored(), &world.defs.steel, i);
    station->GetInputStockpile()->Update();
    const int32_t queued = static_cast<int32_t>(supply->Exporter().Queue().size());
    ASSERT_GT(queued, 0);
    const int32_t requested = station->GetInputStockpile()->CountRequested(&world.defs.steel);
    FlowWorld::Bulldoze(supply);
    supply = nullptr;
    // Steel that was on its way out is no longer awaited; what comes from the bay still is.
    EXPECT_EQ(station->GetInputStockpile()->CountRequested(&world.defs.steel), requested - queued);
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(SupplyFloor, RemovingAStationTakesWhatItWaitedForOffTheExporter)
{
    for (int i = 0; i < 6; ++i)
        StoredObject(supply->MutableStored(), &world.defs.steel, i);
    station->GetInputStockpile()->Update();
    ASSERT_GT(supply->Exporter().Queue().size(), 0u);
    FlowWorld::Bulldoze(station);
    station = nullptr;
    // Nothing leaves the exporter for a stockpile that is gone, and no record stays queued.
    EXPECT_TRUE(supply->Exporter().Queue().empty());
    EXPECT_EQ(CheckFlowInvariants(), "");
}

TEST_F(SupplyFloor, ConveyorEditsKeepObjectsQueuedAtAnExporter)
{
    for (int i = 0; i < 6; ++i)
        StoredObject(supply->MutableStored(), &world.defs.steel, i);
    station->GetInputStockpile()->Update();
    const size_t queued = supply->Exporter().Queue().size();
    ASSERT_GT(queued, 0u);
    world.Lay(10, 10 - 1);
    FlowWorld::FloorChanged();
    EXPECT_EQ(supply->Exporter().Queue().size(), queued);
    EXPECT_EQ(CheckFlowInvariants(), "");
    // They still reach the station.
    for (int i = 0; i < 2000 && station->GetInputStockpile()->CountStored(&world.defs.steel) < 2; ++i)
        FlowWorld::Frame(16);
    EXPECT_GE(station->GetInputStockpile()->CountStored(&world.defs.steel), 2);
    EXPECT_EQ(CheckFlowInvariants(), "");
}
} // namespace flow_stockpile_test
