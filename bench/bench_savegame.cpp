// bench-links: fv_save
// Saving and loading the largest factory a savegame holds: a 200 x 200 floor with 2,000 stations
// on 20 lines, 500 cars, every one of the 16,384 resource objects (stored, on their way, waiting
// at a bay), a full sale pool, a full ledger and efficiency history. Reports the file size.
// Measure on two cores: taskset -c 0,1 build/rel/bench/bench_savegame
#include "BenchSmoke.h"
#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kFloor = 200;
constexpr int kLines = 20;
constexpr int kStations = 100;
constexpr int kCars = 500;
// Every fifth line starts at an import bay; the mission lists those sites, since a load places
// an importer only on a site of its mission.
constexpr int kLinesPerBay = 5;

int LineRow(int line)
{
    return 4 * line + 2;
}

const char* const kLineTasks[] = {
    "task_fit chassis",   "task_mount_axles",    "task_fit_wheels",      "task_fit_engine",
    "task_fit_fuel_tank", "task_fit_body",       "task_fit_doors",       "task_fit_wiring",
    "task_fit_interior",  "task_fit_windscreen", "task_paint_undercoat", "task_paint_finish",
};

SIM_Tile* TileAt(int x, int y)
{
    return SIM_Game::Instance().GetFactory()->GetTile(x, y);
}

void Lay(int x, int y)
{
    SIM_Placement::LayConveyor(TileAt(x, y), 1, true);
}

SIM_ProductionSlot* Place(const char* name, int x, int y)
{
    const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(name);
    return static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(task, TileAt(x, y), 1, true));
}

