// bench-links: fv_game
// The whole game frame as the player gets it: the real game started as its entry starts it (its
// window, device, data, fonts and screens), the large benchmark factory built on a 200 x 200 floor
// (28 bands of car lines, over 2,000 slots, 56 import bays, conveyors all over), the game screen
// entered, and then the game's own frame: input, windows, the simulation step, the factory view,
// the top bar and menu, and the picture presented. At zoom 1, a quarter (where the notices show their
// boxes) and the floor's smallest zoom.
// Reported per frame, as medians: the CPU of the whole process (every thread, software rendering
// included), the CPU of the main thread, the wall time and the frames per second it makes, draw
// calls, the peak resident memory of the process, and how many of the pool's resource objects are
// in use and how many of them wait in the import bays' queues.
// Run it on two cores under a virtual display, Mesa's rasterizer held to them (log lines aside):
//   LP_NUM_THREADS=2 taskset -c 0,1 xvfb-run -a -s "-screen 0 1280x1024x24" build/rel/bench/bench_game_frame
// With FV_BENCH_DEVICE=recording the same frames go to the recording back end instead of OpenGL:
// the game's own CPU per frame, without what the software renderer adds on any thread.
// First, before the frames, the loads (GameLoads): the maximal factory's save (59 import bays, its
// bands joined by a spine, thousands of objects on the conveyors) loaded through the game's own load
// dialog right after the game started, then again; FV_LOAD_TRANSIT (default 9000) is how many
// objects the save holds on their way, FV_LOAD_FILL_FRAMES (default 20000) caps the frames run to
// fill it; FV_LOAD_LEAVES (default 1) how many times the game is left and the save loaded again,
// the leave's figures being the median of those (on a busy machine one leave says little).
// Then the largest hall (GameHallLoad): the filled 999 x 999 floor saved while its objects are on
// their way (after FV_HALL_WARMUP frames, default 300), loaded through the dialog, and the game's
// frames after the load one by one (while the stations look for their bays and the objects for
// their routes), FV_HALL_FRAMES (default 600) of them: the first and the worst frame in main-thread
// CPU, the worst one's wall time, route-search work (nodes expanded) and simulation spans, the
// most route-search work of any frame, and how many frames took over 33 ms. With FV_FRAME_CSV set,
// every frame is added to that file. And a trunk conveyor laid back on a filled 400 x 400 floor in
// the game (GameTrunkLayBack): the save taken while the trunk was up and a line's objects were on
// their way round (after FV_EDIT_WARMUP frames, default 2000), loaded, run until the load's own
// searching is over, then the trunk laid back: the call and the whole frame after it, drawn. The
// saves of all three are made before the game starts; for these two alone, fill the maximal
// factory for a moment only (FV_LOAD_FILL_FRAMES=20) and pass
// --benchmark_filter='GameHallLoad|GameTrunkLayBack'.
#include "../tests/sim/BigFactory.h"

#include "Game.h"
#include "GameServices.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/saves/GUI_LoadDialog.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "platform/core/PClock.h"
#include "platform/core/PTraceSpan.h"
#include "platform/video/PGLDevice.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "platform/video/PRecordingState.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_MissionManager.h"

#include "BenchFloor.h"
#include "BenchSmoke.h"
#include "BenchSpans.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{
bool g_ready = false;
std::unique_ptr<bigfactory::Factory> g_factory;
int g_slots = 0;
// Set once the game was started (or its start was tried).
bool g_gameTried = false;
// Set when the frames go to the recording back end.
std::shared_ptr<PRecordingState> g_recording;

double CpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) * 1.0e3 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

