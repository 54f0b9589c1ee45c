// bench-links: fv_factoryview
// One frame of the factory view on OpenGL (software GL under Xvfb in CI), as the in-game mode draws
// it: the large benchmark factory (a 200 x 200 floor with 2,000 slots on 20 lines, 500 welding
// robots at work, conveyors with 16,000 resources hanging from them, 300 cars in the stations around
// the camera) and an empty 999 x 999 floor, at zoom 1, 0.5, 1/3 and 0.25 (the cars drawn from the
// car sprite cache) and the smallest zoom the floor allows. Every fourth frame one car near the
// camera is repainted in a colour no cell holds, so the cache renders as well as reuses; its
// render-target switches per frame are reported (their mean: they come in bursts). Reported per frame, as medians:
// the main thread's CPU (waits for the jobs excluded), the CPU of each kind of view job (on
// whichever thread ran it), the main thread's waiting, draw calls and the tiles drawn.
// Measure on two cores: LP_NUM_THREADS=2 taskset -c 0,1 build/rel/bench/bench_factory_view
// (Mesa's software rasterizer otherwise starts a thread per core of the machine, and those
// threads crowd the two cores so badly that a frame takes seconds).
// With FV_BENCH_DEVICE=recording the frames go to the recording back end instead of OpenGL: what
// is left is the game's own CPU, with the vertices copied once as a card's driver would, and none
// of the software rasterizer's work (which under Xvfb runs the vertex stage on the main thread).
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GRandom.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/scene/FactoryViewJob.h"
#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "platform/video/PGLDevice.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "platform/video/PRecordingState.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/views/SIM_CarView.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"

#include "BenchDisplay.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kHanging = 16000;

const char* const kCarTasks[] = {"task_fit_body", "task_fit_doors", "task_fit_engine", "task_fit_wheels"};
const char* const kShopTasks[] = {"task_make_axles", "task_make_wheels", "task_make_body",
                                  "task_make_doors", "task_make_engine", "task_make_seats"};

bool g_ready = false;
// Robot props the large factory set welding (reported with the figures).
int g_robots = 0;
std::filesystem::path g_folder;
std::shared_ptr<PRecordingState> g_recording;

bool OpenDisplay()
{
    const char* device = std::getenv("FV_BENCH_DEVICE");
    if (!device || std::strcmp(device, "recording") != 0)
        return OpenBenchDisplay(kWidth, kHeight);
    g_recording = std::make_shared<PRecordingState>();
    PRecordingGraphicsSystem::Install(g_recording);
    PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
    GScreenSize::Set(kWidth, kHeight);
    g_recording->windowWidth = kWidth;
    g_recording->windowHeight = kHeight;
    g_recording->recordVertices = false;
    return GD3DDevice::Instance().Init(kWidth, kHeight, true);
}

// The display, the view's data and a mission file per floor, once per run.
bool Prepare()
{
    static bool tried = false;
    if (tried)
        return g_ready;
    tried = true;
    std::filesystem::current_path(FV_SOURCE_DIR);
    if (!OpenDisplay())
        return false;
    SharedVertexBatch().Create(8000);
    GTextureManager::Instance().AddFolder("data/bitmaps");
    LoadSpriteAtlases();
    GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", 4096, 2048, PFormat::A8R8G8B8);
    GUI_TextureCache::Init();
    GUI_ShaderManager::Instance().LoadAll();
    g_folder = std::filesystem::temp_directory_path() / "fv_bench_view";
    std::filesystem::create_directories(g_folder);
    for (int size : {200, 999})
        std::ofstream(g_folder / ("bench_floor_" + std::to_string(size) + ".txt"))
            << "[config]\nname = bench_floor_" << size << "\nworldx = " << size << "\nworldy = " << size
            << "\nstarting_cash = 90000000\n\n[zone0]\nleft = 1\ntop = 1\nright = " << size - 2
            << "\nbottom = " << size - 2
            << "\nGUIName = Hall\ntype = UNLOCKED\nrent = 1\nwallid = 1\n"
               "floortextures = floor_concrete_01.dds,floor_concrete_02.dds\n\n[imports]\n0 = 1,2\n\n[exports]\n0 = "
            << size - 2 << ",5\n";
    SIM_MissionManager::Instance().Unload();
    SIM_MissionManager::Instance().Load((g_folder / "*.txt").string().c_str());
    GRandom::Init();
    SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
    SIM_ThreadManager::Instance().Init();
    SIM_Presentation::Instance().SetListener(&GUI_Factory::Instance());
    LoadParticleConfigs();
    g_ready = true;
    return true;
}

