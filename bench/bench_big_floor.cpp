// bench-links: fv_save
// The largest hall filled (999 x 999, about 11,300 slots and 372,000 overhead conveyor tiles, 372
// import bays, every resource object of the pool in use): how long the player waits while it is
// placed, while it is saved, while its save loads (from the main menu and over the same game
// running, as F3 does) and while the game is taken down, and what the first frame costs after it
// was placed and after it was loaded; then the worst of the frames after the load (while the
// stations look for their bays and the objects on their way for their routes) and the route-search
// work (nodes expanded) of the worst frames. Each scene runs once per repetition; the counters give
// the main thread's CPU seconds and the wall seconds.
//
// And a filled 400 x 400 hall at work (every record of the pool in use, nearly all of them on their
// way): the player takes up one trunk conveyor and lays it back, again and again. The trunk is the
// feed row beside the middle band's bay (argument 0), or, with the bands joined by a spine down
// column 0, a piece of the spine between the middle bands (argument 1), whose taking up cuts the
// floor's one run of conveyors in two. Without feed rows (argument 2) the two stockpile rows of a
// band meet only at its bays and at the far end: the trunk is line A's stockpile row beside the
// middle band's bays, up while the floor warms up, so that line's objects are on their way round by
// the far end when it is laid back, and each of those looks for its way again. Measured is the
// whole frame that holds the click, the click and the simulation step after it, in main-thread CPU,
// the route searches the click itself ran, and the worst of the frames that follow; min, median
// and max over the edits.
//
// Measure on two cores, best of three:
//   taskset -c 0,1 build/rel/bench/bench_big_floor --benchmark_repetitions=3 2>/dev/null
// FV_FLOOR_FRAMES (default 0) steps that many frames between placing and saving, FV_LOAD_FRAMES
// (default 600) are stepped after the load. FV_EDIT_WARMUP (default 2000) frames run before the
// first edit (and, for argument 2, between a take-up and the next lay-back), FV_EDIT_COUNT
// (default 5) edits of each kind are made, FV_EDIT_SETTLE (default 120) frames run after each.
#include "../tests/sim/BigFactory.h"
#include "BenchFloor.h"
#include "BenchSmoke.h"

#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/slots/SIM_Placement.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <utility>
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

