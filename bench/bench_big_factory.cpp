// bench-links: fv_sim
// The simulation at its limits: the largest floor a player can build (200 x 200, over 2000 slots,
// car lines of stations fed by overhead conveyors from many import bays, 500 cars and more) in
// three scenes: the resource-object pool filling, the pool full and staying full, and more than
// 15000 objects in transit; and the opening steps of a new game. Each reports step percentiles at
// speed 4, the time of every main-thread phase and worker job per step, and how many bytes
// debug.txt gains per game minute.
//
// Run it on two cores and on all of them, with the log lines out of the way:
//   taskset -c 0,1 build/rel/bench/bench_big_factory 2>/dev/null
//   build/rel/bench/bench_big_factory 2>/dev/null
// FV_BIG_FRAMES (default 2000), FV_BIG_BAYS (56), FV_BIG_SPINE (0 or 1) and FV_BIG_GAME_FRAMES (the
// cap of frames per scene, default 30000) change the run.
#include "../tests/sim/BigFactory.h"
#include "BenchSmoke.h"

#include "engine/core/GDebugLog.h"
#include "platform/core/PTraceSpan.h"
#include "sim/definitions/SIM_SimConfig.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <sched.h>
#include <string>
#include <vector>

namespace
{
bigfactory::Layout BenchLayout()
{
    bigfactory::Layout layout;
    layout.bays = BenchEnvInt("FV_BIG_BAYS", layout.bays);
    layout.spine = BenchEnvInt("FV_BIG_SPINE", 0) != 0;
    return layout;
}

// Span totals per name, filled from any thread while a scene's measured frames run.
struct SpanTotals
{
    std::mutex lock;
    std::map<std::string, uint64_t> ns;
    std::map<std::string, uint64_t> maxNs;
    bool recording = false;

    static SpanTotals& Instance()
    {
        static SpanTotals totals;
        return totals;
    }
    static void Sink(const char* name, uint64_t nanoseconds)
    {
        SpanTotals& totals = Instance();
        std::lock_guard<std::mutex> guard(totals.lock);
        if (!totals.recording)
            return;
        totals.ns[name] += nanoseconds;
        uint64_t& peak = totals.maxNs[name];
        peak = std::max(peak, nanoseconds);
    }
};

// The frames of one scene: step times, log growth and game time covered.
class SceneRecorder
{
public:
    SceneRecorder()
    {
        PTraceSpan::SetSink(&SpanTotals::Sink);
        SpanTotals& totals = SpanTotals::Instance();
        std::lock_guard<std::mutex> guard(totals.lock);
        totals.ns.clear();
        totals.maxNs.clear();
    }
    ~SceneRecorder() { PTraceSpan::SetSink(nullptr); }

    // One measured frame.
    void Frame(bigfactory::Factory& factory)
    {
        const uintmax_t logBefore = LogBytes();
        const float gameBefore = SIM_Game::Instance().GetGameTime();
        SetRecording(true);
        const auto start = std::chrono::steady_clock::now();
        factory.Frame();
        const auto end = std::chrono::steady_clock::now();
        SetRecording(false);
        m_stepMs.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        m_gameMs += SIM_Game::Instance().GetGameTime() - gameBefore;
        m_logBytes += LogBytes() - logBefore;
    }

    size_t Frames() const { return m_stepMs.size(); }

    void Report(benchmark::State& state)
    {
        std::vector<double> sorted = m_stepMs;
        std::sort(sorted.begin(), sorted.end());
        auto at = [&sorted](double q) {
            if (sorted.empty())
                return 0.0;
            const size_t i = std::min(sorted.size() - 1, static_cast<size_t>(q * static_cast<double>(sorted.size())));
            return sorted[i];
        };
        state.counters["frames"] = static_cast<double>(sorted.size());
        state.counters["p50_ms"] = at(0.50);
        state.counters["p99_ms"] = at(0.99);
        state.counters["max_ms"] = sorted.empty() ? 0.0 : sorted.back();
        cpu_set_t set;
        CPU_ZERO(&set);
        state.counters["cpus"] = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
        const float hourMs = SIM_SimConfig::GetFloat("HOUR_LENGTH");
        const double gameMinutes = hourMs > 0.0f ? m_gameMs / (hourMs / 60.0) : 0.0;
        state.counters["log_bytes_per_game_minute"] =
            gameMinutes > 0.0 ? static_cast<double>(m_logBytes) / gameMinutes : 0.0;
        state.counters["log_bytes_per_game_hour"] =
            gameMinutes > 0.0 ? 60.0 * static_cast<double>(m_logBytes) / gameMinutes : 0.0;
        SpanTotals& totals = SpanTotals::Instance();
        std::lock_guard<std::mutex> guard(totals.lock);
        const double frames = sorted.empty() ? 1.0 : static_cast<double>(sorted.size());
        for (const auto& [name, ns] : totals.ns)
        {
            std::string key = name;
            std::replace(key.begin(), key.end(), ' ', '_');
            state.counters["avg_ms:" + key] = static_cast<double>(ns) / 1.0e6 / frames;
            state.counters["max_ms:" + key] = static_cast<double>(totals.maxNs[name]) / 1.0e6;
        }
    }

private:
    static void SetRecording(bool on)
    {
        SpanTotals& totals = SpanTotals::Instance();
        std::lock_guard<std::mutex> guard(totals.lock);
        totals.recording = on;
    }
    static uintmax_t LogBytes()
    {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(GDebugLog::Instance().GetDebugPath(), error);
        return error ? 0 : size;
    }

