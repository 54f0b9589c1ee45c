// A small hand-made factory floor for the slot and car tests: the test definitions under
// data/slots, slots placed through the simulation's own placement operation, and frames stepped
// on a hand-driven clock.
#pragma once
#include <cstdint>
#include <string>

#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/definitions/VehicleColor.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PowerManager.h"
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

namespace slotstest
{
inline std::string Data(const std::string& relative)
{
    return std::string(FV_SOURCE_DIR) + "/tests/sim/data/slots/" + relative;
}

class Floor
{
public:
    explicit Floor(const char* mission = "missions/m_slots.txt", float cash = 100000.0f)
    {
        PClock::SetManual(true, 1000000000ull);
        // Start-up fills the shared random table before any game; resource prices draw from it.
        if (!GRandom::IsReady())
            GRandom::Init();
        SIM_SimConfig::UseFile(Data("simconfig.txt"));
        m_mission.Load(Data(mission));
        SIM_Game::Instance().InitSimulation(&m_mission);
        const std::string root = Data("simulation");
        SIM_PropTypeManager::Instance().Load(root);
        SIM_ResourceManager::Instance().Load(root);
        SIM_VehicleFeatureManager::Instance().Load(root);
        // Component types are appended by a load; these tests want only their own.
        FreshState::Forget<SIM_VehicleDesignManager>();
        FreshState::Forget<SIM_VehicleComponentTypeManager>();
        SIM_VehicleComponentTypeManager::Instance().Load(root);
        SIM_ProductionTaskManager::Instance().Load(root);
        SIM_FacilityManager::Instance().Load(root);
        FreshState::Forget<SIM_VehicleDesignManager>();
        GetVehicleColors().clear();
        LoadVehicleColors(root + "/car_colors.txt");
        FreshState::Forget<SIM_FinanceRecord>();
        SIM_FinanceManager::Instance().StartGameWithCash(cash);
        SIM_SalesManager::Instance().ClearStock();
        SIM_PowerManager::Instance().Init();
    }

    ~Floor()
    {
        FreshState::EndGame();
        SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
        PClock::SetManual(false);
    }

    SIM_Tile* Tile(int x, int y) const { return SIM_Game::Instance().GetFactory()->GetTile(x, y); }

    // Places a production slot through the simulation's placement operation, paid as the slot
    // placer does it (loading: the savegame reader's way, unpaid); null when it does not fit.
    SIM_ProductionSlot* Place(const char* taskName, int x, int y, int facing = 1, bool loading = false)
    {
        const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(taskName);
        return static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(task, Tile(x, y), facing, loading));
    }

    template <class T = SIM_FacilitySlot>
    T* PlaceFacility(const char* taskName, int x, int y, int facing = 1, bool loading = false)
    {
        const SIM_FacilityTask* task = SIM_FacilityManager::Instance().GetTask(taskName);
        return dynamic_cast<T*>(SIM_Placement::PlaceTask(task, Tile(x, y), facing, loading));
    }

    // Removes a slot as the bulldozer does, without the refund.
    static void Bulldoze(SIM_PlaceableSlot* slot) { SIM_Placement::RemoveSlot(slot, true, false); }

    // One frame of the game: the clock moves on by ms of real time.
    void Step(int frames = 1, uint64_t ms = 16)
    {
        for (int i = 0; i < frames; ++i)
        {
            PClock::AdvanceManual(ms * 1000000ull);
            SIM_Game::Instance().Update();
        }
    }

    // Steps until the condition holds or the frame budget is spent; true when it held.
    template <class Condition>
    bool StepUntil(Condition condition, int maxFrames, uint64_t ms = 16)
    {
        for (int i = 0; i < maxFrames; ++i)
        {
            if (condition())
                return true;
            Step(1, ms);
        }
        return condition();
    }

private:
    SIM_Mission m_mission;
};
} // namespace slotstest
