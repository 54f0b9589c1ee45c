// bench-links: fv_save
// The moments a player who builds big meets the route table, the resource flow and the nearest-bay
// search all at once, each timed in main-thread CPU per frame: loading a save taken with thousands
// of objects on the conveyors of the 200 x 200 factory, loading a save of the filled 999 x 999
// hall, taking up and laying back one trunk conveyor on a filled 400 x 400 floor, and the first
// frames of a new game of 4,000 slots. A frame has 16.7 ms; each scene reports its worst frame and
// the route searches that frame ran.
//
// Measure on two cores, with the log lines out of the way:
//   taskset -c 0,1 build/rel/bench/bench_route_freezes 2>/dev/null
// FV_FREEZE_LOADS (default 3) loads and FV_FREEZE_FRAMES (default 600) frames after each event
// change the run; FV_FREEZE_TRANSIT (default 9000) is how many objects the save holds on the way,
// FV_FREEZE_WARMUP (default 3000) how many frames the 400 x 400 floor runs before the edit and
// FV_FREEZE_HALL_WARMUP (default 300) how many the 999 x 999 hall runs before it is saved.
// FV_FREEZE_KEEP_SAVE=<folder> keeps the busy 200 x 200 save there as the quick-load save
// (autosave.xml) with its floor's mission (m_big.txt), for a player to load in the game itself:
//   FV_FREEZE_KEEP_SAVE=/tmp/busy FV_FREEZE_LOADS=1 FV_FREEZE_FRAMES=1
//   build/rel/bench/bench_route_freezes --benchmark_filter=BM_LoadSaveFullOfObjectsInTransit
#include "../tests/sim/BigFactory.h"
#include "BenchFloor.h"
#include "BenchSmoke.h"
#include "BenchSpans.h"

#include "engine/core/GDebugLog.h"
#include "platform/core/PTraceSpan.h"
#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/slots/SIM_Placement.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
// CPU time of the calling thread: the main thread's share of a frame, which the other programs
// on a shared machine disturb far less than the wall clock.
double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1.0e3 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

template <class Work>
double CpuMsOf(Work work)
{
    const double start = ThreadCpuMs();
    work();
    return ThreadCpuMs() - start;
}

// Objects on their way that have no route to follow (restored by a load, waiting to look for it).
int RoutelessInTransit()
{
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    int count = 0;
    for (int32_t i = 0; i <= pool.TopIndex(); ++i)
    {
        const SIM_ResourceObject& object = pool.Record(i);
        count += object.IsInUse() && object.m_state == SIM_ResourceObject::STATE_IN_TRANSIT && !object.m_route;
    }
    return count;
}

// The debug log in the factory's folder, out of the way of the figures.
class ScratchLog
{
public:
    explicit ScratchLog(const bigfactory::Factory& factory) { GDebugLog::Instance().Open(factory.Folder().string()); }
    ~ScratchLog() { GDebugLog::Instance().Close(); }
    ScratchLog(const ScratchLog&) = delete;
    ScratchLog& operator=(const ScratchLog&) = delete;
};

// The worst of `frames` frames in main-thread CPU, which frame it was, the route searches it ran
// (and the nodes they expanded) and its spans; over all the frames, the most searches one frame
// ran and the frames that passed before every object on its way had a route to follow.
struct Worst
{
    double ms = 0.0;
    int frame = -1;
    uint64_t searches = 0;
    uint64_t expansions = 0;
    std::map<std::string, double> spans;
    uint64_t mostSearches = 0;
    int waitedFrames = 0;

    void Report(benchmark::State& state, const std::string& prefix) const
    {
        state.counters[prefix + "_cpu_ms"] = ms;
        state.counters[prefix + "_index"] = frame;
        state.counters[prefix + "_searches"] = static_cast<double>(searches);
        state.counters[prefix + "_expansions"] = static_cast<double>(expansions);
        state.counters[prefix + "_most_searches_in_a_frame"] = static_cast<double>(mostSearches);
        state.counters[prefix + "_frames_until_all_routed"] = waitedFrames;
        ReportSpans(state, prefix, spans);
    }

