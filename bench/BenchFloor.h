// A filled factory floor for the benchmarks of big floors: a W x H hall under one unlocked zone,
// registered as a mission (so a save of it loads again), filled through the simulation's own
// placement operations in their unpaid (loading) form with overhead conveyor bands, car lines of
// stations with input stockpiles, car exports and import bays, then stepped on a hand-driven clock.
//
// The floor is cut into bands of seven rows from row 1. In each band, rows 2 to 4 are overhead
// conveyors across the whole width (the stockpile rows of the two lines and the feed row between
// them); line A runs on row 1 towards +x with its machines on row 0, line B on row 5 towards -x
// with its machines on row 6. Each line holds `chains` car chains (twelve stations, `carBelts` car
// conveyors, an export) packed against the right edge, and the import bays stand at x = 0, where
// a spine of conveyors may join the bands.
#pragma once
#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace benchfloor
{
// What fills the floor. The defaults are the largest hall (999 x 999) with about 11,300 slots and
// 372,000 conveyor tiles.
struct Fill
{
    int width = 999;
    int height = 999;
    int bands = 124;     // at most (height - 1) / 7
    int chains = 2;      // car chains per line
    int carBelts = 9;    // car conveyors between the last station and the export
    int bays = 372;      // at most three per band
    bool workers = true; // the frame's jobs on worker threads, as in the game
    // A trunk of conveyors down column 0 between the bands joins them all into one run.
    bool spine = false;
    // The feed row between the two stockpile rows of a band. Without it the stockpile rows meet
    // only at the bays and at the far end (x = width - 1), where one piece joins them.
    bool feedRow = true;
    // The mission the floor is played as; two floors saved for one game need names of their own.
    const char* mission = "bench_floor";
};

// The filled 400 x 400 hall of the conveyor-edit benchmarks: 57 bands, two bays a band.
inline Fill EditHall()
{
    Fill fill;
    fill.width = 400;
    fill.height = 400;
    fill.bands = 57;
    fill.bays = 114;
    return fill;
}

class Floor
{
public:
    static constexpr uint64_t kFrameNs = 16000000ull;

    // A new game on the shipped data in an empty hall of the fill's size.
    explicit Floor(const Fill& fill) : m_fill(fill)
    {
        std::filesystem::current_path(FV_SOURCE_DIR);
        m_folder = std::filesystem::temp_directory_path() / ("fv_bench_floor_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        // The mission offers a site for every import bay and car export the fill builds, so that a
        // save of the floor loads whole.
        std::ofstream file(MissionFile());
        file << "[config]\nname = " << fill.mission << "\nworldx = " << fill.width << "\nworldy = " << fill.height
             << "\nstarting_cash = 1000000000\n\n[zone0]\nleft = 0\ntop = 0\nright = " << fill.width - 1
             << "\nbottom = " << fill.height - 1
             << "\nGUIName = Hall\ntype = UNLOCKED\nrent = 0\nwallid = 1\nfloortextures = floor_concrete_01.dds\n";
        file << "\n[imports]\n";
        for (int i = 0; i < BayCountOfFill(); ++i)
            file << i << " = 0," << BayRow(i) << "\n";
        file << "\n[exports]\n";
        int exports = 0;
        ForEachChain([&](int x0, int y, int, int step) {
            file << exports++ << " = " << x0 + step * (12 + m_fill.carBelts) << "," << y << "\n";
            return true;
        });
        file.close();
        PClock::SetManual(true, 1000 * kFrameNs);
        if (!GRandom::IsReady())
            GRandom::Init();
        SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
        SIM_MissionManager::Instance().Unload();
        SIM_MissionManager::Instance().Load((m_folder / "*.txt").string().c_str());
        if (fill.workers)
            SIM_ThreadManager::Instance().Init();
        SIM_Mission* mission = SIM_MissionManager::Instance().GetMission(fill.mission);
        m_started = mission && SIM_Game::Instance().InitSimulation(mission);
        if (m_started)
            SIM_FinanceManager::Instance().StartGameWithCash(1.0e9f);
    }

    ~Floor()
    {
        SIM_Game::Instance().Reset();
        SIM_ResourceConveyorManager::Instance().Clear();
        SIM_Game::Instance().SetMission(nullptr);
        SIM_MissionManager::Instance().Unload();
        PClock::SetManual(false);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;

    // A folder of this floor's own for saves and logs; gone with the floor.
    const std::filesystem::path& Folder() const { return m_folder; }
    // The mission file in it, which a game that loads a save of the floor must know.
    std::filesystem::path MissionFile() const { return m_folder / (std::string(m_fill.mission) + ".txt"); }

    // Places the whole fill; false when the game did not start or something did not fit.
    bool Build()
    {
        if (!m_started)
            return false;
        for (int band = 0; band < m_fill.bands; ++band)
            if (!LayBand(1 + 7 * band))
                return false;
        for (int band = 1; m_fill.spine && band < m_fill.bands; ++band)
            for (int y = 7 * band - 2; y <= 7 * band + 2; ++y)
                if (!SIM_Placement::LayConveyor(TileAt(0, y), 1, true))
                    return false;
        if (!ForEachChain([this](int x0, int y, int facing, int step) { return BuildChain(x0, y, facing, step); }))
            return false;
        for (int i = 0; i < BayCountOfFill(); ++i)
            if (!Place("task_resource_importer", 0, BayRow(i), 1))
                return false;
        // The connections and nearest bays of everything laid in loading form, as a load ends.
        SIM_Placement::FinishLoading();
        return true;
    }

    // One frame of 16 ms of real time.
    static void Frame()
    {
        PClock::AdvanceManual(kFrameNs);
        SIM_Game::Instance().Update();
    }

    // Puts every record of the resource-object pool to use as on a busy floor, station by station
    // in turns: first one waiting at the import bay of the station's band, then one on its way,
    // then stored ones. Returns how many records it used.
    static int FillPool()
    {
        SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
        const SIM_Resource* steel = SIM_ResourceManager::Instance().GetResource("steel_sheet");
        const std::vector<SIM_ResourceImportBay*>& bays = SIM_ResourceConveyorManager::Instance().ImportBays();
        std::vector<SIM_ProductionSlot*> stations;
        for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
            if (static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile())
                stations.push_back(static_cast<SIM_ProductionSlot*>(slot));
        int used = 0;
        for (int turn = 0; steel && turn < SIM_ResourceStockpile::kCapacity && used < SIM_ResourceObjManager::kPoolSize;
             ++turn)
            for (size_t i = 0; i < stations.size() && used < SIM_ResourceObjManager::kPoolSize; ++i)
            {
                SIM_ResourceStockpile* stockpile = stations[i]->GetInputStockpile();
                const SIM_Tile* tile = stockpile->GetTile();
                SIM_ResourceObject* object = &pool.Record(used++);
                object->Init(steel, stations[i], tile->m_worldX, tile->m_worldY);
                const size_t band = static_cast<size_t>(tile->m_gridY - 1) / 7;
                if (turn == 0 && band < bays.size())
                {
                    stockpile->AddRequest(object);
                    bays[band]->Enqueue(object);
                }
                else if (turn <= 1)
                {
                    stockpile->AddRequest(object);
                    object->m_state = SIM_ResourceObject::STATE_IN_TRANSIT;
                }
                else
                {
                    // Delivered objects are bound for nowhere any more.
                    object->m_destination = nullptr;
                    object->m_state = SIM_ResourceObject::STATE_DELIVERED;
                    object->m_placeIndex = turn - 2;
                    stockpile->LoadObject(object);
                }
            }
        pool.SetTopIndex(used - 1);
        return used;
    }

    // The objects waiting at a bay stand on its tile, as the bay's own would: sent, they travel
    // the length of the hall.
    static void StandQueuesOnBays()
    {
        for (SIM_ResourceImportBay* bay : SIM_ResourceConveyorManager::Instance().ImportBays())
            for (SIM_ResourceObject* object : bay->Queue())
            {
                object->m_x = bay->GetTile()->m_worldX;
                object->m_y = bay->GetTile()->m_worldY;
            }
    }

    static int SlotCount() { return static_cast<int>(SlotQueries::Instance().GetAllSlots().size()); }
    static int ConveyorCount() { return static_cast<int>(SIM_ResourceConveyorManager::Instance().Conveyors().size()); }
    static int BayCount() { return static_cast<int>(SIM_ResourceConveyorManager::Instance().ImportBays().size()); }

private:
    static SIM_Tile* TileAt(int x, int y) { return SIM_Game::Instance().GetFactory()->GetTile(x, y); }

    static bool Place(const char* task, int x, int y, int facing)
    {
        const SIM_ProductionTask* definition = SIM_ProductionTaskManager::Instance().GetTask(task);
        return definition && SIM_Placement::PlaceTask(definition, TileAt(x, y), facing, true);
    }

    // Bays go round the bands, on the feed rows first, then on the two stockpile rows.
    int BayCountOfFill() const { return std::min(m_fill.bays, 3 * m_fill.bands); }
    int BayRow(int bay) const
    {
        static const int kBayRows[3] = {3, 2, 4};
        return 1 + 7 * (bay % m_fill.bands) + kBayRows[bay / m_fill.bands];
    }

    // Calls build(x0, y, facing, step) for every car chain of every band, in building order;
    // false when a chain does not fit or build says so.
    template <class Build>
    bool ForEachChain(Build build) const
    {
        const int length = 12 + m_fill.carBelts + 1;
        for (int band = 0; band < m_fill.bands; ++band)
        {
            const int top = 1 + 7 * band;
            for (int c = 0; c < m_fill.chains; ++c)
            {
                const int right = m_fill.width - 2 - c * (length + 1);
                if (top + 6 >= m_fill.height || right - length + 1 < 1)
                    return false;
                if (!build(right - length + 1, top + 1, 1, +1) || !build(right, top + 5, 3, -1))
                    return false;
            }
        }
        return true;
    }

    bool LayBand(int top) const
    {
        if (top + 6 >= m_fill.height)
            return false;
        for (int y = top + 2; y <= top + 4; ++y)
            for (int x = (y == top + 3 && !m_fill.feedRow) ? m_fill.width - 1 : 0; x < m_fill.width; ++x)
                if (!SIM_Placement::LayConveyor(TileAt(x, y), 1, true))
                    return false;
        return true;
    }

    // Twelve stations, the car conveyors and the export from x0 in the line's direction.
    bool BuildChain(int x0, int y, int facing, int step)
    {
        static const char* const kStations[12] = {
            "task_fit chassis",   "task_mount_axles",    "task_fit_wheels",      "task_fit_engine",
            "task_fit_fuel_tank", "task_fit_body",       "task_fit_doors",       "task_fit_wiring",
            "task_fit_interior",  "task_fit_windscreen", "task_paint_undercoat", "task_paint_finish",
        };
        int x = x0;
        for (const char* station : kStations)
        {
            if (!Place(station, x, y, facing))
                return false;
            x += step;
        }
        for (int i = 0; i < m_fill.carBelts; ++i, x += step)
            if (!Place("task_conveyor", x, y, facing))
                return false;
        return Place("task_export", x, y, facing);
    }

    Fill m_fill;
    std::filesystem::path m_folder;
    bool m_started = false;
};
} // namespace benchfloor
