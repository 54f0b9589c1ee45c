// bench-links: fv_save
// The largest hall filled (999 x 999, about 11,300 slots and 372,000 overhead conveyor tiles, 372
// import bays, every resource object of the pool in use): how long the player waits while it is
// placed, while it is saved, while its save loads (from the main menu and over the same game
// running, as F3 does) and while the game is taken down. Each scene runs once per repetition; the
// counters give the main thread's CPU seconds and the wall seconds.
//
// Measure on two cores, best of three:
//   taskset -c 0,1 build/rel/bench/bench_big_floor --benchmark_repetitions=3 2>/dev/null
// FV_FLOOR_FRAMES (default 0) steps that many frames between placing and saving.
#include "BenchFloor.h"

#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace
{
// The main thread's CPU time and the wall time of one piece of work.
class Stopwatch
{
public:
    Stopwatch() : m_wall(std::chrono::steady_clock::now()), m_cpu(ThreadCpu()) {}
    double CpuSeconds() const { return ThreadCpu() - m_cpu; }
    double WallSeconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_wall).count();
    }

private:
    static double ThreadCpu()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + 1.0e-9 * static_cast<double>(now.tv_nsec);
    }
    std::chrono::steady_clock::time_point m_wall;
    double m_cpu;
};

void Record(benchmark::State& state, const char* name, const Stopwatch& watch)
{
    state.counters[std::string(name) + "_cpu_s"] = watch.CpuSeconds();
    state.counters[std::string(name) + "_wall_s"] = watch.WallSeconds();
}

void BenchFilledFloor(benchmark::State& state)
{
    const char* frames = std::getenv("FV_FLOOR_FRAMES");
    const int steps = frames ? std::atoi(frames) : 0;
    for (auto _ : state)
    {
        benchfloor::Floor floor{benchfloor::Fill{}};
        SaveFolder::Set(floor.Folder().string());
        {
            Stopwatch watch;
            if (!floor.Build())
            {
                state.SkipWithError("the floor could not be filled");
                return;
            }
            Record(state, "place", watch);
        }
        state.counters["slots"] = benchfloor::Floor::SlotCount();
        state.counters["conveyors"] = benchfloor::Floor::ConveyorCount();
        state.counters["bays"] = benchfloor::Floor::BayCount();
        state.counters["objects"] = benchfloor::Floor::FillPool();
        for (int i = 0; i < steps; ++i)
            benchfloor::Floor::Frame();
        {
            Stopwatch watch;
            SIM_SaveGame::Instance().SaveGame("floor");
            Record(state, "save", watch);
        }
        {
            Stopwatch watch;
            SIM_LoadGame::Instance().LoadGame("floor");
            Record(state, "load_over_game", watch);
        }
        {
            Stopwatch watch;
            SIM_Game::Instance().Reset();
            Record(state, "teardown", watch);
        }
        {
            Stopwatch watch;
            SIM_LoadGame::Instance().LoadGame("floor");
            Record(state, "load_from_menu", watch);
        }
        state.counters["loaded_slots"] = benchfloor::Floor::SlotCount();
        state.counters["loaded_conveyors"] = benchfloor::Floor::ConveyorCount();
    }
}
BENCHMARK(BenchFilledFloor)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