// The frames after a load, each as (main-thread CPU ms, nodes expanded by its route searches):
// the worst frame and its search work, the three worst frames' search work, and the most search
// work of any frame.
void RecordFramesAfterLoad(benchmark::State& state, std::vector<std::pair<double, uint64_t>> frames)
{
    if (frames.empty())
        return;
    uint64_t most = 0;
    double total = 0.0;
    for (const auto& frame : frames)
    {
        most = std::max(most, frame.second);
        total += frame.first;
    }
    std::sort(frames.begin(), frames.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    state.counters["after_load_worst_frame_cpu_ms"] = frames.front().first;
    state.counters["after_load_mean_frame_cpu_ms"] = total / static_cast<double>(frames.size());
    for (size_t i = 0; i < 3 && i < frames.size(); ++i)
        state.counters["after_load_worst" + std::to_string(i + 1) + "_search_nodes"] =
            static_cast<double>(frames[i].second);
    state.counters["after_load_most_search_nodes"] = static_cast<double>(most);
}

void BenchFilledFloor(benchmark::State& state)
{
    const int steps = BenchEnvInt("FV_FLOOR_FRAMES", 0);
    const int afterLoad = BenchSmokeRun() ? 2 : BenchEnvInt("FV_LOAD_FRAMES", 600);
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
        // The frames after the load, while the stations look for their bays and the objects on
        // their way for their routes: the worst of them, and the route-search work (nodes the
        // searches expanded) of the worst and of the busiest.
        std::vector<std::pair<double, uint64_t>> frames;
        SIM_PathFinder& finder = SIM_PathFinder::Instance();
        for (int i = 0; i < afterLoad; ++i)
        {
            const uint64_t before = finder.ExpansionsDone();
            const double ms = CpuMsOf([] { benchfloor::Floor::Frame(); });
            frames.emplace_back(ms, finder.ExpansionsDone() - before);
        }
        RecordFramesAfterLoad(state, frames);
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

// The floors of the edit benchmark (its argument).
enum EditFloor
{
    EDIT_FEED_ROW = 0, // the feed row beside the middle band's bay
    EDIT_SPINE = 1,    // a piece of the spine between the middle bands
    EDIT_WAY_ROUND = 2 // line A's stockpile row beside the bays, its line served round by the far end
};

// An edit's main-thread CPU milliseconds: the call, and the call with the step of its frame; the
// objects on their way whose route the call discarded; and the route searches the call itself
// ran, with the nodes they expanded.
struct EditFigures
{
    std::vector<double> call, frame, lost, searches, nodes;

    template <class Edit>
    bool Measure(Edit edit)
    {
        RouteTable& routes = RouteTable::Instance();
        SIM_PathFinder& finder = SIM_PathFinder::Instance();
        SIM_FlowWork& work = SIM_ResourceObjManager::Instance().Work();
        const uint64_t lostBefore = work.routesLost;
        const uint64_t searchesBefore = routes.SearchCount();
        const uint64_t nodesBefore = finder.ExpansionsDone();
        bool done = false;
        call.push_back(CpuMsOf([&] { done = edit(); }));
        lost.push_back(static_cast<double>(work.routesLost - lostBefore));
        searches.push_back(static_cast<double>(routes.SearchCount() - searchesBefore));
        nodes.push_back(static_cast<double>(finder.ExpansionsDone() - nodesBefore));
        frame.push_back(call.back() + CpuMsOf([] { benchfloor::Floor::Frame(); }));
        return done;
    }

    void Record(benchmark::State& state, const std::string& name) const
    {
        RecordSpread(state, name + "_call_cpu_ms", call);
        RecordSpread(state, name + "_frame_cpu_ms", frame);
        RecordSpread(state, name + "_routes_lost", lost);
        RecordSpread(state, name + "_call_searches", searches);
        RecordSpread(state, name + "_call_search_nodes", nodes);
    }
};

void BenchConveyorEdit(benchmark::State& state)
{
    const auto kind = static_cast<EditFloor>(state.range(0));
    benchfloor::Fill fill = benchfloor::EditHall();
    fill.spine = kind == EDIT_SPINE;
    fill.feedRow = kind != EDIT_WAY_ROUND;
    fill.chains = kind == EDIT_WAY_ROUND ? 4 : 2;
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
        const int middle = 1 + 7 * (fill.bands / 2);
        const int trunkXY[3][2] = {{1, middle + 3}, {0, middle - 2}, {1, middle + 2}};
        SIM_Tile* trunk = SIM_Game::Instance().GetFactory()->GetTile(trunkXY[kind][0], trunkXY[kind][1]);
        const bool takeUpFirst = kind != EDIT_WAY_ROUND;
        // Until the conveyors are busy: the stations keep using up their stock. Where the trunk is
        // laid back first, it is up meanwhile, so its line's objects are on their way round.
        auto run = [](int frames) {
            for (int i = 0; i < frames; ++i)
            {
                bigfactory::Factory::ConsumeSome(48);
                benchfloor::Floor::Frame();
            }
        };
        if (!takeUpFirst && !SIM_Placement::RemoveAt(trunk, true))
        {
            state.SkipWithError("the trunk conveyor was not taken up");
            return;
        }
        run(warmUp);
        int counts[4];
        bigfactory::Factory::CountObjects(counts);
        state.counters["in_transit_at_edit"] = counts[SIM_ResourceObject::STATE_IN_TRANSIT];
        state.counters["in_use_at_edit"] = SIM_ResourceObjManager::Instance().CountInUse();
        EditFigures takeUp, layBack;
        std::vector<double> after;
        auto takeUpOnce = [&] {
            // The player's delete click, then the step of the same frame.
            if (!takeUp.Measure([trunk] { return SIM_Placement::RemoveAt(trunk, true); }))
            {
                state.SkipWithError("the trunk conveyor was not taken up");
                return false;
            }
            after.push_back(WorstOfFrames(settle));
            return true;
        };
        auto layBackOnce = [&] {
            if (!layBack.Measure([trunk] { return SIM_Placement::LayConveyorPath({trunk}) == 1; }))
            {
                state.SkipWithError("the trunk conveyor was not laid back");
                return false;
            }
            after.push_back(WorstOfFrames(settle));
            return true;
        };
        for (int edit = 0; edit < edits; ++edit)
        {
            if (takeUpFirst ? !takeUpOnce() || !layBackOnce() : !layBackOnce() || !takeUpOnce())
                return;
            // The way round fills again before the next lay-back.
            if (!takeUpFirst && edit + 1 < edits)
                run(warmUp);
        }
        takeUp.Record(state, "take_up");
        layBack.Record(state, "lay_back");
        RecordSpread(state, "worst_frame_after_edit_cpu_ms", after);
    }
}
BENCHMARK(BenchConveyorEdit)
    ->Arg(EDIT_FEED_ROW)
    ->Arg(EDIT_SPINE)
    ->Arg(EDIT_WAY_ROUND)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
} // namespace

BENCHMARK_MAIN();