// The largest factory the file holds, built straight into the simulation's stores.
// False when the factory came out smaller than the file's largest (a task name or a site the
// data no longer has): the figures would then time a smaller save.
bool BuildLargeFactory()
{
    SIM_Game::Instance().InitSimulation(SIM_MissionManager::Instance().GetMission("bench_large"));
    std::vector<SIM_ProductionSlot*> stations;
    std::vector<SIM_ResourceImportBay*> bays;
    // Lines along +x every four rows: machines, stations, stockpiles on a conveyor row; a trunk
    // conveyor down column 1 joins them, and every fifth line has an import bay at its start.
    for (int line = 0; line < kLines; ++line)
    {
        const int y = LineRow(line);
        for (int x = 1; x <= kStations + 3; ++x)
            Lay(x, y + 1);
        Lay(1, y);
        Lay(1, y + 2);
        if (line % kLinesPerBay == 0 && Place("task_resource_importer", 0, y)) // the importer brings its bay
            bays.push_back(SIM_ResourceConveyorManager::Instance().GetImportBayOn(TileAt(0, y)));
        Lay(0, y);
        for (int i = 0; i < kStations; ++i)
            if (SIM_ProductionSlot* slot = Place(kLineTasks[i % 12], 3 + i, y))
                stations.push_back(slot);
    }
    SIM_Placement::ConveyorsChanged();
    if (stations.size() != static_cast<size_t>(kLines * kStations) ||
        bays.size() != static_cast<size_t>(kLines / kLinesPerBay) || std::ranges::count(bays, nullptr) != 0)
        return false;

    // Cars in the first stations, each with what the line gave it so far.
    const auto& features = SIM_VehicleFeatureManager::Instance().GetFeatures();
    const auto& types = SIM_VehicleComponentTypeManager::Instance().GetComponentTypes();
    for (int i = 0; i < kCars && i < static_cast<int>(stations.size()); ++i)
    {
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        SIM_Tile* tile = stations[i]->GetTile();
        car->SetPosition(tile->m_worldX, tile->m_worldY);
        car->RestoreLeg(tile->m_worldX - 256.0f, tile->m_worldY, tile->m_worldX, tile->m_worldY, 500.0f);
        car->SetState(i % 2 ? SIM_Vehicle::MOVING : SIM_Vehicle::STANDING);
        car->SetSlot(stations[i]);
        stations[i]->SetVehicle(car);
        for (size_t f = 0; f < features.size() && f < 6; ++f)
            car->AddCompletedTask(
                std::make_unique<SIM_VehicleFeatureRecord>(SIM_VehicleFeatureRecord{features[f], {}}));
        for (size_t t = 0; t < types.size() && t < 6; ++t)
        {
            car->AddComponent(std::make_unique<SIM_VehicleComponent>(car, types[t]));
            car->AddAppliedTask(kLineTasks[t]);
        }
    }

    // Every pool record in use: per station six stored, two on their way and one at a bay.
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    const SIM_Resource* steel = SIM_ResourceManager::Instance().GetResource("steel_sheet");
    int used = 0;
    for (size_t i = 0; used < SIM_ResourceObjManager::kPoolSize; ++i)
    {
        SIM_ProductionSlot* slot = stations[i % stations.size()];
        SIM_ResourceStockpile* stockpile = slot->GetInputStockpile();
        const SIM_Tile* tile = stockpile->GetTile();
        for (int n = 0; n < 9 && used < SIM_ResourceObjManager::kPoolSize; ++n)
        {
            SIM_ResourceObject* object = &pool.Record(used++);
            object->Init(steel, slot, tile->m_worldX, tile->m_worldY);
            if (n < 6)
            {
                // A delivered object is bound for nowhere any more, as the stockpile leaves it.
                object->m_destination = nullptr;
                object->m_state = SIM_ResourceObject::STATE_DELIVERED;
                object->m_placeIndex = n;
                stockpile->LoadObject(object);
                continue;
            }
            stockpile->AddRequest(object);
            if (n < 8)
                object->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
            else
            {
                SIM_ResourceImportBay* bay = bays[i % bays.size()];
                object->m_x = bay->GetTile()->m_worldX;
                object->m_y = bay->GetTile()->m_worldY;
                bay->Enqueue(object);
            }
        }
    }

    pool.SetTopIndex(used - 1);

    // Designs, a full sale pool, a full ledger, a full efficiency history, long slot histories.
    std::vector<SIM_VehicleDesign*> designs;
    for (int d = 0; d < 24; ++d)
    {
        SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
        design->m_name = "Model " + std::to_string(d);
        design->m_price = 20000.0f + 500.0f * static_cast<float>(d);
        for (size_t t = 0; t < types.size() && t < 8; ++t)
            design->m_componentTypes.push_back(types[t]);
        designs.push_back(design);
    }
    SalesRecordPool& sales = SalesRecordPool::Instance();
    for (int i = 0; i < SalesRecordPool::NUM_RECORDS; ++i)
        sales.records[i] = SaleRecord{1, i / 40, 21000.0f + static_cast<float>(i % 97), designs[i % 24], 1 + i % 3};
    sales.highestIndex = SalesRecordPool::NUM_RECORDS - 1;
    const int lastSaleHour = (SalesRecordPool::NUM_RECORDS - 1) / 40;
    for (SIM_VehicleDesign* design : designs)
        sales.totals.push_back(SaleTotal{123456.0f, 700, design});
    SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    for (int i = 0; i < SIM_FinanceRecord::NUM_RECORDS; ++i)
        ledger.records[i] = SIM_FinanceLedgerEntry{i / 10, 1234.5f + static_cast<float>(i), i % 10, 1};
    for (SIM_Efficiency::Sample& sample : SIM_Efficiency::Instance().samples)
        sample = SIM_Efficiency::Sample{1000.0f, {0.1f, 0.2f, 0.3f, 0.1f, 0.1f, 0.1f, 0.1f}, 1};
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
        for (int e = 0; e < 24; ++e)
            slot->GetStateHistory()->EditEntry(e) =
                SIM_SlotStateHistory::Entry{100.0f * e, e == 23 ? -1.0f : 100.0f * (e + 1), e % 7, 1};
    // The game has run for as long as its records tell: a load leaves out records of hours the
    // game has not reached yet.
    const int hour = std::max(lastSaleHour, (SIM_FinanceRecord::NUM_RECORDS - 1) / 10) + 1;
    SIM_Game::Instance().SetCurrentHour(hour);
    SIM_Game::Instance().SetGameTime(static_cast<float>(hour) * SIM_SimConfig::GetFloat("HOUR_LENGTH"));
    return true;
}

// Set when a benchmark found its factory or its load not whole. A skipped benchmark alone leaves
// the run's exit status at 0, and the gate's smoke run judges by that status.
bool& RunFailed()
{
    static bool failed = false;
    return failed;
}

void Fail(benchmark::State& state, const char* reason)
{
    state.SkipWithError(reason);
    RunFailed() = true;
}

// Times the stages of a save or load: each stage's share is reported as a counter.
class StageClock : public SIM_PresentationListener
{
public:
    void ShowLoadingStage(const char* textKey, float) override
    {
        const auto now = std::chrono::steady_clock::now();
        if (!m_last.empty())
            m_times[m_last] += std::chrono::duration<double, std::milli>(now - m_start).count();
        m_last = textKey;
        m_start = now;
    }
    // The load returned: its last stage ends here.
    void Stop()
    {
        ShowLoadingStage("", 0.0f);
        m_last.clear();
    }
    void Finish(benchmark::State& state, int runs)
    {
        for (const auto& [stage, ms] : m_times)
            if (ms / runs >= 1.0)
                state.counters[stage + "_ms"] = ms / runs;
    }

private:
    std::map<std::string, double> m_times;
    std::string m_last;
    std::chrono::steady_clock::time_point m_start;
};

