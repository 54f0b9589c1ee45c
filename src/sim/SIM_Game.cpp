// The root of the factory simulation: set-up, per-frame step, clock, hourly step and teardown.
#include "sim/SIM_Game.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GTextKeys.h"

#include "engine/core/GDebugLog.h"
#include "platform/core/PClock.h"
#include "platform/core/PTraceSpan.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_RepeatLog.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/flow/RouteSearchShare.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SupplyStockpileRegistry.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SIM_EmployeeManager.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PowerManager.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"

namespace
{
SIM_PresentationListener& Listener()
{
    return SIM_Presentation::Instance().Listener();
}

// The frame's jobs are handed the game they step: the length of the step and the floor. The
// main thread changes neither until the jobs are done.
void RunPowerJob(void* param)
{
    if (const auto* game = static_cast<const SIM_Game*>(param))
        SIM_PowerManager::Instance().Process(game->GetFrameTime(), game->GetFactory());
}

void RunVehiclesJob(void* param)
{
    if (const auto* game = static_cast<const SIM_Game*>(param))
        SIM_VehicleManager::Instance().ProcessFrame(
            game->GetFrameTime(), SIM_GlobalFactoryVariables::Instance().GetMultiplier(GFV_CONVEYOR_SPEED),
            game->GetFactory());
}
} // namespace

SIM_Game& SIM_Game::Instance()
{
    return GLifetime::Get<SIM_Game>();
}

SIM_Game::SIM_Game()
{
    // The ledger books under the hour of this game's clock.
    SIM_FinanceRecord::Instance().UseClock(&m_clock);
}

SIM_Game::~SIM_Game()
{
    // A tool or a benchmark may end without ending its game; the slots on its floor go with it.
    // No view is told: at the end of the run the one that listened may be gone already.
    if (m_factory || (GLifetime::Exists<SlotQueries>() && !SlotQueries::Instance().GetAllSlots().empty()))
    {
        if (SIM_Presentation* presentation = GLifetime::Find<SIM_Presentation>())
            presentation->SetListener(nullptr);
        Reset();
    }
    if (GLifetime::Exists<SIM_FinanceRecord>())
        SIM_FinanceRecord::Instance().UseClock(nullptr);
}

void SIM_Game::RemoveAllSlots()
{
    // Every placed slot is removed and deleted, first placed first. The lists are turned round for
    // it, so that each removal takes their last entry instead of moving every other one up, work
    // that would grow with the square of the slots. The factory coming down is heard once, not
    // once per slot, and sparkles nowhere (the game is ending while it goes): a large factory
    // would otherwise start hundreds of sounds and thousands of effects at once, none of them
    // ever seen.
    ++m_ending;
    SlotQueries& slots = SlotQueries::Instance();
    slots.ListNewestFirst();
    const bool any = !slots.GetAllSlots().empty();
    while (!slots.GetAllSlots().empty())
        SIM_Placement::RemoveSlot(slots.GetAllSlots().back(), true, false);
    if (any)
        Listener().PlayEffectSound("slot_place.ogg");
    --m_ending;
}

