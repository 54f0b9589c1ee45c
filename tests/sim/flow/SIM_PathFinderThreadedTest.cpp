// The path finder's pool under concurrent searches: eight searchers, the ninth caller waits, the
// lowest free searcher is taken, and concurrent results equal those of one thread.
#include "tests/sim/FlowTestSupport.h"

#include "sim/definitions/SIM_ProductionTaskManager.h"

#include "sim/SIM_ThreadManager.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceRoute.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace flow_pathfinder_threaded_test
{
using flowtest::FlowFloor;
using flowtest::RouteText;

struct Pair
{
    int sx, sy, gx, gy, mode;
};

// Sixteen searches over a floor with a conveyor maze and an open part.
std::vector<Pair> SixteenSearches()
{
    std::vector<Pair> pairs;
    for (int i = 0; i < 8; ++i)
    {
        pairs.push_back({0, i * 2, 29, 29 - i * 2, 0});
        pairs.push_back({i, 0, 29 - i, 29, 1 + (i % 2)});
    }
    return pairs;
}

void LayMaze(FlowFloor& floor)
{
    for (int y = 0; y < 30; y += 2)
        floor.LayRow(y, 0, 29);
    for (int x = 0; x < 30; x += 7)
        floor.LayColumn(x, 0, 29);
    floor.LayColumn(29, 0, 29);
}

TEST(PathFinderThreaded, SixteenConcurrentSearchesMatchOneThread)
{
    FlowFloor floor(30, 30);
    LayMaze(floor);
    const std::vector<Pair> pairs = SixteenSearches();
    SIM_PathFinder& finder = SIM_PathFinder::Instance();

    std::vector<std::string> expected;
    for (const Pair& p : pairs)
    {
        SIM_ResourceRoute* route = finder.GeneratePath(floor.Tile(p.sx, p.sy), floor.Tile(p.gx, p.gy), p.mode);
        expected.push_back(RouteText(route));
        if (route)
            route->SetInUse(false);
    }

    for (int round = 0; round < 5; ++round)
    {
        std::vector<std::string> results(pairs.size());
        std::vector<std::thread> threads;
        std::atomic<bool> go{false};
        for (size_t i = 0; i < pairs.size(); ++i)
        {
            threads.emplace_back([&, i]() {
                while (!go.load())
                    std::this_thread::yield();
                const Pair& p = pairs[i];
                SIM_ResourceRoute* route = finder.GeneratePath(floor.Tile(p.sx, p.sy), floor.Tile(p.gx, p.gy), p.mode);
                results[i] = RouteText(route);
                if (route)
                    route->SetInUse(false);
            });
        }
        go.store(true);
        for (std::thread& t : threads)
            t.join();
        EXPECT_EQ(results, expected) << "round " << round;
        EXPECT_EQ(finder.BusyCount(), 0);
    }
}

TEST(PathFinderThreaded, TheNinthCallerWaitsForTheLowestFreeSearcher)
{
    FlowFloor floor(10, 10);
    SIM_PathFinder& finder = SIM_PathFinder::Instance();

    std::mutex lock;
    std::condition_variable changed;
    bool open[SIM_PathFinder::kSearchers] = {};
    std::vector<int> taken;
    finder.SetSearchHook([&](int index) {
        std::unique_lock<std::mutex> guard(lock);
        taken.push_back(index);
        changed.notify_all();
        changed.wait(guard, [&]() { return open[index]; });
    });

    std::vector<std::thread> threads;
    auto search = [&]() {
        SIM_ResourceRoute* route = finder.GeneratePath(floor.Tile(0, 0), floor.Tile(5, 5), 1);
        if (route)
            route->SetInUse(false);
    };
    for (int i = 0; i < 8; ++i)
        threads.emplace_back(search);
    {
        std::unique_lock<std::mutex> guard(lock);
        ASSERT_TRUE(changed.wait_for(guard, std::chrono::seconds(10), [&]() { return taken.size() == 8; }));
    }
    EXPECT_EQ(finder.BusyCount(), 8);

    threads.emplace_back(search);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    {
        std::lock_guard<std::mutex> guard(lock);
        EXPECT_EQ(taken.size(), 8u) << "a ninth search started while all eight searchers were busy";
    }

    // Searcher 5 comes free: the waiting caller takes it.
    {
        std::unique_lock<std::mutex> guard(lock);
        open[5] = true;
        changed.notify_all();
        ASSERT_TRUE(changed.wait_for(guard, std::chrono::seconds(10), [&]() { return taken.size() == 9; }));
        EXPECT_EQ(taken[8], 5);
    }
    auto waitBusy = [&](int busy) {
        for (int i = 0; i < 10000 && finder.BusyCount() != busy; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return finder.BusyCount() == busy;
    };
    ASSERT_TRUE(waitBusy(7));

    // Searchers 6 and 2 come free: a new search takes 2, the lowest free one.
    {
        std::lock_guard<std::mutex> guard(lock);
        open[2] = true;
        open[6] = true;
        changed.notify_all();
    }
    ASSERT_TRUE(waitBusy(5));
    search();
    {
        std::lock_guard<std::mutex> guard(lock);
        ASSERT_EQ(taken.size(), 10u);
        EXPECT_EQ(taken[9], 2);
        for (bool& o : open)
            o = true;
        changed.notify_all();
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(finder.BusyCount(), 0);
    finder.SetSearchHook(nullptr);
}
TEST(PathFinderThreaded, RouteRequestJobsOnWorkersGiveTheSameNearestBay)
{
    FlowFloor floor(30, 30);
    LayMaze(floor);
    std::vector<SIM_ResourceImportBay*> bays;
    for (int i = 0; i < 12; ++i)
    {
        SIM_Tile* tile = floor.Tile(i % 2 ? 29 : 0, 2 * i);
        SIM_Placement::PlaceTask(SIM_ProductionTaskManager::Instance().GetTask("task_resource_importer"), tile, 1,
                                 true);
        bays.push_back(SIM_ResourceConveyorManager::Instance().GetImportBayOn(tile));
    }
    SIM_ResourceConveyorManager& manager = SIM_ResourceConveyorManager::Instance();
    std::vector<SIM_Tile*> goals = {floor.Tile(14, 14), floor.Tile(7, 29), floor.Tile(28, 0), floor.Tile(3, 3)};

    // Without workers every request runs at once on this thread.
    std::vector<SIM_ResourceImportBay*> expected;
    for (SIM_Tile* goal : goals)
        expected.push_back(manager.FindNearestImportBay(goal));
    const size_t known = RouteTable::Instance().KnownCount();
    EXPECT_GT(known, 0u);

    // With workers the requests run in parallel; the table is filled the same way.
    RouteTable::Instance().ClearAll();
    SIM_ThreadManager& pool = SIM_ThreadManager::Instance();
    pool.Init();
    for (int round = 0; round < 3; ++round)
    {
        RouteTable::Instance().ClearAll();
        for (size_t i = 0; i < goals.size(); ++i)
            EXPECT_EQ(manager.FindNearestImportBay(goals[i]), expected[i]) << "goal " << i << " round " << round;
        EXPECT_EQ(RouteTable::Instance().KnownCount(), known);
    }
    pool.Shutdown();
}
} // namespace flow_pathfinder_threaded_test