SIM_Tile* TileAt(int x, int y)
{
    return SIM_Game::Instance().GetFactory()->GetTile(x, y);
}

// The tile the frames look at: over a line of stations.
const SIM_Tile* CameraTile()
{
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    return factory->GetTile(factory->GetWidth() - 15, factory->GetHeight() / 2 + 5);
}

std::vector<SIM_Vehicle*> g_cars;
std::vector<const int*> g_paints; // each car's own paint

// 300 cars in the stations nearest the camera, at every stage of building: 6 part sets in 5
// paints, so most cars share their cells with others.
void AddCars(const std::vector<GUI_SlotBase*>& stations)
{
    static const std::vector<std::vector<const char*>> kStages = {
        {"chassis", "axles"},
        {"chassis", "axles", "wheels"},
        {"chassis", "axles", "wheels", "engine"},
        {"chassis", "axles", "wheels", "engine", "body"},
        {"chassis", "axles", "wheels", "engine", "body", "doors"},
        {"chassis", "axles", "wheels", "engine", "body", "doors", "seats", "spoiler"},
    };
    static const int kPaints[5][3] = {{200, 30, 30}, {30, 140, 220}, {240, 200, 40}, {40, 170, 70}, {90, 90, 90}};
    const SIM_Tile* camera = CameraTile();
    std::vector<SIM_ProductionSlot*> near;
    for (GUI_SlotBase* view : stations)
        if (auto* slot = view ? dynamic_cast<SIM_ProductionSlot*>(view->GetSimSlot()) : nullptr)
            if (slot->GetTile())
                near.push_back(slot);
    auto distance = [camera](const SIM_ProductionSlot* slot) {
        const float dx = slot->GetTile()->m_worldX - camera->m_worldX,
                    dy = slot->GetTile()->m_worldY - camera->m_worldY;
        return dx * dx + dy * dy;
    };
    std::sort(near.begin(), near.end(),
              [&](const SIM_ProductionSlot* a, const SIM_ProductionSlot* b) { return distance(a) < distance(b); });
    SIM_VehicleComponentTypeManager& types = SIM_VehicleComponentTypeManager::Instance();
    for (size_t n = 0; n < near.size() && g_cars.size() < 300; ++n)
    {
        SIM_ProductionSlot* slot = near[n];
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        for (const char* part : kStages[n % kStages.size()])
            car->AddComponent(std::make_unique<SIM_VehicleComponent>(car, types.GetComponentType(part)));
        const int* paint = kPaints[(n / kStages.size()) % 5];
        car->SetColor(paint[0], paint[1], paint[2], 255);
        car->SetSlot(slot);
        car->SetPosition(slot->GetTile()->m_worldX, slot->GetTile()->m_worldY);
        car->SetFacing(slot->GetFacing());
        slot->SetVehicle(car);
        g_cars.push_back(car);
        g_paints.push_back(paint);
    }
}