bool SIM_Game::InitSimulation(SIM_Mission* mission, Definitions definitions)
{
    // A mission whose floor cannot be built is refused before anything of the last game is touched.
    if (!mission || !mission->HasValidSize())
    {
        GDebugLog::Instance().LogError("New game refused: no mission or a floor size outside 1 to 999");
        return false;
    }
    // A game still running ends first, while the mission it was built in is still the game's:
    // each slot gives its tiles back to its own zone, which the next mission may not have. A new
    // game and a load end it the way the menu does, so nothing of it reaches the next.
    if (m_factory)
        Reset();
    RemoveAllSlots();
    m_mission = mission;

    // The set-up of a new game, in this order: the slots of the last game go before the floor
    // they stand on, the definitions load in the order they refer to each other (props before
    // the tasks that stand them on tiles, upgrades before the tasks that list them), and the
    // clock starts last.
    struct SetUpStep
    {
        const char* what;
        void (*run)(SIM_Game& game);
        bool definition = false; // reads definitions the caller may keep
        // What a step that reads definitions along with a game's state does instead when they
        // are kept: only the state starts again.
        void (*kept)(SIM_Game& game) = nullptr;
    };
    static const SetUpStep kSetUp[] = {
        {"building zones as the mission file has them", [](SIM_Game& game) { game.m_mission->ReloadZones(); }},
        {"loading screen", [](SIM_Game&) { Listener().ShowLoadingStage(GTextKeys::kLoadingSimulation, 0.17f); }},
        {"prop types", [](SIM_Game&) { SIM_PropTypeManager::Instance().Load(); }, true},
        {"animations", [](SIM_Game&) { Listener().LoadAnimations(); }},
        {"resource objects and routes",
         [](SIM_Game&) {
             SIM_ResourceObjManager::Instance().Reset();
             // Routes hold tiles of the last floor, which is about to go: the table starts empty.
             RouteTable::Instance().ClearAll();
             SIM_FlowErrorBox::ResetForNewGame();
             SIM_RepeatLog::Instance().ResetForNewGame();
         }},
        {"car sprite cache", [](SIM_Game&) { Listener().InitCarSpriteCache(); }},
        {"conveyors and import bays", [](SIM_Game&) { SIM_ResourceConveyorManager::Instance().Clear(); }},
        {"no supply stockpile left",
         [](SIM_Game&) {
             DebugAssert(SupplyStockpileRegistry::Instance().IsEmpty(), "SIM_SupplyStockpileManager", 12);
         }},
        {"factory floor",
         [](SIM_Game& game) {
             // A factory still held belongs to a game that was not reset; it goes first.
             game.m_factory.reset();
             game.m_factory = std::make_unique<SIM_Factory>(game.m_mission, game.m_clock);
         }},
        {"factory view", [](SIM_Game&) { Listener().InitFactoryView(); }},
        {"path finder and route requests",
         [](SIM_Game& game) {
             SIM_PathFinder::Instance().Reset(game.m_factory.get());
             SIM_ThreadManager::Instance().SetJobHandler(REQUESTRESOURCEPATH, &RouteTable::RunRouteRequestJob);
         }},
        {"ledger", [](SIM_Game&) { SIM_FinanceRecord::Instance().Reset(); }},
        {"sales records", [](SIM_Game&) { SalesRecordPool::Instance().Reset(); }},
        {"resources", [](SIM_Game&) { SIM_ResourceManager::Instance().Load(); }, true},
        {"features", [](SIM_Game&) { SIM_VehicleFeatureManager::Instance().Load(); }},
        {"research tree",
         [](SIM_Game&) {
             SIM_ResearchManager::Instance().Clear();
             SIM_ResearchManager::Instance().Load();
         }},
        // The designs of the last game name its component types, which the next step replaces.
        {"car designs", [](SIM_Game&) { SIM_VehicleDesignManager::Instance().Clear(); }},
        {"component types", [](SIM_Game&) { SIM_VehicleComponentTypeManager::Instance().Load(); }, true},
        {"slot upgrades", [](SIM_Game&) { SIM_SlotUpgradeManager::Instance().Load(); }, true},
        {"production tasks", [](SIM_Game&) { SIM_ProductionTaskManager::Instance().Load(); }, true},
        {"facilities", [](SIM_Game&) { SIM_FacilityManager::Instance().Load(); }, true},
        {"starting cash", [](SIM_Game& game) { SIM_FinanceManager::Instance().StartGame(game.m_mission); }},
        {"power account", [](SIM_Game&) { SIM_PowerManager::Instance().Init(); }},
        {"car stock", [](SIM_Game&) { SIM_SalesManager::Instance().ResetForNewGame(); }},
        {"factory variables", [](SIM_Game&) { SIM_GlobalFactoryVariables::Instance().Load(); }, true,
         [](SIM_Game&) { SIM_GlobalFactoryVariables::Instance().Recalculate(); }},
        {"autosave timer", [](SIM_Game&) { Listener().RestartAutosaveTimer(); }},
        {"camera zoom", [](SIM_Game&) { Listener().ComputeCameraMinZoom(); }},
        {"clock, speed and demand", [](SIM_Game& game) { game.StartClock(); }},
        {"efficiency history", [](SIM_Game& game) { SIM_Efficiency::Instance().Reset(game.m_clock.gameTime); }},
    };
    const bool keep = definitions == Definitions::Kept && m_definitionsLoaded;
    for (const SetUpStep& step : kSetUp)
    {
        if (!(keep && step.definition))
            step.run(*this);
        else if (step.kept)
            step.kept(*this);
    }
    m_definitionsLoaded = true;
    // The root goes before everything the set-up used (definitions, registries, the mission's
    // list), so a game still running at the end of the run is taken down while they are there.
    GLifetime::Program().HoldAsNewest<SIM_Game>();
    return true;
}

void SIM_Game::StartClock()
{
    m_clock.speed = 1.0f;
    m_hourTimer.Start();
    m_frameTimer.Start();
    m_frameCapTimer.Start();
    m_hourTimer.m_timeScale = 1.0f;
    m_frameTimer.m_timeScale = 1.0f;
    m_clock.currentHour = 0;
    m_clock.gameTime = 0.0f;
    // The demand factor of a new game counts this game's empty sales records at hour 0.
    DemandFactor() = 1.0f;
    UpdateDemandFactor(&DemandFactor());
}

