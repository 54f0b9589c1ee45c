// bench-links: fv_save
// The largest hall filled (999 x 999, about 11,300 slots and 372,000 overhead conveyor tiles, 372
// import bays, every resource object of the pool in use): how long the player waits while it is
// placed, while it is saved, while its save loads (from the main menu and over the same game
// running, as F3 does) and while the game is taken down, and what the first frame costs after it
// was placed and after it was loaded. Each scene runs once per repetition; the counters give the
// main thread's CPU seconds and the wall seconds.
//
// And a filled 400 x 400 hall at work (every record of the pool in use, nearly all of them on their
// way): the player takes up one trunk conveyor and lays it back, again and again. The trunk is the
// feed row beside the middle band's bay (argument 0), or, with the bands joined by a spine down
// column 0, a piece of the spine between the middle bands (argument 1), whose taking up cuts the
// floor's one run of conveyors in two. Measured is the whole frame that holds the click, the click
// and the simulation step after it, in main-thread CPU, and the worst of the frames that follow;
// min, median and max over the edits.
//
// Measure on two cores, best of three:
//   taskset -c 0,1 build/rel/bench/bench_big_floor --benchmark_repetitions=3 2>/dev/null
// FV_FLOOR_FRAMES (default 0) steps that many frames between placing and saving.
// FV_EDIT_WARMUP (default 2000) frames run before the first edit, FV_EDIT_COUNT (default 5) edits
// of each kind are made, FV_EDIT_SETTLE (default 120) frames run after each.
#include "../tests/sim/BigFactory.h"
#include "BenchFloor.h"
#include "BenchSmoke.h"

#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/slots/SIM_Placement.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

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

// Min, median and max of a list of figures, as three counters.
void RecordSpread(benchmark::State& state, const std::string& name, std::vector<double> values)
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    state.counters[name + "_min"] = values.front();
    state.counters[name + "_median"] = values[values.size() / 2];
    state.counters[name + "_max"] = values.back();
}

// Main-thread CPU milliseconds of one piece of work.
template <class Work>
double CpuMsOf(Work work)
{
    const Stopwatch watch;
    work();
    return 1.0e3 * watch.CpuSeconds();
}

void BenchFilledFloor(benchmark::State& state)
{
    const int steps = BenchEnvInt("FV_FLOOR_FRAMES", 0);
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
        // Every stockpile looks for its bay and every object on its way for its route.
        state.counters["first_frame_cpu_ms"] = CpuMsOf([] { benchfloor::Floor::Frame(); });
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
        state.counters["first_frame_after_load_cpu_ms"] = CpuMsOf([] { benchfloor::Floor::Frame(); });
        state.counters["loaded_slots"] = benchfloor::Floor::SlotCount();
        state.counters["loaded_conveyors"] = benchfloor::Floor::ConveyorCount();
    }
}
BENCHMARK(BenchFilledFloor)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The worst of `frames` frames in main-thread CPU milliseconds.
double WorstOfFrames(int frames)
{
    double worst = 0.0;
    for (int i = 0; i < frames; ++i)
        worst = std::max(worst, CpuMsOf([] { benchfloor::Floor::Frame(); }));
    return worst;
}

void BenchConveyorEdit(benchmark::State& state)
{
    benchfloor::Fill fill;
    fill.width = 400;
    fill.height = 400;
    fill.bands = 57;
    fill.bays = 114;
    fill.spine = state.range(0) != 0;
    const bool smoke = BenchSmokeRun();
    const int warmUp = smoke ? 2 : BenchEnvInt("FV_EDIT_WARMUP", 2000);
    const int edits = smoke ? 1 : BenchEnvInt("FV_EDIT_COUNT", 5);
    const int settle = smoke ? 2 : BenchEnvInt("FV_EDIT_SETTLE", 120);
    for (auto _ : state)
    {
        benchfloor::Floor floor{fill};
        if (!floor.Build())
        {
            state.SkipWithError("the floor could not be filled");
            return;
        }
        state.counters["slots"] = benchfloor::Floor::SlotCount();
        state.counters["bays"] = benchfloor::Floor::BayCount();
        benchfloor::Floor::FillPool();
        SIM_Game::Instance().SetSpeed(4.0f);
        // Until the conveyors are busy: the stations keep using up their stock.
        for (int i = 0; i < warmUp; ++i)
        {
            bigfactory::Factory::ConsumeSome(48);
            benchfloor::Floor::Frame();
        }
        int counts[4];
        bigfactory::Factory::CountObjects(counts);
        state.counters["in_transit_at_edit"] = counts[SIM_ResourceObject::STATE_IN_TRANSIT];
        state.counters["in_use_at_edit"] = SIM_ResourceObjManager::Instance().CountInUse();
        const int middle = 1 + 7 * (fill.bands / 2);
        SIM_Tile* trunk =
            SIM_Game::Instance().GetFactory()->GetTile(fill.spine ? 0 : 1, fill.spine ? middle - 2 : middle + 3);
        std::vector<double> takeUpCall, takeUpFrame, layCall, layFrame, after;
        for (int edit = 0; edit < edits; ++edit)
        {
            bool done = false;
            // The player's delete click, then the step of the same frame.
            takeUpCall.push_back(CpuMsOf([&] { done = SIM_Placement::RemoveAt(trunk, true); }));
            takeUpFrame.push_back(takeUpCall.back() + CpuMsOf([] { benchfloor::Floor::Frame(); }));
            if (!done)
            {
                state.SkipWithError("the trunk conveyor was not taken up");
                return;
            }
            after.push_back(WorstOfFrames(settle));
            layCall.push_back(CpuMsOf([&] { done = SIM_Placement::LayConveyorPath({trunk}) == 1; }));
            layFrame.push_back(layCall.back() + CpuMsOf([] { benchfloor::Floor::Frame(); }));
            if (!done)
            {
                state.SkipWithError("the trunk conveyor was not laid back");
                return;
            }
            after.push_back(WorstOfFrames(settle));
        }
        RecordSpread(state, "take_up_call_cpu_ms", takeUpCall);
        RecordSpread(state, "take_up_frame_cpu_ms", takeUpFrame);
        RecordSpread(state, "lay_back_call_cpu_ms", layCall);
        RecordSpread(state, "lay_back_frame_cpu_ms", layFrame);
        RecordSpread(state, "worst_frame_after_edit_cpu_ms", after);
    }
}
// Argument: 1 for the floor joined by a spine, whose piece is the trunk taken up.
BENCHMARK(BenchConveyorEdit)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