// Bands of seven rows as the largest factory the game allows: two car lines a band facing each
// other across three rows of overhead conveyors, each line two chains of twelve stations, five car
// conveyors and an export; import bays down column 0. 500 of the stations' robots weld.
void BuildLargeFactory()
{
    SIM_Game::Instance().InitSimulation(SIM_MissionManager::Instance().GetMission("bench_floor_200"));
    SIM_ProductionTaskManager& tasks = SIM_ProductionTaskManager::Instance();
    static const char* const kStations[] = {
        "task_fit chassis",   "task_mount_axles",    "task_fit_wheels",      "task_fit_engine",
        "task_fit_fuel_tank", "task_fit_body",       "task_fit_doors",       "task_fit_wiring",
        "task_fit_interior",  "task_fit_windscreen", "task_paint_undercoat", "task_paint_finish",
    };
    std::vector<GUI_SlotBase*> stations;
    auto place = [&](const char* name, int x, int y, int facing) {
        auto* slot = SIM_Placement::PlaceTask(tasks.GetTask(name), TileAt(x, y), facing, true);
        return slot ? dynamic_cast<GUI_SlotBase*>(slot->GetGuiSlot()) : nullptr;
    };
    auto chain = [&](int x0, int y, int facing, int direction) {
        int x = x0;
        for (const char* name : kStations)
        {
            if (GUI_SlotBase* view = place(name, x, y, facing))
                stations.push_back(view);
            x += direction;
        }
        for (int i = 0; i < 5; ++i, x += direction)
            place("task_conveyor", x, y, facing);
        place("task_export", x, y, facing);
    };
    for (int band = 0; band < 28; ++band)
    {
        const int b = 1 + 7 * band;
        for (int row = b + 2; row <= b + 4; ++row)
            for (int x = 1; x < 199; ++x)
                SIM_Placement::LayConveyor(TileAt(x, row), 4, true);
        for (int c = 0; c < 2; ++c)
        {
            const int right = 198 - 2 - c * 19;
            chain(right - 17, b + 1, 1, +1);
            chain(right, b + 5, 3, -1);
        }
        SIM_Placement::PlaceTask(tasks.GetTask("task_resource_importer"), TileAt(1, b + 3), 1, true);
    }
    SIM_Placement::ConveyorsChanged();
    // The robots weld whether or not a car stands there.
    int robots = 0;
    for (GUI_SlotBase* view : stations)
    {
        if (!view || view->GetAnimatedProps().empty() || robots >= 500)
            continue;
        view->StartAnimations();
        robots += static_cast<int>(view->GetAnimatedProps().size());
    }
    g_robots = robots;
    AddCars(stations);
    // Resources hang all over the conveyors.
    const SIM_Resource* steel = SIM_ResourceManager::Instance().GetResource("steel_sheet");
    for (int n = 0; n < kHanging; ++n)
    {
        const SIM_Tile* tile = TileAt(2 + (n * 7) % 196, 1 + 7 * (n % 28) + 2 + n % 3);
        SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
        if (!object || !tile)
            break;
        object->Init(steel, nullptr, tile->m_worldX, tile->m_worldY);
        object->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
    }
}