void SIM_Game::Update()
{
    if (!m_factory)
        return;
    // Each phase is a profiling span; without a profiler attached they cost nothing.
    PTraceSpan step("Step");
    // The step's share of route searching (stockpiles looking for their bay or a source, objects
    // looking for their way), closed again however the step ends. While objects wait in line for
    // their way, the stores' searches, which come first in the step, leave them half of it: after
    // a load neither waits on the other for long.
    const RouteSearchShare share(RouteSearchShare::kNodesPerFrame);
    SIM_ResourceObjManager& objects = SIM_ResourceObjManager::Instance();
    share.HoldBack(objects.RoutesDue() + objects.ChecksDue() > 0 ? RouteSearchShare::kNodesPerFrame / 2 : 0);
    {
        PTraceSpan span("Tiles"); // every slot through the tile grid
        m_factory->Update([](SIM_PlaceableSlot& slot) { slot.Update(); });
    }
    // Cars and power run on workers while the main thread goes on with the resource flow and
    // the buyers.
    SIM_ThreadManager& threads = SIM_ThreadManager::Instance();
    {
        PTraceSpan span("Post jobs");
        PostFrameJobs();
    }
    {
        PTraceSpan span("Import bays");
        SIM_ResourceConveyorManager::Instance().UpdateBays();
    }
    {
        PTraceSpan span("Resource objects");
        share.HoldBack(0);
        objects.UpdateAll(m_clock.frameTime);
    }
    {
        PTraceSpan span("Sales");
        SIM_SalesManager::Instance().Update(m_clock.frameTime);
    }
    {
        PTraceSpan span("Wait for jobs");
        threads.WaitForAllJobs();
        // What the jobs queued for the interface is applied here, on the main thread.
        SIM_Presentation::Instance().ApplyPosted();
    }
    Listener().CheckAutosave();
    {
        PTraceSpan span("Efficiency");
        SIM_Efficiency::Instance().Update(m_clock.gameTime);
    }
    {
        PTraceSpan span("Clock");
        UpdateClock();
    }
    // Reports that repeat are summed up once per game minute (a sixtieth of a game hour); a
    // floor without an hour length still sums up no more often than every tenth of a second.
    const float minuteMs = SIM_SimConfig::GetFloat("HOUR_LENGTH") / 60.0f;
    SIM_RepeatLog::Instance().Update(m_clock.gameTime, minuteMs > 100.0f ? minuteMs : 100.0f);
}

void SIM_Game::PostFrameJobs()
{
    SIM_ThreadManager& threads = SIM_ThreadManager::Instance();
    threads.SetJobHandler(PROCESS_VEHICLES, &RunVehiclesJob);
    threads.SetJobHandler(PROCESS_POWER_MANAGER, &RunPowerJob);
    threads.PostJob(PROCESS_VEHICLES, this);
    threads.PostJob(PROCESS_POWER_MANAGER, this);
}

void SIM_Game::UpdateClock()
{
    m_frameTimer.Update();
    m_hourTimer.Update();
    m_frameCapTimer.Update();

    m_clock.frameTime = static_cast<float>(m_frameTimer.m_total);
    m_frameTimer.Start();
    m_clock.gameTime += m_clock.frameTime;

    // Read every step: the constants table answers quickly and is never cached per key.
    const float hourLength = SIM_SimConfig::GetFloat("HOUR_LENGTH");
    if (m_hourTimer.m_total > static_cast<double>(hourLength))
    {
        // What runs past the hour is dropped; at most one hour passes per step.
        m_hourTimer.Start();
        OnNewHour();
    }

    // The frame-cap timer runs from set-up and is never restarted, so this only holds back the
    // very first step of a game; later frames are paced by the frame loop.
    while (m_frameCapTimer.m_total < FRAME_CAP_MS)
    {
        PClock::Sleep(1);
        const double before = m_frameCapTimer.m_total;
        m_frameCapTimer.Update();
        if (m_frameCapTimer.m_stopped || m_frameCapTimer.m_total <= before)
            break; // a stopped or frozen timer would never reach the cap
    }
}

void SIM_Game::OnNewHour()
{
    ++m_clock.currentHour;
    SIM_FinanceManager::Instance().ChargeRent(*m_factory);
    SIM_FinanceManager::Instance().ProcessHour();
    UpdateDemandFactor(&DemandFactor());
    SIM_Presentation::Instance().Listener().RefreshFinanceDialog();
}

