// The resource flow of a big factory, counted rather than timed: with the pool full, what one step
// does must follow what moves and what changes, not how many objects merely wait or lie stored;
// a request the pool refuses is not asked again until something it waits for has changed; route
// records go to the routes objects travel; and failures that repeat every step leave a log that
// stays small. The nearest-bay search that looks at few bays gives the bay that scoring every bay
// gives.
#include "tests/sim/BigFactory.h"
#include "tests/sim/FlowTestSupport.h"
#include "tests/sim/SimTestSupport.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_RepeatLog.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/RouteSearchShare.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceRoute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <string>
#include <vector>

namespace flow_at_scale_test
{
SIM_ResourceObjManager& Pool()
{
    return SIM_ResourceObjManager::Instance();
}

// Two bands of two car lines of eleven stations (no chassis station, so no car uses anything up),
// four import bays, on a 40 x 40 floor; bays send every tick.
class SmallFullFactory : public ::testing::Test
{
protected:
    static bigfactory::Layout SmallLayout()
    {
        bigfactory::Layout layout;
        layout.size = 40;
        layout.bands = 2;
        layout.chains = 1;
        layout.carBelts = 1;
        layout.bays = 4;
        layout.chassis = false;
        layout.workers = false;
        return layout;
    }

    SmallFullFactory() : factory(SmallLayout(), 0.0f) {}

    void SetUp() override
    {
        ASSERT_TRUE(factory.Build());
        SIM_Game::Instance().SetSpeed(4.0f);
        for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
            if (SIM_ResourceStockpile* stockpile = static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile())
                stockpiles.push_back(stockpile);
        ASSERT_EQ(stockpiles.size(), 44u);
    }

    bool AllStocked() const
    {
        return std::all_of(stockpiles.begin(), stockpiles.end(), [](const SIM_ResourceStockpile* s) {
            return s->Stored().size() == static_cast<size_t>(SIM_ResourceStockpile::kCapacity);
        });
    }

    // Every free record becomes an object that waits at no source for nobody.
    static int FillPool()
    {
        const SIM_Resource* resource = SIM_ResourceManager::Instance().GetResources().front();
        int filled = 0;
        while (SIM_ResourceObject* object = Pool().Allocate())
        {
            object->Init(resource, nullptr, 0.0f, 0.0f);
            ++filled;
        }
        return filled;
    }

    static int RouteRecordsInUse()
    {
        RouteTable& table = RouteTable::Instance();
        int used = 0;
        for (int32_t i = 0; i <= table.HighestIndex(); ++i)
            used += table.Record(i).InUse() ? 1 : 0;
        return used;
    }

    struct StepWork
    {
        SIM_FlowWork work;
        int routeRecords = 0;
    };

    // The work of `frames` steps; three steps cover every stockpile's request cycle.
    StepWork Measure(int frames)
    {
        Pool().Work() = SIM_FlowWork();
        for (int i = 0; i < frames; ++i)
            factory.Frame();
        return StepWork{Pool().Work(), RouteRecordsInUse()};
    }

