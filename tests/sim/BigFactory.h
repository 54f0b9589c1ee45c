// A large factory on the shipped data, built the way a player builds one: import bays, overhead
// conveyors, car lines of stations with input stockpiles and car exports, all placed through the
// simulation's own placement operations, then stepped frame by frame on a hand-driven clock.
// The big-factory benchmark builds the largest floor with it; the work-count tests a small one.
#pragma once
#include "tests/sim/FloorPlacing.h"

#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/InvalidateRoutes.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace bigfactory
{
// The floor is cut into bands of seven rows, each holding two car lines that share the conveyors
// between them: line A (facing 1, cars run towards +x) with its machines above, its stations and
// its stockpiles; the feed row; line B (facing 3, cars run towards -x) with its stockpiles, its
// stations and its machines below. The stockpile rows and the feed row are overhead conveyors
// from x = 0 to the right edge, so each band is one conveyor network, reached from import bays at
// x = 0; a spine of conveyors down column 0 joins all bands into one network. Each line holds
// `chains` car chains of twelve stations, `carBelts` car conveyors and an export, packed against
// the right edge: objects travel far.
struct Layout
{
    int size = 200; // floor width and height
    int bands = 28; // bands of seven rows from row 1
    int chains = 2; // car chains per line
    int carBelts = 5;
    // Bays go round the bands at x = 0, on the feed row first, then on the two stockpile rows.
    int bays = 56;
    bool spine = false;
    // Without the chassis station at their heads the lines make no cars and use up nothing.
    bool chassis = true;
    // Worker threads for the frame's jobs, as in the game; without them jobs run inline.
    bool workers = true;
};

inline const char* const kStations[] = {
    "task_fit chassis",   "task_mount_axles",    "task_fit_wheels",      "task_fit_engine",
    "task_fit_fuel_tank", "task_fit_body",       "task_fit_doors",       "task_fit_wiring",
    "task_fit_interior",  "task_fit_windscreen", "task_paint_undercoat", "task_paint_finish",
};
constexpr int kStationCount = static_cast<int>(sizeof kStations / sizeof kStations[0]);
constexpr uint64_t kFrameNs = 16000000ull;

class Factory
{
public:
    // A new game on the shipped data; `bayDelay` >= 0 replaces the import bays' delay between two
    // sends (the game refuses 0 and keeps its own; 1 ms sends one object per tick).
    explicit Factory(const Layout& layout, float bayDelay = -1.0f) : m_layout(layout)
    {
        std::filesystem::current_path(FV_SOURCE_DIR);
        // A folder of each factory's own: the file cache keeps what it read by path, so a later
        // factory's mission written to the same path would be read as the first one's floor.
        static int made = 0;
        m_folder = std::filesystem::temp_directory_path() /
                   ("fv_bigfactory_" + std::to_string(::getpid()) + "_" + std::to_string(made++));
        std::filesystem::create_directories(m_folder);
        PClock::SetManual(true, 1000 * kFrameNs);
        if (!GRandom::IsReady())
            GRandom::Init();
        if (bayDelay >= 0.0f)
        {
            // The shipped constants with the one delay changed (the game's own path spells a
            // backslash, which only the game's file layer turns into a slash).
            std::ifstream in("data/simconfig.txt");
            std::ofstream out(m_folder / "simconfig.txt");
            for (std::string line; std::getline(in, line);)
                if (line.rfind("CONVEYOR_IMPORT_BAY_DELAY", 0) != 0)
                    out << line << "\n";
            out << "CONVEYOR_IMPORT_BAY_DELAY = " << bayDelay << "\n";
            out.close();
            SIM_SimConfig::UseFile((m_folder / "simconfig.txt").string());
        }
        else
        {
            SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
        }
        // In a folder of its own, so that the mission list can read it (RegisterMission).
        std::filesystem::create_directories(m_folder / "missions");
        const std::string mission = (m_folder / "missions" / "m_big.txt").string();
        std::ofstream(mission) << "[config]\nname = m_big\nworldx = " << layout.size << "\nworldy = " << layout.size
                               << "\nstarting_cash = 1000000000\n\n[zone0]\nleft = 0\ntop = 0\nright = "
                               << layout.size - 1 << "\nbottom = " << layout.size - 1
                               << "\ntype = UNLOCKED\nrent = 0\nwallid = 1\nfloortextures = floor_concrete_01.dds\n";
        m_mission.Load(mission);
        if (layout.workers)
            SIM_ThreadManager::Instance().Init();
        m_started = SIM_Game::Instance().InitSimulation(&m_mission);
        SIM_FinanceManager::Instance().StartGameWithCash(1.0e9f);
    }

    ~Factory()
    {
        FreshState::EndGame();
        if (m_registered)
            SIM_MissionManager::Instance().Unload();
        SIM_Game::Instance().SetMission(nullptr);
        SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
        PClock::SetManual(false);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;

    SIM_Tile* Tile(int x, int y) const { return SIM_Game::Instance().GetFactory()->GetTile(x, y); }

    // The floor's mission joins the mission list (in place of the shipped ones), so that a save
    // of this factory loads again; the folder holds the saves too. The mission lists the import
    // and export sites the floor was built with, since a load places those only on their sites.
    void RegisterMission()
    {
        std::ofstream mission(m_folder / "missions" / "m_big.txt", std::ios::app);
        for (const auto& [section, sites] :
             {std::pair{"imports", &m_importSites}, std::pair{"exports", &m_exportSites}})
        {
            mission << "\n[" << section << "]\n";
            for (size_t i = 0; i < sites->size(); ++i)
                mission << i << " = " << (*sites)[i].first << "," << (*sites)[i].second << "\n";
        }
        mission.close();
        SIM_MissionManager::Instance().Unload();
        SIM_MissionManager::Instance().Load((m_folder / "missions" / "*.txt").string().c_str());
        m_registered = true;
    }
    const std::filesystem::path& Folder() const { return m_folder; }

    SIM_ProductionSlot* PlaceTask(const char* name, int x, int y, int facing = 1)
    {
        SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(name);
        return task ? floorplacing::PlaceSlot<SIM_ProductionSlot>(Tile(x, y), facing, *task) : nullptr;
    }

    bool LayConveyor(int x, int y)
    {
        SIM_Tile* tile = Tile(x, y);
        if (!tile)
            return false;
        m_conveyorTiles += tile->m_conveyor ? 0 : 1;
        return floorplacing::LayConveyor(tile) != nullptr;
    }

    // The importer slot, which brings its bay and the conveyor under it.
    bool PlaceImportBay(int x, int y)
    {
        SIM_Tile* tile = Tile(x, y);
        m_conveyorTiles += tile && !tile->m_conveyor ? 1 : 0;
        m_importSites.emplace_back(x, y);
        return PlaceTask("task_resource_importer", x, y) != nullptr && tile->m_conveyor;
    }

    // One car chain: twelve stations, the car conveyors and the export, starting at x0 and
    // running in the line's direction (+1 or -1).
    bool PlaceChain(int x0, int y, int facing, int direction)
    {
        int x = x0;
        for (int i = 0; i < kStationCount; ++i, x += direction)
            if ((i > 0 || m_layout.chassis) && !PlaceTask(kStations[i], x, y, facing))
                return false;
        for (int i = 0; i < m_layout.carBelts; ++i, x += direction)
            if (!PlaceTask("task_conveyor", x, y, facing))
                return false;
        m_exportSites.emplace_back(x, y);
        return PlaceTask("task_export", x, y, facing) != nullptr;
    }

    bool Build()
    {
        if (!m_started)
            return false;
        const int size = m_layout.size;
        const int chainLength = kStationCount + m_layout.carBelts + 1;
        for (int band = 0; band < m_layout.bands; ++band)
        {
            const int b = 1 + 7 * band;
            if (b + 6 >= size)
                return false;
            for (int row = b + 2; row <= b + 4; ++row)
                for (int x = 0; x < size; ++x)
                    if (!LayConveyor(x, row))
                        return false;
            if (m_layout.spine && band > 0)
                for (int row = b - 3; row < b + 2; ++row)
                    if (!LayConveyor(0, row))
                        return false;
            for (int c = 0; c < m_layout.chains; ++c)
            {
                // Chains end one tile short of the right edge; line B mirrors line A.
                const int right = size - 2 - c * (chainLength + 1);
                const int left = right - chainLength + 1;
                if (left < 1)
                    return false;
                if (!PlaceChain(left, b + 1, 1, +1) || !PlaceChain(right, b + 5, 3, -1))
                    return false;
            }
        }
        static const int kBayRows[3] = {3, 2, 4};
        for (int i = 0; i < m_layout.bays && i < 3 * m_layout.bands; ++i)
            if (!PlaceImportBay(0, 1 + 7 * (i % m_layout.bands) + kBayRows[i / m_layout.bands]))
                return false;
        RecalculateNearestBay();
        InvalidateRoutes();
        return true;
    }

    // One frame of 16 ms of real time.
    void Frame()
    {
        PClock::AdvanceManual(kFrameNs);
        SIM_Game::Instance().Update();
    }

    // What the floor holds, for the report.
    int SlotCount() const { return static_cast<int>(SlotQueries::Instance().GetAllSlots().size()); }
    int StationCount() const
    {
        int n = 0;
        for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
            n += static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile() ? 1 : 0;
        return n;
    }
    int BayCount() const { return static_cast<int>(SIM_ResourceConveyorManager::Instance().ImportBays().size()); }
    int ConveyorTiles() const { return m_conveyorTiles; }
    static int CarCount() { return static_cast<int>(SIM_VehicleManager::Instance().GetVehicles().size()); }

    // Objects by state: 0 free, 1 waiting, 2 in transit, 3 delivered.
    static void CountObjects(int counts[4])
    {
        for (int s = 0; s < 4; ++s)
            counts[s] = 0;
        SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
        for (int32_t i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
        {
            const SIM_ResourceObject& object = pool.Record(i);
            const int state = object.IsInUse() ? object.m_state : 0;
            if (state >= 0 && state < 4)
                ++counts[state];
        }
    }
    static int InTransit()
    {
        int counts[4];
        CountObjects(counts);
        return counts[SIM_ResourceObject::STATE_IN_TRANSIT];
    }

    // Run until the conveyors carry `transit` objects (at most `cap` frames), spread out along
    // them as the bays send them one a delay apart; when a wave has arrived the stations use up
    // their stock so that the next one starts. False when they never carried that many.
    bool FillConveyors(int transit, int cap)
    {
        for (int i = 0; i < cap; ++i)
        {
            const int now = InTransit();
            if (now >= transit)
                return true;
            if (now < 1000)
                ConsumeAllStored();
            Frame();
        }
        return InTransit() >= transit;
    }

    // Every station uses up what its stockpile holds, as running stations do: the records return
    // to the pool and the stockpiles ask for more.
    static int ConsumeAllStored()
    {
        int consumed = 0;
        for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetProductionSlots())
        {
            SIM_ResourceStockpile* stockpile = static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile();
            while (stockpile && !stockpile->Stored().empty())
            {
                stockpile->RemoveStored(stockpile->Stored().front()->m_resource);
                ++consumed;
            }
        }
        return consumed;
    }

    // Stations use up `count` stored objects, one from each stockpile in turn (carrying on where
    // the last call stopped), as stations at work do.
    static int ConsumeSome(int count)
    {
        static size_t next = 0;
        const std::vector<SIM_PlaceableSlot*>& slots = SlotQueries::Instance().GetProductionSlots();
        int consumed = 0;
        for (size_t looked = 0; looked < slots.size() && consumed < count; ++looked)
        {
            SIM_ResourceStockpile* stockpile =
                static_cast<SIM_ProductionSlot*>(slots[next++ % slots.size()])->GetInputStockpile();
            if (stockpile && !stockpile->Stored().empty())
            {
                stockpile->RemoveStored(stockpile->Stored().front()->m_resource);
                ++consumed;
            }
        }
        return consumed;
    }

private:
    Layout m_layout;
    SIM_Mission m_mission;
    std::filesystem::path m_folder;
    bool m_started = false;
    bool m_registered = false;
    int m_conveyorTiles = 0;
    std::vector<std::pair<int, int>> m_importSites;
    std::vector<std::pair<int, int>> m_exportSites;
};
} // namespace bigfactory