void SIM_Game::TogglePause()
{
    if (m_clock.speed == 0.0f)
    {
        m_clock.speed = m_savedSpeed;
    }
    else
    {
        m_savedSpeed = m_clock.speed;
        m_clock.speed = 0.0f;
    }
    m_hourTimer.m_timeScale = m_clock.speed;
    m_frameTimer.m_timeScale = m_clock.speed;
    SIM_Presentation::Instance().Listener().SyncSpeedButtons();
}

void SIM_Game::Hold()
{
    // A second window over the first must not keep the stopped clock's 0 as the speed to go back
    // to: that would leave the game paused for good once both were closed. Only a speed the
    // player set running again since the first hold is taken.
    if (m_holds == 0 || m_clock.speed != 0.0f)
        m_savedSpeed = m_clock.speed;
    ++m_holds;
    SetSpeed(0.0f);
}

void SIM_Game::Release()
{
    if (m_holds == 0)
        return;
    if (--m_holds == 0)
        SetSpeed(m_savedSpeed);
}

void SIM_Game::SetSpeed(float speed)
{
    m_clock.speed = speed;
    m_hourTimer.m_timeScale = speed;
    m_frameTimer.m_timeScale = speed;
}

float SIM_Game::GetHourProgress() const
{
    const float hourLength = SIM_SimConfig::GetFloat("HOUR_LENGTH");
    const double total = m_hourTimer.m_total;
    if (!(hourLength > 0.0f))
        return total > 0.0 ? 1.0f : 0.0f;
    const double progress = total / static_cast<double>(hourLength);
    if (progress < 0.0)
        return 0.0f;
    if (progress > 1.0)
        return 1.0f;
    return static_cast<float>(progress);
}

void SIM_Game::Reset()
{
    ++m_ending;
    // A part of the simulation that was never made holds nothing of a game: it is not made just
    // to be emptied, which at the end of the run would make it after its owner tore it down.
    SIM_Presentation* presentation = GLifetime::Find<SIM_Presentation>();
    // Effects queued by the last frame's jobs may name objects that are about to go.
    if (presentation)
        presentation->DiscardPosted();
    // Every car goes first, in one pass, those on their way out of the factory with the rest: a
    // slot that took its own car with it would look for it in the list of every car, work that
    // grows with the square of the cars.
    if (auto* vehicles = GLifetime::Find<SIM_VehicleManager>())
        vehicles->DeleteAll();
    // So does everything waiting in the import bays, each bay's queue at once: a station that
    // took the objects it waits for off their queues one by one would search a queue for each.
    if (auto* conveyors = GLifetime::Find<SIM_ResourceConveyorManager>())
        for (SIM_ResourceImportBay* bay : conveyors->ImportBays())
            bay->ReleaseQueue();
    if (GLifetime::Exists<SlotQueries>())
        RemoveAllSlots();
    // The bays and conveyors after the slots, whose stockpiles' objects travel on them; the
    // routes before the floor whose tiles they list.
    if (auto* conveyors = GLifetime::Find<SIM_ResourceConveyorManager>())
        conveyors->Clear();
    if (auto* routes = GLifetime::Find<RouteTable>())
        routes->ClearAll();
    if (m_factory)
        m_factory->Clear();
    if (auto* features = GLifetime::Find<SIM_VehicleFeatureManager>())
        features->Clear();
    if (auto* employees = GLifetime::Find<SIM_EmployeeManager>())
        employees->Clear();
    if (auto* objects = GLifetime::Find<SIM_ResourceObjManager>())
        objects->Reset();
    // The books, the research, the car designs and the stock of the game end with it too.
    if (auto* ledger = GLifetime::Find<SIM_FinanceRecord>())
        ledger->Reset();
    if (auto* sales = GLifetime::Find<SalesRecordPool>())
        sales->Reset();
    if (auto* research = GLifetime::Find<SIM_ResearchManager>())
        research->Clear();
    if (auto* designs = GLifetime::Find<SIM_VehicleDesignManager>())
        designs->Clear();
    if (auto* stock = GLifetime::Find<SIM_SalesManager>())
        stock->ResetForNewGame();
    if (auto* efficiency = GLifetime::Find<SIM_Efficiency>())
        efficiency->Reset(m_clock.gameTime);
    SIM_FlowErrorBox::ResetForNewGame();
    if (auto* repeats = GLifetime::Find<SIM_RepeatLog>())
        repeats->ResetForNewGame();
    if (presentation)
        presentation->Listener().ClearFactoryView();
    m_factory.reset();
    --m_ending;
}