struct BenchWorld
{
    BenchWorld()
    {
        std::filesystem::current_path(FV_SOURCE_DIR);
        folder = std::filesystem::temp_directory_path() / "fv_bench_save";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "bench_large.txt")
            << "[config]\nname = bench_large\nworldx = " << kFloor << "\nworldy = " << kFloor
            << "\nstarting_cash = 5000000\n\n[zone0]\nleft = 0\ntop = 0\nright = " << kFloor - 1
            << "\nbottom = " << kFloor - 1 << "\nGUIName = Hall\ntype = UNLOCKED\nrent = 1\nfloortextures = f.dds\n";
        std::ofstream mission(folder / "bench_large.txt", std::ios::app);
        mission << "\n[imports]\n";
        for (int line = 0; line < kLines; line += kLinesPerBay)
            mission << line / kLinesPerBay << " = 0," << LineRow(line) << "\n";
        mission.close();
        SIM_MissionManager::Instance().Unload();
        SIM_MissionManager::Instance().Load((folder / "*.txt").string().c_str());
        SaveFolder::Set(folder.string());
        GRandom::Init();
        SIM_ThreadManager::Instance().Init();
        built = BuildLargeFactory();
    }
    ~BenchWorld()
    {
        SIM_Game::Instance().Reset();
        SIM_ResourceConveyorManager::Instance().Clear();
        SIM_MissionManager::Instance().Unload();
        std::filesystem::remove_all(folder);
    }
    // False (the benchmark skipped with the reason) when the factory is not the whole one.
    bool Ready(benchmark::State& state) const
    {
        if (!built)
            Fail(state, "the large factory could not be built whole");
        return built;
    }

    std::filesystem::path folder;
    bool built = false;
};

void BenchSaveLargeFactory(benchmark::State& state)
{
    BenchWorld world;
    if (!world.Ready(state))
        return;
    for (auto _ : state)
        SIM_SaveGame::Instance().SaveGame("large");
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(world.folder / "large.xml"));
    state.counters["objects"] = SIM_ResourceObjManager::Instance().CountInUse();
}
BENCHMARK(BenchSaveLargeFactory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BenchWriteTextOfLargeFactory(benchmark::State& state)
{
    BenchWorld world;
    if (!world.Ready(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(SIM_SaveGame::Instance().BuildSaveText());
}
BENCHMARK(BenchWriteTextOfLargeFactory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BenchLoadLargeFactory(benchmark::State& state)
{
    BenchWorld world;
    if (!world.Ready(state))
        return;
    SIM_SaveGame::Instance().SaveGame("large");
    StageClock stages;
    SIM_Presentation::Instance().SetListener(&stages);
    int runs = 0;
    const bool overRunningGame = state.range(0) != 0;
    for (auto _ : state)
    {
        if (!overRunningGame)
        {
            // From the main menu: no running game to take down first.
            state.PauseTiming();
            SIM_Game::Instance().Reset();
            state.ResumeTiming();
        }
        SIM_LoadGame::Instance().LoadGame("large");
        stages.Stop();
        ++runs;
    }
    SIM_Presentation::Instance().SetListener(nullptr);
    stages.Finish(state, runs);
    state.counters["objects"] = SIM_ResourceObjManager::Instance().CountInUse();
    state.counters["slots"] = static_cast<double>(SlotQueries::Instance().GetAllSlots().size());
    state.counters["cars"] = static_cast<double>(SIM_VehicleManager::Instance().GetVehicles().size());
    // A load that leaves items of the save out times a smaller factory than was saved.
    const int leftOut = SIM_LoadGame::Instance().LeftOutCount();
    state.counters["left_out"] = leftOut;
    if (leftOut != 0)
        Fail(state, "the load left items of the save out (listed in errors.txt)");
}
// Argument 0: loaded from the main menu; 1: loaded over the same factory running (F3 in play).
BENCHMARK(BenchLoadLargeFactory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BenchHeaderPeek(benchmark::State& state)
{
    BenchWorld world;
    if (!world.Ready(state))
        return;
    SIM_SaveGame::Instance().SaveGame("large");
    std::string date, mission;
    for (auto _ : state)
        SIM_LoadGame::Instance().ReadHeader(date, mission, "large");
}
BENCHMARK(BenchHeaderPeek)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    if (!RunBenchmarks(argc, argv))
        return 1;
    return RunFailed() ? 1 : 0;
}
