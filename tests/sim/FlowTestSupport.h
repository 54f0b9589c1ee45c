// Helpers for the resource-flow tests: an open factory floor of any size built through a real
// game set-up, slots, bays and conveyors placed and lifted through the simulation's placement
// operations (unpaid, as the savegame reader rebuilds a floor), and a hand-driven clock.
#pragma once
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace flowtest
{
constexpr uint64_t kMs = 1000000ull;

inline std::string FlowDataPath(const std::string& relative)
{
    return std::string(FV_TEST_DIR) + "/sim/data/flow/" + relative;
}

// A game on a width x height floor whose whole area is one open building zone.
class FlowFloor
{
public:
    FlowFloor(int width, int height)
    {
        SIM_SimConfig::UseFile(FlowDataPath("simconfig.txt"));
        PClock::SetManual(true, 1000 * kMs);
        char name[96];
        static int counter = 0;
        std::snprintf(name, sizeof name, "fv_flow_%d_%d.txt", static_cast<int>(::getpid()), counter++);
        m_missionPath = (std::filesystem::temp_directory_path() / name).string();
        // The zone is square and as large as the longer side: clipped to the grid, it covers it.
        const int side = width > height ? width : height;
        std::ofstream(m_missionPath) << "[config]\nname = flow\nworldx = " << width << "\nworldy = " << height
                                     << "\nstarting_cash = 1000000\n\n[zone]\nleft = 0\ntop = 0\nright = " << side - 1
                                     << "\nbottom = " << side - 1
                                     << "\nrent = 0\ntype = UNLOCKED\nfloortextures = floor_plain_01.dds\n";
        m_mission.Load(m_missionPath);
        SIM_Game::Instance().InitSimulation(&m_mission);
    }
    ~FlowFloor()
    {
        FreshState::EndGame();
        PClock::SetManual(false);
        std::error_code ignored;
        std::filesystem::remove(m_missionPath, ignored);
    }
    FlowFloor(const FlowFloor&) = delete;
    FlowFloor& operator=(const FlowFloor&) = delete;

    SIM_Factory& Factory() const { return *SIM_Game::Instance().GetFactory(); }
    SIM_Tile* Tile(int x, int y) const { return Factory().GetTile(x, y); }

    // One conveyor piece; routes see it after ConveyorsChanged (FlowWorld::FloorChanged).
    SIM_ResourceConveyor* Lay(int x, int y, int facing = 1)
    {
        return SIM_Placement::LayConveyor(Tile(x, y), facing, true);
    }
    void LayRow(int y, int x0, int x1)
    {
        for (int x = x0; x <= x1; ++x)
            Lay(x, y);
    }
    void LayColumn(int x, int y0, int y1)
    {
        for (int y = y0; y <= y1; ++y)
            Lay(x, y);
    }
    // Takes a conveyor piece up (and the bay on it) as the delete tool does, without the refund.
    void Lift(int x, int y) { SIM_Placement::RemoveConveyor(Tile(x, y), false); }

    // One drawn frame of the given real length.
    static void Frame(uint64_t ms)
    {
        PClock::AdvanceManual(ms * kMs);
        SIM_Game::Instance().Update();
    }

private:
    std::string m_missionPath;
    SIM_Mission m_mission;
};

// Resources and task definitions made in code for the flow tests.
class FlowDefs
{
public:
    FlowDefs()
    {
        InitResource(steel, "steel", 10.0f, 1);
        InitResource(paint, "paint", 4.0f, 1);
        InitResource(seat, "seat", 25.0f, 0);
        pallet.m_name = "pallet_wood";

        // The importer slot under an import bay.
        InitTask(importer, "task_resource_importer", TASK_VEHICLE, TT_NORMAL);
        // A stand-alone station on one tile that keeps its stockpile there: 2 steel and 1 paint a run.
        InitTask(consumer, "task_flow_consumer", TASK_STANDALONE, TT_STOCKPILE);
        consumer.m_resources = {{&steel, 2}, {&paint, 1}};
        // A component station: stockpile tile at the anchor, export tile east of it; makes seats.
        InitTask(maker, "task_flow_maker", TASK_COMPONENT, TT_STOCKPILE);
        TaskTileDef exportTile;
        exportTile.XOffset = 1;
        exportTile.type = TT_EXPORT;
        maker.m_tiles.push_back(std::move(exportTile));
        maker.m_resources = {{&steel, 1}};
        maker.m_exports = {{&seat, 1}};
        maker.m_processTime = 100.0f;
        // A station that needs seats only.
        InitTask(seatUser, "task_flow_seats", TASK_STANDALONE, TT_STOCKPILE);
        seatUser.m_resources = {{&seat, 3}};

        // A supply stockpile of two tiles with pallets.
        supply.m_name = SIM_SupplyStockpile::kTaskName;
        supply.m_class = "SIM_SupplyStockpile";
        supply.m_kind = TASK_STANDALONE;
        for (int t = 0; t < 2; ++t)
        {
            TaskTileDef tile;
            tile.XOffset = 0;
            tile.YOffset = t;
            for (int i = 0; i < palletsPerTile; ++i)
            {
                auto prop = std::make_unique<TaskPropDef>();
                prop->position = i;
                prop->propType = &pallet;
                tile.props.push_back(std::move(prop));
            }
            supply.m_tiles.push_back(std::move(tile));
        }
    }

    static void InitResource(SIM_Resource& r, const char* name, float price, int raw)
    {
        r.m_name = name;
        r.m_spriteName = std::string(name) + "_sprite";
        r.m_basePrice = price;
        for (float& p : r.m_prices)
            p = price;
        r.m_rawMaterial = raw;
    }
    static void InitTask(SIM_ProductionTask& task, const char* name, int kind, int anchorType)
    {
        task.m_name = name;
        task.m_kind = kind;
        TaskTileDef anchor;
        anchor.type = anchorType;
        task.m_tiles.push_back(std::move(anchor));
    }

    static constexpr int palletsPerTile = 16;
    SIM_Resource steel, paint, seat;
    SIM_Prop pallet;
    SIM_ProductionTask importer, consumer, maker, seatUser;
    SIM_FacilityTask supply;
};

// A floor with the test definitions, cash to spend and placement as the tools do it.
class FlowWorld : public FlowFloor
{
public:
    FlowWorld(int width, int height) : FlowFloor(width, height)
    {
        FreshState::Forget<SIM_FinanceRecord>();
        SIM_FinanceManager::Instance().StartGameWithCash(1.0e7f);
        for (auto& variable : SIM_GlobalFactoryVariables::Instance().m_variables)
            variable.multiplier = 1.0f;
    }
    ~FlowWorld()
    {
        // Slots first, while their stockpiles' objects and the bays still exist.
        while (!SlotQueries::Instance().GetAllSlots().empty())
            Bulldoze(SlotQueries::Instance().GetAllSlots().front());
        FreshState::EndGame();
    }

    SIM_ProductionSlot* PlaceSlot(SIM_ProductionTask& task, int x, int y, int facing = 1)
    {
        return static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(&task, Tile(x, y), facing, true));
    }
    SIM_SupplyStockpile* PlaceSupply(int x, int y, int facing = 1)
    {
        return static_cast<SIM_SupplyStockpile*>(SIM_Placement::PlaceTask(&defs.supply, Tile(x, y), facing, true));
    }
    // An import bay: the importer slot, its bay and the conveyor piece under it.
    SIM_ResourceImportBay* PlaceBay(int x, int y)
    {
        Lay(x, y);
        SIM_ProductionSlot* importer = PlaceSlot(defs.importer, x, y);
        return importer ? SIM_Placement::FinishImportBay(*importer, true) : nullptr;
    }
    // A bay without its importer slot, which play never builds: the one way to put a station's
    // stockpile on the bay's own tile.
    SIM_ResourceImportBay* PlaceBareBay(int x, int y)
    {
        Lay(x, y);
        return SIM_ResourceConveyorManager::Instance().CreateImportBay(Tile(x, y));
    }
    static void Bulldoze(SIM_PlaceableSlot* slot) { SIM_Placement::RemoveSlot(slot, true, false); }
    // What the placers do after conveyors or bays change.
    static void FloorChanged() { SIM_Placement::ConveyorsChanged(); }

    FlowDefs defs;
};

// Checks that every object of the pool is accounted for exactly once and that no stockpile holds
// a stale entry; returns an empty text when all holds, else what is wrong.
std::string CheckFlowInvariants();

// Grid positions of a route's tiles, for comparisons.
inline std::string RouteText(const SIM_ResourceRoute* route)
{
    if (!route)
        return "none";
    std::string text;
    for (const SIM_Tile* tile : route->m_tiles)
    {
        text += '(';
        text += std::to_string(tile->m_gridX);
        text += ',';
        text += std::to_string(tile->m_gridY);
        text += ')';
    }
    return text;
}
} // namespace flowtest
