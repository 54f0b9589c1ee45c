// bench-links: fv_sim
// Cost of one simulation step on an empty floor (the tile loop, the two frame jobs and the
// clock) and of one post-and-wait round of the worker pool.
#include "sim/SIM_Game.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/world/SIM_Mission.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

static void BenchSimFrameOnEmptyFloor(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    std::filesystem::current_path(FV_SOURCE_DIR);
    const std::string path = (std::filesystem::temp_directory_path() / "fv_bench_floor.txt").string();
    std::ofstream(path) << "[config]\nname = bench\nworldx = " << size << "\nworldy = " << size
                        << "\n\n[zone0]\nleft = 0\ntop = 0\nright = " << size - 1 << "\nbottom = " << size - 1
                        << "\ntype = UNLOCKED\nrent = 1\nfloortextures = floor.dds\n";
    SIM_Mission mission;
    mission.Load(path);
    SIM_ThreadManager::Instance().Init();
    SIM_Game& game = SIM_Game::Instance();
    game.InitSimulation(&mission);
    game.Update(); // the first step of a game may wait for the frame cap
    for (auto _ : state)
        game.Update();
    game.Reset();
    game.SetMission(nullptr);
    std::filesystem::remove(path);
}
BENCHMARK(BenchSimFrameOnEmptyFloor)->Arg(200)->Arg(999)->Unit(benchmark::kMicrosecond);

static void BenchSimJobRound(benchmark::State& state)
{
    SIM_ThreadManager& threads = SIM_ThreadManager::Instance();
    threads.Init();
    SIM_Game& game = SIM_Game::Instance();
    for (auto _ : state)
    {
        game.PostFrameJobs();
        threads.WaitForAllJobs();
    }
}
BENCHMARK(BenchSimJobRound)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