    // The worse of two runs, keeping the figures over all frames of both.
    void TakeWorse(const Worst& other)
    {
        const uint64_t most = std::max(mostSearches, other.mostSearches);
        const int waited = std::max(waitedFrames, other.waitedFrames);
        if (other.ms > ms)
            *this = other;
        mostSearches = most;
        waitedFrames = waited;
    }
};

template <class Frame>
Worst StepFrames(Frame frame, int frames)
{
    Worst worst;
    PTraceSpan::SetSink(&FrameSpans::Sink);
    const RouteTable& routes = RouteTable::Instance();
    const SIM_PathFinder& finder = SIM_PathFinder::Instance();
    for (int i = 0; i < frames; ++i)
    {
        FrameSpans::Instance().Take();
        const uint64_t searchesBefore = routes.SearchCount();
        const uint64_t expansionsBefore = finder.ExpansionsDone();
        const double ms = CpuMsOf(frame);
        Worst now{ms, i, routes.SearchCount() - searchesBefore, finder.ExpansionsDone() - expansionsBefore,
                  FrameSpans::Instance().Take()};
        now.mostSearches = now.searches;
        now.waitedFrames = RoutelessInTransit() > 0 ? i + 1 : 0;
        worst.TakeWorse(now);
    }
    PTraceSpan::SetSink(nullptr);
    return worst;
}

Worst StepFrames(bigfactory::Factory& factory, int frames)
{
    return StepFrames([&factory] { factory.Frame(); }, frames);
}

// Copies the save, under the name the game's quick load reads, and the floor's mission into the
// folder FV_FREEZE_KEEP_SAVE names, when it names one.
bool KeepSave(const bigfactory::Factory& factory, const std::string& name)
{
    const char* folder = std::getenv("FV_FREEZE_KEEP_SAVE");
    if (!folder || !*folder)
        return true;
    std::error_code failed;
    const std::filesystem::path to(folder);
    std::filesystem::create_directories(to, failed);
    const auto copy = [&failed](const std::filesystem::path& from, const std::filesystem::path& into) {
        if (!failed)
            std::filesystem::copy_file(from, into, std::filesystem::copy_options::overwrite_existing, failed);
    };
    copy(SaveFolder::PathFor(name), to / (std::string(SaveFolder::kQuickSaveName) + ".xml"));
    copy(factory.Folder() / "missions" / "m_big.txt", to / "m_big.txt");
    return !failed;
}
} // namespace