    std::vector<double> m_stepMs;
    double m_gameMs = 0.0;
    uintmax_t m_logBytes = 0;
};

// A fresh debug.txt for the run, in a scratch folder.
class BenchLog
{
public:
    BenchLog()
    {
        m_folder = std::filesystem::temp_directory_path() / ("fv_bench_log_" + std::to_string(::getpid()));
        GDebugLog::Instance().Open(m_folder.string());
    }
    ~BenchLog()
    {
        GDebugLog::Instance().Close();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::filesystem::path m_folder;
};

void ReportFloor(benchmark::State& state, bigfactory::Factory& factory)
{
    state.counters["slots"] = factory.SlotCount();
    state.counters["stations"] = factory.StationCount();
    state.counters["bays"] = factory.BayCount();
    state.counters["conveyor_tiles"] = factory.ConveyorTiles();
}

// Steps until the condition holds or the cap is reached; true when it held.
template <class Condition>
bool Until(bigfactory::Factory& factory, Condition condition, int cap)
{
    for (int i = 0; i < cap; ++i)
    {
        if (condition())
            return true;
        factory.Frame();
    }
    return condition();
}

int InUse()
{
    return SIM_ResourceObjManager::Instance().CountInUse();
}

// A new game on the big floor at speed 4 (with `bayDelay` >= 0 as the bays' delay between two
// sends), stepped until 500 cars are on the lines, as a factory is after some minutes of play;
// null, and the benchmark skipped, when it could not be built.
std::unique_ptr<bigfactory::Factory> StartFactory(benchmark::State& state, float bayDelay = -1.0f)
{
    auto factory = std::make_unique<bigfactory::Factory>(BenchLayout(), bayDelay);
    if (!factory->Build())
    {
        state.SkipWithError("the factory could not be built");
        return nullptr;
    }
    // The game refuses a delay it cannot use (0 among them) and keeps its own: the scene would
    // then measure another factory than it says.
    if (bayDelay >= 0.0f && SIM_SimConfig::GetFloat("CONVEYOR_IMPORT_BAY_DELAY") != bayDelay)
    {
        state.SkipWithError("the game refused the bays' delay");
        return nullptr;
    }
    ReportFloor(state, *factory);
    SIM_Game::Instance().SetSpeed(4.0f);
    int frames = 0;
    const bool ready = Until(
        *factory, [&frames] { return ++frames, bigfactory::Factory::CarCount() >= 500; },
        BenchEnvInt("FV_BIG_GAME_FRAMES", 30000));
    state.counters["warm_up_frames"] = frames;
    state.counters["warm_up_short_of_cars"] = ready ? 0 : 1;
    return factory;
}
} // namespace

// The first steps of a new game, in which every station looks for its nearest import bay: the
// same happens after every conveyor edit. Not a scene of its own: reported for what it costs.
static void BM_BigFactory_Opening(benchmark::State& state)
{
    BenchLog log;
    for (auto _ : state)
    {
        SceneRecorder recorder;
        for (int game = 0; game < 5; ++game)
        {
            bigfactory::Factory factory(BenchLayout());
            if (!factory.Build())
            {
                state.SkipWithError("the factory could not be built");
                return;
            }
            if (game == 0)
                ReportFloor(state, factory);
            SIM_Game::Instance().SetSpeed(4.0f);
            for (int frame = 0; frame < 20; ++frame)
                recorder.Frame(factory);
        }
        recorder.Report(state);
    }
}
BENCHMARK(BM_BigFactory_Opening)->Iterations(1)->Unit(benchmark::kMillisecond);

// Set when a scene never began: the run then ends with a failure, not with empty figures.
bool g_sceneMissed = false;

// One scene: a running factory (see StartFactory), then frames until `wanted` of them are measured
// or the cap runs out. `frame(factory, recorder)` steps one frame, through the recorder when it
// belongs to the scene, and keeps the scene's own figures. A scene that measured no frame fails
// the run (a smoke run's few frames seldom reach a scene, and only say so).
template <class Frame>
void RunScene(benchmark::State& state, float bayDelay, Frame frame)
{
    const int wanted = BenchEnvInt("FV_BIG_FRAMES", 2000);
    const int cap = 4 * BenchEnvInt("FV_BIG_GAME_FRAMES", 30000);
    BenchLog log;
    for (auto _ : state)
    {
        std::unique_ptr<bigfactory::Factory> factory = StartFactory(state, bayDelay);
        if (!factory)
            return;
        SceneRecorder recorder;
        for (int i = 0; i < cap && static_cast<int>(recorder.Frames()) < wanted; ++i)
            frame(*factory, recorder);
        recorder.Report(state);
        if (recorder.Frames() == 0 && !BenchSmokeRun())
        {
            g_sceneMissed = true;
            state.SkipWithError("the scene never began: no frame was measured");
            return;
        }
    }
}

// The pool filling: in a running factory the stations use up 24 stored objects a frame (untimed),
// the records go back to the pool, and the stockpiles buy again. The frames that begin with a free
// record in the pool are measured.
static void BM_BigFactory_PoolFilling(benchmark::State& state)
{
    int carsMin = 1 << 30;
    int inUseMax = 0;
    RunScene(state, -1.0f, [&](bigfactory::Factory& factory, SceneRecorder& recorder) {
        bigfactory::Factory::ConsumeSome(24);
        const int inUse = InUse();
        if (inUse >= SIM_ResourceObjManager::kPoolSize)
            return factory.Frame();
        inUseMax = std::max(inUseMax, inUse);
        carsMin = std::min(carsMin, bigfactory::Factory::CarCount());
        recorder.Frame(factory);
    });
    state.counters["in_use_max"] = inUseMax;
    state.counters["cars_min"] = carsMin;
}
BENCHMARK(BM_BigFactory_PoolFilling)->Iterations(1)->Unit(benchmark::kMillisecond);

// The pool full and staying full: the stations ask for more than the pool holds. Measured from
// the first frame that finds every record in use.
static void BM_BigFactory_PoolFull(benchmark::State& state)
{
    int inUseMin = SIM_ResourceObjManager::kPoolSize;
    int carsMin = 1 << 30;
    bool full = false;
    RunScene(state, -1.0f, [&](bigfactory::Factory& factory, SceneRecorder& recorder) {
        const int inUse = InUse();
        full = full || inUse == SIM_ResourceObjManager::kPoolSize;
        if (!full)
            return factory.Frame();
        inUseMin = std::min(inUseMin, inUse);
        carsMin = std::min(carsMin, bigfactory::Factory::CarCount());
        recorder.Frame(factory);
    });
    state.counters["in_use_min"] = inUseMin;
    state.counters["cars_min"] = carsMin;
}
BENCHMARK(BM_BigFactory_PoolFull)->Iterations(1)->Unit(benchmark::kMillisecond);

// Bays that send every tick (a delay of 1 ms) fill the conveyors: the frames with more than 15000
// objects in transit are measured. When a wave has arrived, every station uses up its stock and
// the next wave starts.
static void BM_BigFactory_InTransit(benchmark::State& state)
{
    int waves = 0;
    int transitMin = SIM_ResourceObjManager::kPoolSize;
    int carsMin = 1 << 30;
    bool inWave = false;
    RunScene(state, 1.0f, [&](bigfactory::Factory& factory, SceneRecorder& recorder) {
        const int transit = bigfactory::Factory::InTransit();
        if (transit > 15000)
        {
            waves += inWave ? 0 : 1;
            inWave = true;
            transitMin = std::min(transitMin, transit);
            carsMin = std::min(carsMin, bigfactory::Factory::CarCount());
            return recorder.Frame(factory);
        }
        // A wave that has arrived (or none yet): the stations use up their stock.
        if (inWave || transit < 1000)
            bigfactory::Factory::ConsumeAllStored();
        inWave = false;
        factory.Frame();
    });
    state.counters["waves"] = waves;
    state.counters["in_transit_min"] = transitMin;
    state.counters["cars_min"] = carsMin;
}
BENCHMARK(BM_BigFactory_InTransit)->Iterations(1)->Unit(benchmark::kMillisecond);

// The largest floor with nothing on it: what a step costs before the player builds anything.
static void BM_EmptyGiantFloor(benchmark::State& state)
{
    bigfactory::Layout layout;
    layout.size = 999;
    layout.bands = 0;
    layout.bays = 0;
    bigfactory::Factory factory(layout);
    factory.Frame();
    std::vector<double> stepMs;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        factory.Frame();
        stepMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(stepMs.begin(), stepMs.end());
    state.counters["p50_ms"] = stepMs[stepMs.size() / 2];
    state.counters["p99_ms"] = stepMs[std::min(stepMs.size() - 1, stepMs.size() * 99 / 100)];
}
BENCHMARK(BM_EmptyGiantFloor)->Iterations(2000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (!RunBenchmarks(argc, argv))
        return 1;
    return g_sceneMissed ? 1 : 0;
}