// The memory the process holds now, in megabytes (resident pages), or -1 where it cannot be read.
double ResidentMb()
{
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    if (!(statm >> pages >> resident))
        return -1.0;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The game started as its entry starts it, in a home folder of its own, once per run.
bool StartGame()
{
    static bool started = false;
    if (g_gameTried)
        return started;
    g_gameTried = true;
    std::filesystem::current_path(FV_SOURCE_DIR);
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "fv_bench_game_frame";
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("FERROVANE_HEADLESS", "1", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (const char* device = std::getenv("FV_BENCH_DEVICE"); device && std::strcmp(device, "recording") == 0)
    {
        g_recording = std::make_shared<PRecordingState>();
        g_recording->windowWidth = 1280;
        g_recording->windowHeight = 1024;
        g_recording->recordVertices = false;
        PRecordingGraphicsSystem::Install(g_recording);
    }
    GameServices::InstallForGame();
    if (!Game::Instance().Init())
        return false;
    GGame::SetRunning(true);
    started = true;
    return true;
}

// The game started, the large factory built and the game screen on.
bool Prepare()
{
    static bool tried = false;
    if (tried)
        return g_ready;
    tried = true;
    if (!StartGame())
        return false;
    Game& game = Game::Instance();

    // The factory is placed as a player places it, with the view listening; the thread manager
    // is the game's own.
    bigfactory::Layout layout;
    layout.workers = false;
    g_factory = std::make_unique<bigfactory::Factory>(layout);
    // The game runs on the real clock, not the factory's hand-driven one.
    PClock::SetManual(false);
    if (!g_factory->Build())
        return false;
    g_slots = g_factory->SlotCount();
    GGameServices::Get().BuildGameMode();
    game.SetGameMode("game");
    g_ready = true;
    return true;
}

// Milliseconds of the day in a debug log line's stamp "[h:m:s:ms]- ", or -1.
double LogStampMs(const std::string& line)
{
    int h = 0, m = 0, sec = 0, ms = 0;
    if (std::sscanf(line.c_str(), "[%d:%d:%d:%d]", &h, &m, &sec, &ms) != 4)
        return -1.0;
    return ((h * 60.0 + m) * 60.0 + sec) * 1000.0 + ms;
}

// The time the debug log gives the last load: from its "About to load game" line to its "Game
// Load complete" line; -1 when the log holds no whole load.
double LastLoadInLogMs()
{
    std::ifstream log(GDebugLog::Instance().GetDebugPath());
    double start = -1.0, end = -1.0;
    for (std::string line; std::getline(log, line);)
    {
        if (line.find("About to load game") != std::string::npos)
        {
            start = LogStampMs(line);
            end = -1.0;
        }
        else if (line.find("Game Load complete") != std::string::npos)
        {
            end = LogStampMs(line);
        }
    }
    if (start < 0.0 || end < 0.0)
        return -1.0;
    return end >= start ? end - start : end + 24.0 * 3600.0 * 1000.0 - start;
}

// Where the maximal factory's save and its mission are kept for the loads.
std::filesystem::path LoadFolder()
{
    // Named by the benchmark's own process, before the children that make the saves are started.
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fv_bench_game_loads_" + std::to_string(::getpid()));
    return folder;
}

// Runs `save` (which makes a save in LoadFolder) in a child process, so that nothing it loads
// stays behind for the game; true when it saved.
template <class Save>
bool SaveInChild(Save save)
{
    std::filesystem::current_path(FV_SOURCE_DIR);
    std::filesystem::create_directories(LoadFolder());
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child > 0)
    {
        int status = 0;
        return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const bool saved = save();
    // The child leaves without the exit handlers: the parent's program owns what they would tear down.
    _exit(saved ? 0 : 1);
}

// Copies a mission file beside the saves, where the game finds it; false when it could not.
bool KeepMission(const std::filesystem::path& mission)
{
    std::error_code copied;
    std::filesystem::copy_file(mission, LoadFolder() / mission.filename(),
                               std::filesystem::copy_options::overwrite_existing, copied);
    return !copied;
}

// The maximal factory (200 x 200, 59 import bays, its bands joined into one network by a spine down
// the first column), run by the simulation alone at speed 4 until cars fill the lines and its
// conveyors carry thousands of objects, as a busy factory's do, then saved as "maximal" with its
// mission beside the save. A pool merely full holds its objects in the bays' queues, and a game's
// end would find few on the conveyors.
bool MakeMaximalSave()
{
    bigfactory::Layout layout;
    layout.bays = 59;
    layout.spine = true;
    layout.workers = false;
    bigfactory::Factory factory(layout);
    if (!factory.Build())
        return false;
    factory.RegisterMission();
    SaveFolder::Set(LoadFolder().string());
    SIM_Game::Instance().SetSpeed(4.0f);
    // Cars on the lines first, then the conveyors filled; short of the counts when the cap comes
    // first, the save is taken as it stands.
    const int cap = BenchSmokeRun() ? 20 : BenchEnvInt("FV_LOAD_FILL_FRAMES", 20000);
    for (int i = 0; i < cap && bigfactory::Factory::CarCount() < 800; ++i)
        factory.Frame();
    factory.FillConveyors(BenchEnvInt("FV_LOAD_TRANSIT", BenchSmokeRun() ? 300 : 9000), cap);
    return KeepMission(factory.Folder() / "missions" / "m_big.txt") && SIM_SaveGame::Instance().SaveGame("maximal");
}

// The largest hall of the smoke run: every part of the fill, on a floor that builds in moments.
benchfloor::Fill HallFill()
{
    benchfloor::Fill fill;
    fill.mission = "bench_hall";
    if (BenchSmokeRun())
    {
        fill.width = 120;
        fill.height = 120;
        fill.bands = 16;
        fill.bays = 48;
    }
    return fill;
}

// The filled 999 x 999 hall, every record of the pool in use, run at speed 4 for a few seconds of
// play (FV_HALL_WARMUP frames, default 300) so that its bays have sent objects out along the
// conveyors, then saved as "hall".
bool MakeHallSave()
{
    benchfloor::Floor floor{HallFill()};
    if (!floor.Build())
        return false;
    benchfloor::Floor::FillPool();
    benchfloor::Floor::StandQueuesOnBays();
    SIM_Game::Instance().SetSpeed(4.0f);
    const int warmUp = BenchSmokeRun() ? 2 : BenchEnvInt("FV_HALL_WARMUP", 300);
    for (int i = 0; i < warmUp; ++i)
        benchfloor::Floor::Frame();
    SaveFolder::Set(LoadFolder().string());
    return KeepMission(floor.MissionFile()) && SIM_SaveGame::Instance().SaveGame("hall");
}

// The filled 400 x 400 floor whose bands' two stockpile rows meet only at the bays and the far
// end, and the trunk conveyor of the lay-back: line A's stockpile row beside the middle band's
// bays.
benchfloor::Fill WayRoundFill()
{
    benchfloor::Fill fill = benchfloor::EditHall();
    fill.feedRow = false;
    fill.chains = 4;
    fill.mission = "bench_way_round";
    return fill;
}

SIM_Tile* WayRoundTrunk()
{
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    return factory ? factory->GetTile(1, 1 + 7 * (WayRoundFill().bands / 2) + 2) : nullptr;
}

// That floor with its trunk up, run at speed 4 (FV_EDIT_WARMUP frames, default 2000) while its
// stations use up their stock, so that the trunk's line is served round by the far end, then
// saved as "way_round".
bool MakeWayRoundSave()
{
    benchfloor::Floor floor{WayRoundFill()};
    if (!floor.Build() || !SIM_Placement::RemoveAt(WayRoundTrunk(), true))
        return false;
    benchfloor::Floor::FillPool();
    SIM_Game::Instance().SetSpeed(4.0f);
    const int warmUp = BenchSmokeRun() ? 2 : BenchEnvInt("FV_EDIT_WARMUP", 2000);
    for (int i = 0; i < warmUp; ++i)
    {
        bigfactory::Factory::ConsumeSome(48);
        benchfloor::Floor::Frame();
    }
    SaveFolder::Set(LoadFolder().string());
    return KeepMission(floor.MissionFile()) && SIM_SaveGame::Instance().SaveGame("way_round");
}

// The saves made, the game started on the main menu with the saves' missions in its list.
bool PrepareLoads(benchmark::State& state)
{
    static bool tried = false;
    static bool ready = false;
    if (tried)
        return ready;
    tried = true;
    if (g_gameTried)
    {
        state.SkipWithError("the game was started before the save was made: run the loads first");
        return false;
    }
    if (!SaveInChild(MakeMaximalSave) || !SaveInChild(MakeHallSave) || !SaveInChild(MakeWayRoundSave) || !StartGame())
        return false;
    SIM_MissionManager::Instance().Unload();
    SIM_MissionManager::Instance().Load((LoadFolder() / "*.txt").string().c_str());
    SaveFolder::Set(LoadFolder().string());
    ready = true;
    return true;
}

// The maximal factory's save loaded through the game's own load, the load dialog's, from the main
// menu of a game just started, then again after leaving that game for the main menu: the first load
// builds the view's pictures, the second finds them made. Per load the main thread's CPU, the wall
// time, the time the debug log gives the load (its load lines), how many pictures it decoded and
// the memory the process holds after the load and a few frames of the loaded game; for the leave
// between them (the in-game menu's answer, taking the whole game down) its wall time and main
// thread's CPU, the median and the worst of FV_LOAD_LEAVES leaves. A second game should hold no more
// than the first: what a game's end leaves behind shows as the difference.
// Run it once per process: only the first run's first load is a game's first.
void GameLoads(benchmark::State& state)
{
    // The loaded game is drawn a few times before its memory is read, as the player sees it.
    const int framesAfterLoad = BenchSmokeRun() ? 1 : 10;
    if (!PrepareLoads(state))
    {
        state.SkipWithError("the maximal factory could not be saved or the game started here (no display?)");
        return;
    }
    const int leaves = std::max(1, BenchEnvInt("FV_LOAD_LEAVES", 1));
    std::vector<double> leaveCpu, leaveWall;
    for (auto _ : state)
    {
        for (int load = 0; load <= leaves; ++load)
        {
            const std::string name = load == 0 ? "first" : "second";
            if (load > 0)
            {
                const double lm0 = CpuMs(CLOCK_THREAD_CPUTIME_ID), lw0 = CpuMs(CLOCK_MONOTONIC);
                GUI_Game::EndGame();
                leaveCpu.push_back(CpuMs(CLOCK_THREAD_CPUTIME_ID) - lm0);
                leaveWall.push_back(CpuMs(CLOCK_MONOTONIC) - lw0);
            }
            const int decoded = GTextureManager::Instance().GetDecodeCount();
            const double m0 = CpuMs(CLOCK_THREAD_CPUTIME_ID), w0 = CpuMs(CLOCK_MONOTONIC);
            const bool loaded = GUI_LoadDialog::LoadSave("maximal");
            // The loads after the second are there for their leaves.
            if (load <= 1)
            {
                state.counters[name + "_load_main_cpu_ms"] = CpuMs(CLOCK_THREAD_CPUTIME_ID) - m0;
                state.counters[name + "_load_wall_ms"] = CpuMs(CLOCK_MONOTONIC) - w0;
                state.counters[name + "_load_log_ms"] = LastLoadInLogMs();
                state.counters[name + "_load_decoded"] = GTextureManager::Instance().GetDecodeCount() - decoded;
            }
            if (!loaded)
            {
                state.SkipWithError("the save did not load");
                return;
            }
            for (int frame = 0; frame < framesAfterLoad; ++frame)
                Game::Instance().Update();
            if (load <= 1)
                state.counters[name + "_load_rss_mb"] = ResidentMb();
        }
    }
    state.counters["leave_main_cpu_ms"] = Median(leaveCpu);
    state.counters["leave_wall_ms"] = Median(leaveWall);
    state.counters["leave_main_cpu_ms_worst"] = *std::max_element(leaveCpu.begin(), leaveCpu.end());
    state.counters["leave_wall_ms_worst"] = *std::max_element(leaveWall.begin(), leaveWall.end());
    state.counters["slots"] = static_cast<double>(SlotQueries::Instance().GetAllSlots().size());
    state.counters["objects"] = SIM_ResourceObjManager::Instance().CountInUse();
    state.counters["in_transit"] = bigfactory::Factory::InTransit();
    state.counters["cars"] = bigfactory::Factory::CarCount();
}
// Registered first: its first load must be the first game of the run.
BENCHMARK(GameLoads)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// One frame of the game as the player gets it: main-thread CPU, wall time and the CPU of the whole
// process in milliseconds, and the nodes its route searches expanded.
struct FrameFigures
{
    double main = 0.0;
    double wall = 0.0;
    double process = 0.0;
    uint64_t nodes = 0;

    template <class Work>
    static FrameFigures Of(Work work)
    {
        const SIM_PathFinder& finder = SIM_PathFinder::Instance();
        const uint64_t nodes = finder.ExpansionsDone();
        const double p0 = CpuMs(CLOCK_PROCESS_CPUTIME_ID), m0 = CpuMs(CLOCK_THREAD_CPUTIME_ID),
                     w0 = CpuMs(CLOCK_MONOTONIC);
        work();
        return {CpuMs(CLOCK_THREAD_CPUTIME_ID) - m0, CpuMs(CLOCK_MONOTONIC) - w0, CpuMs(CLOCK_PROCESS_CPUTIME_ID) - p0,
                finder.ExpansionsDone() - nodes};
    }
};

// `count` frames of the game: the worst in main-thread CPU (which frame, its wall time, its
// route-search work and the simulation's spans in it), the worst wall time, the most route-search
// work of a frame, the frames over 33 ms and the medians, as counters named from `prefix`.
// FV_FRAME_CSV names a file that gets every frame.
void RunFrames(benchmark::State& state, const std::string& prefix, int count)
{
    std::vector<FrameFigures> frames;
    std::map<std::string, double> worstSpans;
    double worstMain = -1.0;
    PTraceSpan::SetSink(&FrameSpans::Sink);
    for (int i = 0; i < count; ++i)
    {
        FrameSpans::Instance().Take();
        frames.push_back(FrameFigures::Of([] { Game::Instance().Update(); }));
        std::map<std::string, double> spans = FrameSpans::Instance().Take();
        if (frames.back().main > worstMain)
        {
            worstMain = frames.back().main;
            worstSpans.swap(spans);
        }
    }
    PTraceSpan::SetSink(nullptr);
    if (frames.empty())
        return;
    if (const char* csv = std::getenv("FV_FRAME_CSV"); csv && *csv)
    {
        std::ofstream out(csv, std::ios::app);
        out << "scene,frame,main_cpu_ms,wall_ms,process_cpu_ms,search_nodes\n";
        for (size_t i = 0; i < frames.size(); ++i)
            out << prefix << ',' << i << ',' << frames[i].main << ',' << frames[i].wall << ',' << frames[i].process
                << ',' << frames[i].nodes << '\n';
    }
    size_t worst = 0;
    double worstWall = 0.0;
    uint64_t mostNodes = 0;
    int overMain = 0, overWall = 0;
    std::vector<double> main, wall;
    for (size_t i = 0; i < frames.size(); ++i)
    {
        const FrameFigures& frame = frames[i];
        worst = frame.main > frames[worst].main ? i : worst;
        worstWall = std::max(worstWall, frame.wall);
        mostNodes = std::max(mostNodes, frame.nodes);
        overMain += frame.main > 33.0 ? 1 : 0;
        overWall += frame.wall > 33.0 ? 1 : 0;
        main.push_back(frame.main);
        wall.push_back(frame.wall);
    }
    state.counters[prefix + "_first_main_cpu_ms"] = frames.front().main;
    state.counters[prefix + "_worst_main_cpu_ms"] = frames[worst].main;
    state.counters[prefix + "_worst_index"] = static_cast<double>(worst);
    state.counters[prefix + "_worst_its_wall_ms"] = frames[worst].wall;
    state.counters[prefix + "_worst_its_search_nodes"] = static_cast<double>(frames[worst].nodes);
    state.counters[prefix + "_worst_wall_ms"] = worstWall;
    state.counters[prefix + "_most_search_nodes"] = static_cast<double>(mostNodes);
    state.counters[prefix + "_over_33ms_main"] = overMain;
    state.counters[prefix + "_over_33ms_wall"] = overWall;
    state.counters[prefix + "_median_main_cpu_ms"] = Median(main);
    state.counters[prefix + "_median_wall_ms"] = Median(wall);
    ReportSpans(state, prefix + "_worst", worstSpans);
}

// Loads a save through the load dialog: its main-thread CPU and wall time as counters; false,
// with the benchmark skipped, when it did not load.
bool LoadThroughDialog(benchmark::State& state, const std::string& save)
{
    const double m0 = CpuMs(CLOCK_THREAD_CPUTIME_ID), w0 = CpuMs(CLOCK_MONOTONIC);
    const bool loaded = GUI_LoadDialog::LoadSave(save);
    state.counters["load_main_cpu_ms"] = CpuMs(CLOCK_THREAD_CPUTIME_ID) - m0;
    state.counters["load_wall_ms"] = CpuMs(CLOCK_MONOTONIC) - w0;
    if (!loaded)
        state.SkipWithError("the save did not load");
    return loaded;
}

// PrepareLoads, the benchmark skipped when it failed.
bool LoadsReady(benchmark::State& state)
{
    if (PrepareLoads(state))
        return true;
    state.SkipWithError("the saves could not be made or the game started here (no display?)");
    return false;
}

// The filled 999 x 999 hall loaded through the dialog, and the game's frames after the load.
void GameHallLoad(benchmark::State& state)
{
    const int frames = BenchSmokeRun() ? 2 : BenchEnvInt("FV_HALL_FRAMES", 600);
    if (!LoadsReady(state))
        return;
    for (auto _ : state)
    {
        if (!LoadThroughDialog(state, "hall"))
            return;
        RunFrames(state, "after_load", frames);
    }
    state.counters["slots"] = static_cast<double>(SlotQueries::Instance().GetAllSlots().size());
    state.counters["conveyors"] = static_cast<double>(SIM_ResourceConveyorManager::Instance().Conveyors().size());
    state.counters["objects"] = SIM_ResourceObjManager::Instance().CountInUse();
    GUI_Game::EndGame();
}
BENCHMARK(GameHallLoad)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 400 x 400 floor with its trunk up loaded through the dialog and run until the load's own
// searching is over (FV_EDIT_SETTLE frames, default 600), then the trunk laid back as the
// player's click lays it: the call, and the call with the whole frame after it (and with its
// simulation step alone), with the nodes the route searches of each expanded; then the frames
// after it (120).
void GameTrunkLayBack(benchmark::State& state)
{
    const int settle = BenchSmokeRun() ? 2 : BenchEnvInt("FV_EDIT_SETTLE", 600);
    if (!LoadsReady(state))
        return;
    for (auto _ : state)
    {
        if (!LoadThroughDialog(state, "way_round"))
            return;
        for (int i = 0; i < settle; ++i)
            Game::Instance().Update();
        int counts[4];
        bigfactory::Factory::CountObjects(counts);
        state.counters["in_transit_at_edit"] = counts[SIM_ResourceObject::STATE_IN_TRANSIT];
        SIM_Tile* trunk = WayRoundTrunk();
        int laid = 0;
        const FrameFigures call = FrameFigures::Of([&] { laid = SIM_Placement::LayConveyorPath({trunk}); });
        PTraceSpan::SetSink(&FrameSpans::Sink);
        FrameSpans::Instance().Take();
        const FrameFigures frame = FrameFigures::Of([] { Game::Instance().Update(); });
        const std::map<std::string, double> spans = FrameSpans::Instance().Take();
        PTraceSpan::SetSink(nullptr);
        if (laid != 1)
        {
            state.SkipWithError("the trunk conveyor was not laid back");
            return;
        }
        state.counters["lay_back_call_main_cpu_ms"] = call.main;
        state.counters["lay_back_call_search_nodes"] = static_cast<double>(call.nodes);
        state.counters["lay_back_frame_main_cpu_ms"] = call.main + frame.main;
        // The call and the simulation step of its frame, without the drawing.
        if (const auto step = spans.find("Step"); step != spans.end())
            state.counters["lay_back_call_and_step_ms"] = call.main + step->second;
        state.counters["lay_back_frame_wall_ms"] = call.wall + frame.wall;
        state.counters["lay_back_step_search_nodes"] = static_cast<double>(frame.nodes);
        RunFrames(state, "after_lay_back", BenchSmokeRun() ? 2 : 120);
    }
    GUI_Game::EndGame();
}
BENCHMARK(GameTrunkLayBack)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Frames over a line of stations in the middle of the floor at one zoom; 0 asks for the smallest.
void GameFrames(benchmark::State& state)
{
    if (!Prepare())
    {
        state.SkipWithError("the game could not be started here (no display?)");
        return;
    }
    GUI_Camera& camera = GUI_Camera::Instance();
    const SIM_Tile* middle = g_factory->Tile(200 - 15, 200 / 2 + 5);
    const float zoom = state.range(0) == 0 ? camera.GetMinZoom() : 1.0f / static_cast<float>(state.range(0));
    auto* gl = dynamic_cast<PGLDevice*>(GD3DDevice::Instance().GetDevice());
    Game& game = Game::Instance();
    std::vector<double> process, main, wall, draws;
    int frame = 0;
    for (auto _ : state)
    {
        // The camera moves a little every frame, as while the player scrolls.
        camera.SetPosition(middle->m_worldX + static_cast<float>(frame++ % 2), middle->m_worldY);
        camera.SetZoom(zoom);
        // The recorder keeps what it was asked for; only this frame's draws are counted.
        if (g_recording)
            g_recording->Clear();
        const long long drawsBefore = gl ? gl->DrawCallCount() : 0;
        const double p0 = CpuMs(CLOCK_PROCESS_CPUTIME_ID), m0 = CpuMs(CLOCK_THREAD_CPUTIME_ID),
                     w0 = CpuMs(CLOCK_MONOTONIC);
        // Presenting copies the finished picture to the window, so the software rasterizer's
        // work is inside the frame.
        game.Update();
        process.push_back(CpuMs(CLOCK_PROCESS_CPUTIME_ID) - p0);
        main.push_back(CpuMs(CLOCK_THREAD_CPUTIME_ID) - m0);
        wall.push_back(CpuMs(CLOCK_MONOTONIC) - w0);
        if (g_recording)
            draws.push_back(static_cast<double>(g_recording->draws.size()));
        else
            draws.push_back(static_cast<double>(gl ? gl->DrawCallCount() - drawsBefore : 0));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["zoom"] = zoom;
    state.counters["slots"] = g_slots;
    state.counters["process_cpu_ms"] = Median(process);
    state.counters["main_cpu_ms"] = Median(main);
    state.counters["wall_ms"] = Median(wall);
    state.counters["fps"] = Median(wall) > 0.0 ? 1000.0 / Median(wall) : 0.0;
    state.counters["draw_calls"] = Median(draws);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["resource_objects"] = SIM_ResourceObjManager::Instance().CountInUse();
    size_t queued = 0;
    for (const SIM_ResourceImportBay* bay : SIM_ResourceConveyorManager::Instance().ImportBays())
        queued += bay->Queue().size();
    state.counters["queued_at_bays"] = static_cast<double>(queued);
}
// Argument: 1 / zoom; 0 for the floor's smallest zoom.
BENCHMARK(GameFrames)->Arg(1)->Arg(4)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(BenchMinTime(3.0));

} // namespace

// The factory is let go while the game it was built in still stands: left to the exit handlers it
// would be destroyed after the game's own singletons and clear a world that is already gone.
int main(int argc, char** argv)
{
    if (!RunBenchmarks(argc, argv))
        return 1;
    g_factory.reset();
    std::error_code ignored;
    std::filesystem::remove_all(LoadFolder(), ignored);
    return 0;
}