    bigfactory::Factory factory;
    std::vector<SIM_ResourceStockpile*> stockpiles;
};

TEST_F(SmallFullFactory, AStepDoesNoMoreWorkForEveryObjectThatMerelyWaits)
{
    int frames = 0;
    while (!AllStocked() && frames++ < 4000)
        factory.Frame();
    ASSERT_TRUE(AllStocked()) << "the stockpiles were never filled";
    int counts[4];
    bigfactory::Factory::CountObjects(counts);
    EXPECT_EQ(counts[SIM_ResourceObject::STATE_IN_TRANSIT], 0);

    const StepWork quiet = Measure(183);
    EXPECT_GT(FillPool(), 15000);
    const StepWork crowded = Measure(183);

    EXPECT_EQ(crowded.work.objectsExamined, quiet.work.objectsExamined);
    EXPECT_EQ(crowded.work.requestsTried, quiet.work.requestsTried);
    EXPECT_EQ(crowded.routeRecords, quiet.routeRecords);
    // Four bays could reach every stockpile; only the routes objects travel took a record.
    EXPECT_LE(crowded.routeRecords, static_cast<int>(stockpiles.size()));
}

// A step clears the carrying flags that objects set, not the flag of every conveyor piece of the
// floor: on a floor of many more pieces than objects on their way, the pieces a step touches
// follow what moves. What it leaves is what clearing every piece left: the pieces flagged are
// those objects passed over since, and the power drawn counts them.
TEST_F(SmallFullFactory, AStepClearsOnlyTheCarryingFlagsObjectsSet)
{
    // Rows of conveyor that nothing travels.
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_TRUE(factory.LayConveyor(x, y));
    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    ASSERT_GT(conveyors.Conveyors().size(), 1000u);
    auto flagged = [&conveyors]() {
        uint64_t count = 0;
        for (const SIM_ResourceConveyor* conveyor : conveyors.Conveyors())
            count += conveyor->IsCarrying() ? 1 : 0;
        return count;
    };
    uint64_t carried = 0;
    for (int frame = 0; frame < 400; ++frame)
    {
        int counts[4];
        bigfactory::Factory::CountObjects(counts);
        const uint64_t before = flagged();
        ASSERT_EQ(conveyors.CarryingCount(), before);
        const uint64_t cleared = conveyors.CarryingCleared();
        factory.Frame();
        // At most one piece under each object on its way; every one of them is cleared again.
        EXPECT_EQ(conveyors.CarryingCleared() - cleared, before) << "frame " << frame;
        EXPECT_LE(before, static_cast<uint64_t>(counts[SIM_ResourceObject::STATE_IN_TRANSIT])) << "frame " << frame;
        carried += before;
    }
    EXPECT_GT(carried, 0u) << "no object passed over a piece: the test shows nothing";
    EXPECT_EQ(conveyors.CarryingCount(), flagged());
    // A piece taken up while it carries leaves the pieces flagged behind with it.
    for (SIM_ResourceConveyor* conveyor : conveyors.Conveyors())
        if (conveyor->IsCarrying())
        {
            ASSERT_TRUE(SIM_Placement::RemoveConveyor(conveyor->m_tile, false));
            break;
        }
    EXPECT_EQ(conveyors.CarryingCount(), flagged());
    factory.Frame();
    EXPECT_EQ(conveyors.CarryingCount(), flagged());
}

TEST_F(SmallFullFactory, ARefusedRequestWaitsForAFreeRecord)
{
    int frames = 0;
    while (!AllStocked() && frames++ < 4000)
        factory.Frame();
    ASSERT_TRUE(AllStocked());
    // Every station uses up its stock, and the records it frees are taken by objects that wait
    // for nothing: every stockpile now asks for sixteen objects of a full pool.
    EXPECT_EQ(bigfactory::Factory::ConsumeAllStored(), 44 * 16);
    FillPool();

    // Each stockpile asks once for its one resource and is refused; it does not ask again.
    const StepWork first = Measure(61);
    EXPECT_GT(first.work.requestsTried, 0u);
    EXPECT_LE(first.work.requestsTried, stockpiles.size());
    EXPECT_EQ(first.work.objectsExamined, 0u) << "no object moves, and a full pool has no free record to look at";
    const StepWork later = Measure(244);
    EXPECT_EQ(later.work.requestsTried, 0u);
    EXPECT_GT(later.work.requestsHeldBack, 0u);

    // One record comes free: a stockpile gets it at its next request.
    Pool().Record(Pool().TopIndex()).Release();
    const StepWork freed = Measure(61);
    EXPECT_GT(freed.work.requestsTried, 0u);
    EXPECT_EQ(Pool().CountInUse(), SIM_ResourceObjManager::kPoolSize);
}

TEST_F(SmallFullFactory, AThousandRepeatedFailuresWriteAFewLines)
{
    simtest::ScratchDir folder;
    GDebugLog::Instance().Open(folder.Path().string());
    // Lines with something on them (a trace ends its text with a line break of its own).
    auto lines = [&folder]() {
        const std::string text = simtest::ReadText(folder.File("debug/debug.txt"));
        int count = 0;
        for (size_t at = 0; at < text.size();)
        {
            const size_t end = std::min(text.find('\n', at), text.size());
            count += end > at ? 1 : 0;
            at = end + 1;
        }
        return count;
    };
    FillPool();
    const auto before = lines();

    SIM_ResourceStockpile* stockpile = stockpiles.front();
    stockpile->GetSlot()->UpdateRouteState();
    ASSERT_NE(stockpile->GetSlot()->GetNearestImportBay(), nullptr);
    const SIM_Resource* wanted = stockpile->Needs()[0].resource
                                     ? stockpile->Needs()[0].resource
                                     : SIM_ResourceManager::Instance().GetResources().front();
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(Pool().Spawn(stockpile->GetSlot(), wanted), nullptr);
    EXPECT_LE(lines() - before, 1) << "the first refusal is traced, the rest are counted";

    // A game minute later one line sums them up.
    const float minuteMs = SIM_SimConfig::GetFloat("HOUR_LENGTH") / 60.0f;
    const float start = SIM_Game::Instance().GetGameTime();
    while (SIM_Game::Instance().GetGameTime() - start < 2.0f * minuteMs)
        factory.Frame();
    const std::string text = simtest::ReadText(folder.File("debug/debug.txt"));
    EXPECT_NE(text.find("x Resource object limit reached..."), std::string::npos);
    EXPECT_LE(lines() - before, 1 + 44 + 3) << "first refusals of the stockpiles and one line per game minute:\n"
                                            << text;
    GDebugLog::Instance().Close();
}

// Each conveyor piece laid or taken up looks at a few entries of the conveyor list, however long
// the list already is: a floor of n pieces is built and cleared in work that grows with n.
TEST_F(SmallFullFactory, LayingAndTakingUpConveyorsLooksAtAFewEntriesEach)
{
    const SIM_ResourceConveyorManager::ConveyorList& conveyors = SIM_ResourceConveyorManager::Instance().Conveyors();
    const size_t before = conveyors.size();
    const uint64_t touched = conveyors.EntriesTouched();
    std::vector<SIM_Tile*> laid;
    for (int y = 20; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (factory.LayConveyor(x, y))
                laid.push_back(factory.Tile(x, y));
    ASSERT_EQ(conveyors.size(), before + 400);
    // Oldest first, the order that would move the most entries of a plain list.
    for (SIM_Tile* tile : laid)
        ASSERT_TRUE(SIM_Placement::RemoveConveyor(tile, false));
    EXPECT_EQ(conveyors.size(), before);
    EXPECT_LE(conveyors.EntriesTouched() - touched, 4 * laid.size());
}

// Taking up a trunk conveyor and laying it back sends only the stations whose routes it touched
// looking for their nearest bay again, never those of the other band, and brings the runs of
// joined conveyors up to date around the piece instead of numbering the floor again.
TEST_F(SmallFullFactory, AConveyorEditWorksOnWhatItChanges)
{
    for (int i = 0; i < 200; ++i)
        factory.Frame();
    std::vector<SIM_ResourceStockpile*> farBand;
    for (SIM_ResourceStockpile* stockpile : stockpiles)
    {
        ASSERT_NE(stockpile->GetSlot()->GetNearestImportBay(), nullptr);
        if (stockpile->GetTile()->m_gridY > 7)
            farBand.push_back(stockpile);
    }
    ASSERT_EQ(farBand.size(), stockpiles.size() / 2);
    auto lookingAgain = [this]() {
        return std::count_if(stockpiles.begin(), stockpiles.end(), [](const SIM_ResourceStockpile* stockpile) {
            return stockpile->GetSlot()->GetNearestImportBay() == nullptr;
        });
    };
    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    conveyors.RunOf(factory.Tile(0, 4));
    const ConveyorNetworks::Work before = conveyors.RunWork();
    // The feed row of the first band, half way along.
    SIM_Tile* trunk = factory.Tile(20, 4);
    ASSERT_TRUE(SIM_Placement::RemoveAt(trunk, true));
    EXPECT_GT(lookingAgain(), 0) << "the routes across the piece are gone: their stations look again";
    EXPECT_LE(lookingAgain(), static_cast<std::ptrdiff_t>(stockpiles.size() - farBand.size()));
    for (const SIM_ResourceStockpile* stockpile : farBand)
        EXPECT_NE(stockpile->GetSlot()->GetNearestImportBay(), nullptr);
    for (int i = 0; i < 10; ++i)
        factory.Frame();
    EXPECT_EQ(lookingAgain(), 0);

    ASSERT_EQ(SIM_Placement::LayConveyorPath({trunk}), 1);
    EXPECT_LE(lookingAgain(), static_cast<std::ptrdiff_t>(stockpiles.size() - farBand.size()));
    for (const SIM_ResourceStockpile* stockpile : farBand)
        EXPECT_NE(stockpile->GetSlot()->GetNearestImportBay(), nullptr);
    factory.Frame();
    // The piece and its neighbours, not the floor's 240 conveyor tiles.
    EXPECT_EQ(conveyors.RunWork().renumberings, before.renumberings);
    EXPECT_LE(conveyors.RunWork().tilesVisited - before.tilesVisited, 20u);
}

// Taking a trunk conveyor up and laying it back searches no route inside the click, however many
// objects on their way it leaves without a route: those whose way takes a search stop where they
// stand and wait in line for the frames' shares, as after a load, and so do the checks of what
// waits at the bays for the stations whose routes went. Within a few frames every object on its
// way has a route again, no frame's searching passes its share, and the flow holds together. The
// click once ran every one of those searches itself.
TEST_F(SmallFullFactory, AConveyorEditSearchesNoRouteItself)
{
    for (int i = 0; i < 300; ++i)
        factory.Frame();
    RouteTable& routes = RouteTable::Instance();
    SIM_PathFinder& finder = SIM_PathFinder::Instance();
    auto routeless = []() {
        int count = 0;
        for (int32_t i = 0; i <= Pool().TopIndex(); ++i)
        {
            const SIM_ResourceObject& object = Pool().Record(i);
            count += object.IsInUse() && object.m_state == SIM_ResourceObject::STATE_IN_TRANSIT && !object.m_route;
        }
        return count;
    };
    ASSERT_EQ(routeless(), 0);
    auto edit = [&](const char* what, auto change) {
        SCOPED_TRACE(what);
        Pool().Work() = SIM_FlowWork();
        const uint64_t searches = routes.SearchCount();
        const uint64_t nodes = finder.ExpansionsDone();
        ASSERT_TRUE(change());
        EXPECT_EQ(routes.SearchCount(), searches);
        EXPECT_EQ(finder.ExpansionsDone(), nodes);
        EXPECT_GT(Pool().Work().routesLost, 0u) << "the edit took no object's route: the test shows nothing";
        EXPECT_GT(Pool().RoutesDue() + Pool().ChecksDue(), 0u) << "nothing waited for a search";
        uint64_t most = 0;
        for (int frame = 0; frame < 60 && Pool().RoutesDue() + Pool().ChecksDue() > 0; ++frame)
        {
            const uint64_t before = finder.ExpansionsDone();
            factory.Frame();
            most = std::max(most, finder.ExpansionsDone() - before);
        }
        EXPECT_EQ(Pool().RoutesDue() + Pool().ChecksDue(), 0u);
        EXPECT_LE(most, RouteSearchShare::kNodesPerFrame);
        EXPECT_EQ(routeless(), 0);
        EXPECT_EQ(flowtest::CheckFlowInvariants(), "");
    };
    // The feed row of the first band beside its bay: every route of the band crosses it.
    SIM_Tile* trunk = factory.Tile(1, 4);
    edit("taken up", [trunk] { return SIM_Placement::RemoveAt(trunk, true); });
    edit("laid back", [trunk] { return SIM_Placement::LayConveyorPath({trunk}) == 1; });
}

// Taking one station off a floor of many looks at what it holds: its own objects, the queue one
// of them waits in, its own requests and its place in the slot lists; not every slot, bay and
// request of the floor. The rest of the floor keeps its objects. The end of the game looks at each
// object waiting in a bay's queue once.
TEST_F(SmallFullFactory, TakingOneSlotOffLooksOnlyAtWhatItHolds)
{
    // Car conveyors below the bands make the slot lists long.
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_NE(factory.PlaceTask("task_conveyor", x, y), nullptr);
    const size_t slots = SlotQueries::Instance().GetAllSlots().size();
    ASSERT_GT(slots, 800u);

    // Every station waits for one object at a bay and one on its way, and holds two.
    const std::vector<SIM_ResourceImportBay*>& bays = SIM_ResourceConveyorManager::Instance().ImportBays();
    const SIM_Resource* resource = SIM_ResourceManager::Instance().GetResources().front();
    for (size_t s = 0; s < stockpiles.size(); ++s)
        for (int n = 0; n < 4; ++n)
        {
            SIM_ResourceObject* object = Pool().Allocate();
            ASSERT_NE(object, nullptr);
            object->Init(resource, stockpiles[s]->GetSlot(), 0.0f, 0.0f);
            if (n < 2)
                stockpiles[s]->AddRequest(object);
            if (n == 0)
                bays[s % bays.size()]->Enqueue(object);
            else if (n == 1)
                object->StartTransit();
            else
            {
                object->m_state = SIM_ResourceObject::STATE_DELIVERED;
                object->m_placeIndex = n;
                stockpiles[s]->LoadObject(object);
            }
        }
    ASSERT_EQ(flowtest::CheckFlowInvariants(), "");
    const int32_t inUse = Pool().CountInUse();
    size_t queued = 0;
    for (const SIM_ResourceImportBay* bay : bays)
        queued += bay->Queue().size();

    const uint64_t looked = SlotQueries::Instance().EntriesLookedAt();
    Pool().Work() = SIM_FlowWork();
    SIM_Placement::RemoveSlot(stockpiles[stockpiles.size() / 2]->GetSlot(), true, false);
    stockpiles.erase(stockpiles.begin() + static_cast<std::ptrdiff_t>(stockpiles.size() / 2));

    EXPECT_EQ(Pool().CountInUse(), inUse - 4);
    size_t queuedAfter = 0;
    for (const SIM_ResourceImportBay* bay : bays)
        queuedAfter += bay->Queue().size();
    EXPECT_EQ(queuedAfter, queued - 1);
    EXPECT_EQ(flowtest::CheckFlowInvariants(), "");
    // The waiting object's bay queue and its station's requests; nothing else.
    EXPECT_LE(Pool().Work().queuesSearched, 2u);
    // The slot's place in each list: the last entry, then a halving search.
    EXPECT_LE(SlotQueries::Instance().EntriesLookedAt() - looked, 2u * (2 + std::bit_width(slots)));

    // The end of the game empties each bay's queue at once. The stations go first placed first,
    // while the queues hold the last placed one's objects first: a station that took the objects
    // it waits for off their queues one by one would search most of a queue for each.
    for (size_t s = stockpiles.size(); s-- > 0;)
        for (int n = 0; n < 8; ++n)
        {
            SIM_ResourceObject* object = Pool().Allocate();
            ASSERT_NE(object, nullptr);
            object->Init(resource, stockpiles[s]->GetSlot(), 0.0f, 0.0f);
            stockpiles[s]->AddRequest(object);
            bays[s % bays.size()]->Enqueue(object);
        }
    size_t waiting = 0;
    for (const SIM_ResourceImportBay* bay : bays)
        waiting += bay->Queue().size();
    ASSERT_GT(waiting, 300u);
    const uint64_t queueEntries = SIM_ResourceImportBay::QueueEntriesLookedAt();
    FreshState::EndGame();
    EXPECT_LE(SIM_ResourceImportBay::QueueEntriesLookedAt() - queueEntries, waiting);
}

// Scoring only the bays that may still win gives the bay that scoring every bay gives, with
// queues of all lengths and bays on runs of conveyor that do not reach the goal.
TEST(NearestImportBay, LookingAtFewBaysGivesTheBayScoringEveryBayGives)
{
    flowtest::FlowWorld world(30, 30);
    std::mt19937 random(38);
    for (int y = 0; y < 30; y += 3)
        world.LayRow(y, 0, 29);
    for (int x = 0; x < 30; x += 1 + static_cast<int>(random() % 9))
        world.LayColumn(x, 0, 14 + static_cast<int>(random() % 16));
    world.LayColumn(29, 20, 29);
    std::vector<SIM_ResourceImportBay*> bays;
    for (int i = 0; i < 14; ++i)
    {
        SIM_Tile* tile = world.Tile(static_cast<int>(random() % 30), 3 * static_cast<int>(random() % 10));
        if (std::none_of(bays.begin(), bays.end(), [tile](SIM_ResourceImportBay* b) { return b->GetTile() == tile; }))
            bays.push_back(world.PlaceBareBay(tile->m_gridX, tile->m_gridY));
    }
    const SIM_Resource* resource = &world.defs.steel;
    for (SIM_ResourceImportBay* bay : bays)
        for (int n = static_cast<int>(random() % 4); n > 0; --n)
            if (SIM_ResourceObject* object = Pool().Allocate())
            {
                object->Init(resource, nullptr, 0.0f, 0.0f);
                bay->Enqueue(object);
            }
    flowtest::FlowWorld::FloorChanged();

    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    for (int goalY = 0; goalY < 30; goalY += 3)
    {
        for (int goalX = 0; goalX < 30; goalX += 4)
        {
            SIM_Tile* goal = world.Tile(goalX, goalY);
            // Every bay scored, in list order, as a walk over the bays would.
            size_t best = 999999;
            SIM_ResourceImportBay* expected = nullptr;
            for (SIM_ResourceImportBay* bay : conveyors.ImportBays())
            {
                SIM_ResourceRoute* route = RouteTable::Instance().RequestRoute(bay->GetTile(), goal);
                const size_t score = route ? route->m_tiles.size() + 4 * bay->QueueLength() : 999999;
                if (score < best)
                {
                    best = score;
                    expected = bay;
                }
            }
            EXPECT_EQ(conveyors.FindNearestImportBay(goal), expected) << "goal " << goalX << "," << goalY;
        }
    }
}
// A piece that joins a station's run of conveyors to another that holds a nearer bay sends the
// station looking again, though no route to it crossed the piece: it takes the nearer bay. A
// piece taken up between them sends it back to the bay it can still reach. The runs were
// numbered once, with the floor, and kept up to date piece by piece after.
TEST(NearestImportBay, JoiningRunsGivesTheirStationsTheNearerBay)
{
    flowtest::FlowWorld world(30, 10);
    world.LayRow(5, 0, 14);
    world.LayRow(5, 16, 29);
    SIM_ResourceImportBay* east = world.PlaceBareBay(29, 5);
    SIM_ResourceImportBay* west = world.PlaceBareBay(13, 5);
    SIM_ProductionSlot* station = world.PlaceSlot(world.defs.consumer, 17, 5);
    ASSERT_NE(station, nullptr);
    // The runs are numbered with the floor, as a load ends, never again in a frame or an edit.
    flowtest::FlowWorld::FloorChanged();
    const uint64_t numbered = SIM_ResourceConveyorManager::Instance().RunWork().renumberings;
    station->UpdateRouteState();
    ASSERT_EQ(station->GetNearestImportBay(), east);
    // The station looks again at its own pace, as it does after any edit.
    auto settled = [station]() {
        for (int i = 0; i < 200 && !station->GetNearestImportBay(); ++i)
            flowtest::FlowWorld::Frame(16);
        return station->GetNearestImportBay();
    };
    SIM_Tile* gap = world.Tile(15, 5);
    ASSERT_EQ(SIM_Placement::LayConveyorPath({gap}), 1);
    EXPECT_EQ(station->GetNearestImportBay(), nullptr);
    EXPECT_EQ(settled(), west);
    ASSERT_TRUE(SIM_Placement::RemoveConveyor(gap, false));
    EXPECT_EQ(settled(), east);
    EXPECT_EQ(SIM_ResourceConveyorManager::Instance().RunWork().renumberings, numbered);
}

// A new game on the largest factory sends every station looking for its nearest bay in the same
// few frames: one frame's route searching stays within its share (a search starts only when the
// share holds the whole of it, and the searches measured side by side on the workers count
// too), the rest waits for the next frames, and every station still finds a bay. The opening
// frames once paid for all of it at once, and then ran on past the share by the searches they
// had started.
TEST(NearestImportBay, ANewBigFactorySharesItsSearchesOutOverFrames)
{
    // With the workers, as in the game: the bays that may still win are measured side by side.
    bigfactory::Layout layout;
    bigfactory::Factory factory(layout);
    ASSERT_TRUE(factory.Build());
    SIM_Game::Instance().SetSpeed(4.0f);
    SIM_PathFinder& finder = SIM_PathFinder::Instance();
    uint64_t most = 0;
    int busy = 0;
    for (int frame = 0; frame < 120; ++frame)
    {
        const uint64_t before = finder.ExpansionsDone();
        factory.Frame();
        const uint64_t work = finder.ExpansionsDone() - before;
        most = std::max(most, work);
        busy += work + SIM_PathFinder::kLongestSearch > RouteSearchShare::kNodesPerFrame ? 1 : 0;
    }
    EXPECT_LE(most, RouteSearchShare::kNodesPerFrame);
    EXPECT_GT(busy, 1) << "the opening asked for no more than one frame's share: the test shows nothing";
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
    {
        if (static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile())
        {
            EXPECT_NE(slot->GetNearestImportBay(), nullptr);
        }
    }
}
} // namespace flow_at_scale_test