void BuildEmptyFloor()
{
    g_cars.clear();
    g_paints.clear();
    SIM_Game::Instance().InitSimulation(SIM_MissionManager::Instance().GetMission("bench_floor_999"));
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Frames at one zoom over the middle of the floor; zoom 0 asks for the floor's smallest.
void DrawFrames(benchmark::State& state, void (*build)(), const char* floorName)
{
    if (!Prepare())
    {
        state.SkipWithError("no OpenGL display");
        return;
    }
    static std::string built;
    if (built != floorName)
    {
        build();
        built = floorName;
    }
    GUI_Camera& camera = GUI_Camera::Instance();
    // Over the middle of the floor: on the large factory, over a line of stations.
    const SIM_Tile* middle = CameraTile();
    camera.SetPosition(middle->m_worldX, middle->m_worldY);
    const float zoom = state.range(0) == 0 ? camera.GetMinZoom() : 1.0f / static_cast<float>(state.range(0));
    camera.SetZoom(zoom);
    GUI_Factory& view = GUI_Factory::Instance();
    auto* gl = dynamic_cast<PGLDevice*>(GD3DDevice::Instance().GetDevice());
    FactoryJobClock& jobs = view.GetJobClock();
    jobs.enabled = true;
    const bool parts = std::getenv("FV_BENCH_PARTS") != nullptr;
    // Every figure of every frame, by counter name; the medians are reported.
    std::map<std::string, std::vector<double>> samples;
    auto ms = [](int64_t ns) { return static_cast<double>(ns) / 1.0e6; };
    // The first frame at a zoom renders the cells of every car design it shows (seconds on the
    // software rasterizer): drawn once first, so the figures are those of play at that zoom.
    view.Update();
    view.Draw();
    int frame = 0;
    // Render-target switches come in bursts (a repaint every fourth frame): their mean is reported.
    double switches = 0.0;
    for (auto _ : state)
    {
        // The camera moves a little every frame, as while the player scrolls: nothing of the
        // last frame can be reused.
        camera.SetPosition(middle->m_worldX + static_cast<float>(frame++ % 2), middle->m_worldY);
        jobs.Reset();
        if (!g_cars.empty() && frame % 4 == 0)
        {
            // One of the cars nearest the camera (on screen at every zoom below 0.5) takes a
            // colour no cell holds, and is rendered anew; the one before it gets its own paint
            // back and finds its cells still held by the cars of its design.
            const size_t nearest = std::min<size_t>(g_cars.size(), 24);
            const size_t k = static_cast<size_t>(frame / 4) % nearest;
            SIM_Vehicle* car = g_cars[k];
            car->SetColor(frame % 256, (frame / 256) % 256, 7, 255);
            SIM_Vehicle* before = g_cars[(k + nearest - 1) % nearest];
            const int* paint = g_paints[(k + nearest - 1) % nearest];
            before->SetColor(paint[0], paint[1], paint[2], 255);
            for (SIM_Vehicle* changed : {car, before})
                if (changed->GetView())
                    changed->GetView()->ClearCachedSprites();
        }
        GUI_CarSpriteCache& cache = GUI_CarSpriteCache::Instance();
        cache.ResetTargetSwitches();
        if (g_recording)
            g_recording->Clear();
        const long long drawsBefore = gl ? gl->DrawCallCount() : 0;
        GD3DDevice::Instance().GetDevice()->Clear(0xFF101418u);
        // The in-game mode's draw step, as far as the view goes.
        const int64_t t0 = FactoryJobClock::ThreadCpuNow();
        view.Update();
        const int64_t t1 = FactoryJobClock::ThreadCpuNow();
        view.Draw();
        const int64_t t2 = FactoryJobClock::ThreadCpuNow();
        GUI_ZoomOutIcons::Instance().Draw();
        const int64_t t3 = FactoryJobClock::ThreadCpuNow();
        view.DrawLabels();
        GUI_FloatingValue::DrawAll();
        view.DrawNotices();
        const int64_t t4 = FactoryJobClock::ThreadCpuNow();
        const FactoryFrameStats& stats = view.GetStats();
        const double jobMs[4] = {ms(jobs.nanoseconds[TRANSFORMTILES].load()), ms(jobs.nanoseconds[PREDRAWPROPS].load()),
                                 ms(jobs.nanoseconds[PREDRAWVEHICLES].load()),
                                 ms(jobs.nanoseconds[SORTOBJECTS].load())};
        const double main = ms(t4 - t0) - stats.mainWaitMs;
        samples["cpu_ms"].push_back(main + jobMs[0] + jobMs[1] + jobMs[2] + jobMs[3]);
        samples["main_ms"].push_back(main);
        samples["wait_ms"].push_back(stats.mainWaitMs);
        samples["tiles_ms"].push_back(jobMs[0]);
        samples["props_ms"].push_back(jobMs[1]);
        samples["vehicles_ms"].push_back(jobMs[2]);
        samples["sort_ms"].push_back(jobMs[3]);
        samples["draw_calls"].push_back(g_recording ? static_cast<double>(g_recording->draws.size())
                                                    : static_cast<double>(gl ? gl->DrawCallCount() - drawsBefore : 0));
        samples["tiles"].push_back(stats.visibleTiles);
        samples["queued"].push_back(stats.queueLength);
        samples["floor_draws"].push_back(stats.floorDraws);
        samples["scene_batches"].push_back(stats.queueBatches);
        switches += cache.GetTargetSwitches();
        if (!parts)
            continue;
        samples["m_update"].push_back(ms(t1 - t0));
        samples["m_floor"].push_back(stats.floorMs);
        samples["m_objects"].push_back(stats.objectsMs);
        samples["m_markers"].push_back(stats.markersMs);
        samples["m_scene"].push_back(stats.sceneMs);
        samples["m_resources"].push_back(stats.resourcesMs);
        samples["m_zoomout"].push_back(ms(t3 - t2));
        samples["m_labels_values_notices"].push_back(ms(t4 - t3));
    }
    jobs.enabled = false;
    state.counters["zoom"] = zoom;
    state.counters["slots"] = static_cast<double>(view.GetSlotViews().size());
    state.counters["robots"] = built == "large" ? g_robots : 0;
    for (const auto& [name, values] : samples)
        state.counters[name] = Median(values);
    state.counters["rt_switches"] = frame > 0 ? switches / frame : 0.0;
}

void BenchLargeFactory(benchmark::State& state)
{
    DrawFrames(state, &BuildLargeFactory, "large");
}
void BenchEmptyFloor(benchmark::State& state)
{
    DrawFrames(state, &BuildEmptyFloor, "empty");
}
// Argument: 1 / zoom (1, 2, 3, 4); 0 for the floor's smallest zoom.
BENCHMARK(BenchLargeFactory)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchEmptyFloor)->Arg(1)->Arg(2)->Arg(4)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