// A save taken with objects on their way, loaded again and again: the load itself, then the worst
// frame after it. The factory is the largest a player builds, its bands joined into one network by
// a spine of conveyors down the first column, so that objects reach a station from any bay and
// stand on ways its own bay's route does not take; the pool is full, the bays' queues long. The
// player runs it at full speed. Objects restored on their way look for their routes a game second
// after the load.
static void BM_LoadSaveFullOfObjectsInTransit(benchmark::State& state)
{
    bigfactory::Layout layout;
    layout.bays = 59;
    layout.spine = true;
    bigfactory::Factory factory(layout);
    ScratchLog log(factory);
    if (!factory.Build())
    {
        state.SkipWithError("the factory could not be built");
        return;
    }
    factory.RegisterMission();
    SaveFolder::Set(factory.Folder().string());
    SIM_Game::Instance().SetSpeed(4.0f);
    const int wanted = BenchEnvInt("FV_FREEZE_TRANSIT", BenchSmokeRun() ? 300 : 9000);
    if (!factory.FillConveyors(wanted, 20000))
    {
        state.SkipWithError("the conveyors never carried enough objects");
        return;
    }
    int counts[4];
    bigfactory::Factory::CountObjects(counts);
    state.counters["saved_in_transit"] = counts[SIM_ResourceObject::STATE_IN_TRANSIT];
    state.counters["saved_waiting"] = counts[SIM_ResourceObject::STATE_WAITING];
    state.counters["saved_free"] = counts[SIM_ResourceObject::STATE_FREE];
    if (!SIM_SaveGame::Instance().SaveGame("busy"))
    {
        state.SkipWithError("the save failed");
        return;
    }
    if (!KeepSave(factory, "busy"))
    {
        state.SkipWithError("the save could not be kept");
        return;
    }
    const int loads = BenchEnvInt("FV_FREEZE_LOADS", BenchSmokeRun() ? 1 : 3);
    const int frames = BenchEnvInt("FV_FREEZE_FRAMES", BenchSmokeRun() ? 40 : 600);
    double loadMs = 1.0e30;
    Worst worst;
    for (auto _ : state)
    {
        for (int load = 0; load < loads; ++load)
        {
            bool loaded = false;
            loadMs = std::min(loadMs, CpuMsOf([&loaded] { loaded = SIM_LoadGame::Instance().LoadGame("busy"); }));
            if (!loaded)
            {
                state.SkipWithError("the load failed");
                return;
            }
            SIM_Game::Instance().SetSpeed(4.0f);
            worst.TakeWorse(StepFrames(factory, frames));
        }
    }
    int used = 0;
    RouteTable& routes = RouteTable::Instance();
    for (int32_t i = 0; i <= routes.HighestIndex(); ++i)
        used += routes.Record(i).InUse() ? 1 : 0;
    state.counters["load_cpu_ms_best"] = loadMs;
    worst.Report(state, "worst_frame");
    state.counters["route_records_in_use"] = used;
    state.counters["in_transit_after"] = bigfactory::Factory::InTransit();
}
BENCHMARK(BM_LoadSaveFullOfObjectsInTransit)->Iterations(1)->Unit(benchmark::kMillisecond);

// The filled 999 x 999 hall (about 11,300 slots, 372 bays, every record of the pool in use), run
// at full speed until its bays have sent objects out along the conveyors, saved, then loaded again
// and again: the worst frame after each load. The hall's very first frame after a load also
// numbers its conveyor runs afresh; the frames that follow are the route table's.
static void BM_LoadFilledGiantHall(benchmark::State& state)
{
    benchfloor::Floor floor{benchfloor::Fill{}};
    SaveFolder::Set(floor.Folder().string());
    if (!floor.Build())
    {
        state.SkipWithError("the hall could not be filled");
        return;
    }
    state.counters["objects"] = benchfloor::Floor::FillPool();
    benchfloor::Floor::StandQueuesOnBays();
    SIM_Game::Instance().SetSpeed(4.0f);
    const int warmUp = BenchEnvInt("FV_FREEZE_HALL_WARMUP", BenchSmokeRun() ? 5 : 300);
    for (int i = 0; i < warmUp; ++i)
        benchfloor::Floor::Frame();
    state.counters["saved_in_transit"] = bigfactory::Factory::InTransit();
    if (!SIM_SaveGame::Instance().SaveGame("hall"))
    {
        state.SkipWithError("the save failed");
        return;
    }
    const int loads = BenchEnvInt("FV_FREEZE_LOADS", BenchSmokeRun() ? 1 : 3);
    const int frames = BenchEnvInt("FV_FREEZE_FRAMES", BenchSmokeRun() ? 40 : 600);
    Worst first;
    Worst worst;
    for (auto _ : state)
    {
        for (int load = 0; load < loads; ++load)
        {
            if (!SIM_LoadGame::Instance().LoadGame("hall"))
            {
                state.SkipWithError("the load failed");
                return;
            }
            SIM_Game::Instance().SetSpeed(4.0f);
            first.TakeWorse(StepFrames(&benchfloor::Floor::Frame, 1));
            Worst later = StepFrames(&benchfloor::Floor::Frame, frames);
            later.frame += 1; // counted from the first frame after the load
            later.waitedFrames += later.waitedFrames > 0 ? 1 : 0;
            worst.TakeWorse(later);
        }
    }
    first.Report(state, "first_frame");
    worst.Report(state, "worst_later_frame");
    state.counters["in_transit_after"] = bigfactory::Factory::InTransit();
}
BENCHMARK(BM_LoadFilledGiantHall)->Iterations(1)->Unit(benchmark::kMillisecond);

