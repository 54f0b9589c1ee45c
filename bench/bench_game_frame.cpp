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
// First, before the frames, the loads (GameLoads): the maximal factory's save (59 import bays, the
// pool full, cars on the lines) loaded through the game's own load dialog right after the game
// started, then again; FV_LOAD_FILL_FRAMES (default 30000) caps the frames run to fill it.
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
#include "platform/video/PGLDevice.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "platform/video/PRecordingState.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_MissionManager.h"

#include "BenchSmoke.h"

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
    return std::filesystem::temp_directory_path() / ("fv_bench_game_loads_" + std::to_string(::getpid()));
}

// The maximal factory (200 x 200, 59 import bays), built and run by the simulation alone in a child
// process, so that nothing it loads stays behind for the game: at speed 4 until every record of the
// pool is in use and cars fill the lines, then saved as "maximal" with its mission beside the save.
bool MakeMaximalSave()
{
    std::filesystem::current_path(FV_SOURCE_DIR);
    const std::filesystem::path folder = LoadFolder();
    std::filesystem::create_directories(folder);
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child > 0)
    {
        int status = 0;
        return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    bool saved = false;
    {
        bigfactory::Layout layout;
        layout.bays = 59;
        layout.workers = false;
        bigfactory::Factory factory(layout);
        if (factory.Build())
        {
            factory.RegisterMission();
            SaveFolder::Set(folder.string());
            SIM_Game::Instance().SetSpeed(4.0f);
            const char* fill = std::getenv("FV_LOAD_FILL_FRAMES");
            const int cap = BenchSmokeRun() ? 20 : fill ? std::atoi(fill) : 30000;
            for (int i = 0; i < cap; ++i)
            {
                if (SIM_ResourceObjManager::Instance().CountInUse() == SIM_ResourceObjManager::kPoolSize &&
                    bigfactory::Factory::CarCount() >= 800)
                    break;
                factory.Frame();
            }
            std::error_code copied;
            std::filesystem::copy_file(factory.Folder() / "missions" / "m_big.txt", folder / "m_big.txt",
                                       std::filesystem::copy_options::overwrite_existing, copied);
            saved = !copied && SIM_SaveGame::Instance().SaveGame("maximal");
        }
    }
    // The child leaves without the exit handlers: the parent's program owns what they would tear down.
    _exit(saved ? 0 : 1);
}

// The save made, the game started on the main menu with the save's mission in its list.
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
    if (!MakeMaximalSave() || !StartGame())
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
// thread's CPU. A second game should hold no more than the first: what a game's end leaves behind
// shows as the difference.
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
    for (auto _ : state)
    {
        for (int load = 0; load < 2; ++load)
        {
            const std::string name = load == 0 ? "first" : "second";
            if (load > 0)
            {
                const double lm0 = CpuMs(CLOCK_THREAD_CPUTIME_ID), lw0 = CpuMs(CLOCK_MONOTONIC);
                GUI_Game::EndGame();
                state.counters["leave_main_cpu_ms"] = CpuMs(CLOCK_THREAD_CPUTIME_ID) - lm0;
                state.counters["leave_wall_ms"] = CpuMs(CLOCK_MONOTONIC) - lw0;
            }
            const int decoded = GTextureManager::Instance().GetDecodeCount();
            const double m0 = CpuMs(CLOCK_THREAD_CPUTIME_ID), w0 = CpuMs(CLOCK_MONOTONIC);
            const bool loaded = GUI_LoadDialog::LoadSave("maximal");
            state.counters[name + "_load_main_cpu_ms"] = CpuMs(CLOCK_THREAD_CPUTIME_ID) - m0;
            state.counters[name + "_load_wall_ms"] = CpuMs(CLOCK_MONOTONIC) - w0;
            state.counters[name + "_load_log_ms"] = LastLoadInLogMs();
            state.counters[name + "_load_decoded"] = GTextureManager::Instance().GetDecodeCount() - decoded;
            if (!loaded)
            {
                state.SkipWithError("the save did not load");
                return;
            }
            for (int frame = 0; frame < framesAfterLoad; ++frame)
                Game::Instance().Update();
            state.counters[name + "_load_rss_mb"] = ResidentMb();
        }
    }
    int counts[4];
    bigfactory::Factory::CountObjects(counts);
    state.counters["slots"] = static_cast<double>(SlotQueries::Instance().GetAllSlots().size());
    state.counters["objects"] = SIM_ResourceObjManager::Instance().CountInUse();
    state.counters["in_transit"] = counts[SIM_ResourceObject::STATE_IN_TRANSIT];
    state.counters["cars"] = bigfactory::Factory::CarCount();
}
// Registered first: its first load must be the first game of the run.
BENCHMARK(GameLoads)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

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
