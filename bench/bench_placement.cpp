// bench-links: fv_factoryview
// The placement tools' drags: while the player drags an overhead conveyor or a conveyor-slot chain,
// the route is planned again every time the mouse reaches another tile. Measured here: one
// re-plan of a 50-tile drag (the route from the press tile to the tile under the mouse), straight
// along a row and as a diagonal (25 tiles each way, where many routes are equally short), on an
// empty 200 x 200 hall and on the same hall with rows of workshops to pass. Headless: the route
// is the simulation's; the preview drawing is not part of it.
#include "engine/core/GRandom.h"
#include "gui/factory/placement/PathDrag.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace
{
// The hall, once per run; busy adds rows of workshops with gaps between them.
bool Prepare(bool busy)
{
    static int built = -1;
    if (built == static_cast<int>(busy))
        return true;
    std::filesystem::current_path(FV_SOURCE_DIR);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "fv_bench_placement";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "bench_drag_200.txt")
        << "[config]\nname = bench_drag_200\nworldx = 200\nworldy = 200\nstarting_cash = 90000000\n\n"
           "[zone0]\nleft = 1\ntop = 1\nright = 198\nbottom = 198\nGUIName = Hall\ntype = UNLOCKED\nrent = 1\n"
           "wallid = 1\nfloortextures = floor_concrete_01.dds\n\n[imports]\n0 = 1,2\n\n[exports]\n0 = 198,5\n";
    SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
    if (built < 0)
    {
        GRandom::Init();
        SIM_ThreadManager::Instance().Init();
    }
    SIM_MissionManager::Instance().Unload();
    SIM_MissionManager::Instance().Load((folder / "*.txt").string().c_str());
    SIM_Mission* mission = SIM_MissionManager::Instance().GetMission("bench_drag_200");
    if (!mission || !SIM_Game::Instance().InitSimulation(mission))
        return false;
    if (busy)
    {
        // Workshops three tiles long down every fourth column, a one-tile gap every ten rows.
        const SIM_ProductionTask* shop = SIM_ProductionTaskManager::Instance().GetTask("task_make_axles");
        SIM_Factory* factory = SIM_Game::Instance().GetFactory();
        for (int x = 52; x < 160; x += 4)
            for (int y = 2; y < 196; y += 4)
                if ((y / 4) % 10 != (x / 4) % 10)
                    SIM_Placement::PlaceTask(shop, factory->GetTile(x, y + 1), 1, true);
    }
    built = static_cast<int>(busy);
    return true;
}

// One re-plan per iteration, the mouse alternating between two neighbouring end tiles, so the
// route is found anew each time as it is while the mouse moves.
void Replan(benchmark::State& state, bool busy, int dx, int dy, int32_t mode)
{
    if (!Prepare(busy))
    {
        state.SkipWithError("no hall");
        return;
    }
    SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    const int x0 = 62, y0 = 81;
    SIM_Tile* ends[2] = {factory->GetTile(x0 + dx, y0 + dy), factory->GetTile(x0 + dx, y0 + dy - 1)};
    PathDrag drag;
    drag.Begin(factory->GetTile(x0, y0));
    size_t tiles = 0;
    int i = 0;
    for (auto _ : state)
    {
        drag.Plan(ends[i++ & 1], mode, true);
        tiles = drag.GetPath().size();
        benchmark::DoNotOptimize(tiles);
    }
    // The time column is the time of one re-plan.
    state.counters["route_tiles"] = static_cast<double>(tiles);
}

void BM_ConveyorDragStraight50(benchmark::State& state)
{
    Replan(state, false, 49, 0, SIM_PathFinder::MODE_CONVEYOR);
}
void BM_ConveyorDragDiagonal50(benchmark::State& state)
{
    Replan(state, false, 25, 24, SIM_PathFinder::MODE_CONVEYOR);
}
void BM_ConveyorDragThroughWorkshops50(benchmark::State& state)
{
    Replan(state, true, 49, 0, SIM_PathFinder::MODE_CONVEYOR);
}
void BM_ChainDragThroughWorkshops50(benchmark::State& state)
{
    Replan(state, true, 25, 24, SIM_PathFinder::MODE_SLOT_CHAIN);
}
} // namespace

BENCHMARK(BM_ConveyorDragStraight50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConveyorDragDiagonal50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConveyorDragThroughWorkshops50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChainDragThroughWorkshops50)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