namespace
{
// The 400 x 400 floor filled with bands of car lines: about 4,000 slots, two bays a band.
bigfactory::Layout FilledFloor400()
{
    bigfactory::Layout layout;
    layout.size = 400;
    layout.bands = 56;
    layout.chains = 2;
    layout.bays = 112;
    return layout;
}
} // namespace

// A running filled 400 x 400 floor: one trunk conveyor (the feed row of the middle band, next to
// its bay) is taken up, frames run, it is laid back, frames run. Each edit and the worst frame
// after it are reported.
static void BM_TrunkConveyorEditOnFilledFloor(benchmark::State& state)
{
    const bigfactory::Layout layout = FilledFloor400();
    bigfactory::Factory factory(layout);
    if (!factory.Build())
    {
        state.SkipWithError("the factory could not be built");
        return;
    }
    state.counters["slots"] = factory.SlotCount();
    SIM_Game::Instance().SetSpeed(4.0f);
    // Until the conveyors are busy: the stations keep using up their stock.
    const int warmUp = BenchEnvInt("FV_FREEZE_WARMUP", BenchSmokeRun() ? 50 : 3000);
    for (int i = 0; i < warmUp; ++i)
    {
        bigfactory::Factory::ConsumeSome(48);
        factory.Frame();
    }
    state.counters["in_transit_at_edit"] = bigfactory::Factory::InTransit();
    const int frames = BenchEnvInt("FV_FREEZE_FRAMES", BenchSmokeRun() ? 40 : 600);
    SIM_Tile* trunk = factory.Tile(1, 1 + 7 * (layout.bands / 2) + 3);
    for (auto _ : state)
    {
        // What a frame costs anyway, with this many objects on their way.
        StepFrames(factory, frames).Report(state, "worst_frame_before_edit");
        bool removed = false;
        state.counters["take_up_cpu_ms"] = CpuMsOf([&] { removed = SIM_Placement::RemoveConveyor(trunk, false); });
        if (!removed)
        {
            state.SkipWithError("the trunk conveyor was not taken up");
            return;
        }
        const Worst afterTakeUp = StepFrames(factory, frames);
        bool laid = false;
        state.counters["lay_back_cpu_ms"] = CpuMsOf([&] { laid = SIM_Placement::LayConveyorPath({trunk}) == 1; });
        if (!laid)
        {
            state.SkipWithError("the trunk conveyor was not laid back");
            return;
        }
        const Worst afterLayBack = StepFrames(factory, frames);
        afterTakeUp.Report(state, "worst_frame_after_take_up");
        afterLayBack.Report(state, "worst_frame_after_lay_back");
    }
}
BENCHMARK(BM_TrunkConveyorEditOnFilledFloor)->Iterations(1)->Unit(benchmark::kMillisecond);

// A new game on the filled 400 x 400 floor: the first frame, in which every station would look
// for its nearest bay, and the worst of the opening frames; best of a few games.
static void BM_OpeningFramesOfANewGame(benchmark::State& state)
{
    const int games = BenchEnvInt("FV_FREEZE_GAMES", BenchSmokeRun() ? 1 : 3);
    double first = 1.0e30;
    double worst = 1.0e30;
    for (auto _ : state)
    {
        for (int game = 0; game < games; ++game)
        {
            bigfactory::Factory factory(FilledFloor400());
            if (!factory.Build())
            {
                state.SkipWithError("the factory could not be built");
                return;
            }
            state.counters["slots"] = factory.SlotCount();
            SIM_Game::Instance().SetSpeed(4.0f);
            const double firstMs = CpuMsOf([&factory] { factory.Frame(); });
            first = std::min(first, firstMs);
            worst = std::min(worst, std::max(firstMs, StepFrames(factory, 120).ms));
        }
    }
    state.counters["first_frame_cpu_ms"] = first;
    state.counters["worst_opening_frame_cpu_ms"] = worst;
}
BENCHMARK(BM_OpeningFramesOfANewGame)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
