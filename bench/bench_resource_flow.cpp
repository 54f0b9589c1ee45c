// bench-links: fv_sim
// Route searches per second on a 200 x 200 conveyor maze, and the cost of moving the whole pool
// of 16384 resource objects for one frame.
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "sim/world/TileWaypointGrid.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace
{
constexpr int kBenchFloor = 200;

// A new game on an open floor of kBenchFloor x kBenchFloor.
void BenchStartGame(SIM_Mission& mission, std::string& path)
{
    std::filesystem::current_path(FV_SOURCE_DIR);
    path = (std::filesystem::temp_directory_path() / "fv_bench_flow.txt").string();
    std::ofstream(path) << "[config]\nname = bench\nworldx = " << kBenchFloor << "\nworldy = " << kBenchFloor
                        << "\n\n[zone0]\nleft = 0\ntop = 0\nright = " << kBenchFloor - 1
                        << "\nbottom = " << kBenchFloor - 1 << "\ntype = UNLOCKED\nrent = 0\nfloortextures = f.dds\n";
    mission.Load(path);
    SIM_Game::Instance().InitSimulation(&mission);
}

void BenchEndGame(const std::string& path)
{
    SIM_Game::Instance().Reset();
    SIM_ResourceConveyorManager::Instance().Clear();
    RouteTable::Instance().ClearAll();
    SIM_Game::Instance().SetMission(nullptr);
    std::filesystem::remove(path);
}

void BenchLay(SIM_Factory& factory, int x, int y)
{
    SIM_Tile* tile = factory.GetTile(x, y);
    if (!tile || tile->m_conveyor)
        return;
    SIM_ResourceConveyor* conveyor = SIM_ResourceConveyorManager::Instance().CreateConveyor();
    conveyor->m_tile = tile;
    conveyor->m_facing = 1;
    tile->m_conveyor = conveyor;
}
} // namespace

// Corridors along x on every even row, joined through one or two gaps in each odd row.
static void BenchRouteSearchOnMaze(benchmark::State& state)
{
    SIM_Mission mission;
    std::string path;
    BenchStartGame(mission, path);
    SIM_Factory& factory = *SIM_Game::Instance().GetFactory();
    std::mt19937 random(7);
    for (int y = 0; y < kBenchFloor; ++y)
    {
        if (y % 2 == 0)
        {
            for (int x = 0; x < kBenchFloor; ++x)
                BenchLay(factory, x, y);
        }
        else
        {
            BenchLay(factory, static_cast<int>(random() % kBenchFloor), y);
            if (random() % 2)
                BenchLay(factory, static_cast<int>(random() % kBenchFloor), y);
        }
    }
    SIM_PathFinder& finder = SIM_PathFinder::Instance();
    int64_t found = 0;
    int64_t searches = 0;
    for (auto _ : state)
    {
        // Pairs a few corridors apart, so that searches both succeed and run into the bound.
        const int sy = 2 * static_cast<int>(random() % (kBenchFloor / 2));
        const int gy = std::min(kBenchFloor - 2, sy + 2 * static_cast<int>(random() % 8)) & ~1;
        SIM_Tile* start = factory.GetTile(static_cast<int>(random() % kBenchFloor), sy);
        SIM_Tile* goal = factory.GetTile(static_cast<int>(random() % kBenchFloor), gy);
        SIM_ResourceRoute* route = finder.GeneratePath(start, goal, SIM_PathFinder::MODE_RESOURCE);
        ++searches;
        if (route)
        {
            ++found;
            route->SetInUse(false);
        }
    }
    state.counters["searches/s"] = benchmark::Counter(static_cast<double>(searches), benchmark::Counter::kIsRate);
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(searches ? searches : 1);
    BenchEndGame(path);
}
BENCHMARK(BenchRouteSearchOnMaze)->Unit(benchmark::kMicrosecond);

// Every record of the pool in transit along one long conveyor, moved for one frame.
static void BenchMoveFullPool(benchmark::State& state)
{
    SIM_Mission mission;
    std::string path;
    PClock::SetManual(true, 1000000000ull);
    BenchStartGame(mission, path);
    SIM_Factory& factory = *SIM_Game::Instance().GetFactory();
    for (int x = 0; x < kBenchFloor; ++x)
        BenchLay(factory, x, 0);
    SIM_ResourceRoute* route =
        RouteTable::Instance().RequestRoute(factory.GetTile(0, 0), factory.GetTile(kBenchFloor - 1, 0));
    // One frame of 16 ms gives the frame time that every step below moves by.
    PClock::AdvanceManual(16000000ull);
    SIM_Game::Instance().Update();
    PClock::AdvanceManual(16000000ull);
    SIM_Game::Instance().Update();

    SIM_FacilityTask task;
    task.m_name = "fac_bench";
    // Placed in a corner; the game's reset removes and deletes it.
    SIM_PlaceableSlot* destination = SIM_Placement::PlaceTask(&task, factory.GetTile(0, kBenchFloor - 1), 1, true);
    SIM_Resource resource;
    resource.m_name = "bench";

    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    auto place = [&]() {
        const int32_t usable = static_cast<int32_t>(route->m_steps.size()) - 400;
        for (int32_t i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
        {
            SIM_ResourceObject& object = pool.Record(i);
            const TileWaypoint* point = route->m_steps[static_cast<size_t>(i % usable)];
            object.Init(&resource, destination, point->m_worldX, point->m_worldY);
            object.StartTransit();
            object.m_route = route;
            object.m_stepCursor = i % usable + 1;
        }
    };
    place();
    pool.SetTopIndex(SIM_ResourceObjManager::kPoolSize - 1);
    int frames = 0;
    for (auto _ : state)
    {
        pool.UpdateAll(SIM_Game::Instance().GetFrameTime());
        if (++frames == 500)
        {
            state.PauseTiming();
            place();
            frames = 0;
            state.ResumeTiming();
        }
    }
    state.counters["objects"] = static_cast<double>(pool.CountInUse());
    for (int32_t i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
        pool.Record(i).Release();
    BenchEndGame(path);
    PClock::SetManual(false);
}
BENCHMARK(BenchMoveFullPool)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
