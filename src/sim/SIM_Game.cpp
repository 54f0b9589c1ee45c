// The root of the factory simulation: set-up, per-frame step, clock, hourly step and teardown.
#include "sim/SIM_Game.h"

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
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
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
#include "sim/slots/SIM_PowerManager.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_SubTiles.h"

SIM_Game& SIM_Game::Instance()
{
    static SIM_Game instance;
    return instance;
}

SIM_Game::SIM_Game() = default;

SIM_Game::~SIM_Game()
{
    delete m_factory;
    m_factory = nullptr;
}

void SIM_Game::RemoveAllSlots()
{
    // While the list of placed slots is not empty, its first slot is removed (not silently) and
    // deleted; the destructor takes it off the list.
    SlotQueries& slots = SlotQueries::Instance();
    while (!slots.GetAllSlots().empty())
    {
        SIM_PlaceableSlot* slot = slots.GetAllSlots().front();
        slot->Remove(false);
        delete slot;
    }
}

bool SIM_Game::InitSimulation(SIM_Mission* mission)
{
    // A mission whose floor cannot be built is refused before anything of the last game is touched.
    if (!mission || !mission->HasValidSize())
    {
        GDebugLog::Instance().LogError("New game refused: no mission or a floor size outside 1 to 999");
        return false;
    }
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();

    // 1. Every game starts with the zone locks and rents of the mission file.
    m_mission = mission;
    m_mission->ReloadZones();
    // 2.
    listener.ShowLoadingStage("LS_INITIIALIZING_SIMULATION", 0.17f);
    // 3.
    SIM_PropTypeManager::Instance().Load();
    // 4.
    listener.LoadAnimations();
    // 5.
    RemoveAllSlots();
    // 6.
    SIM_ResourceObjManager::Instance().Reset();
    // Routes hold tiles of the last floor, which is about to go: the table starts empty.
    RouteTable::Instance().ClearAll();
    SIM_FlowErrorBox::ResetForNewGame();
    SIM_RepeatLog::Instance().ResetForNewGame();
    // 7.
    listener.InitCarSpriteCache();
    // 8.
    SIM_ResourceConveyorManager::Instance().Clear();
    // 9.
    DebugAssert(SupplyStockpileRegistry::Instance().IsEmpty(), "SIM_SupplyStockpileManager", 12);
    // 10.
    InitSubTileTables();
    // 11. A factory still held belongs to a game that was not reset; it is not leaked.
    delete m_factory;
    m_factory = new SIM_Factory();
    // 12. The demand factor is computed below, once this game's empty sales records and hour 0
    // are in place: here it would still count the last game's sales.
    // 13.
    listener.InitFactoryView();
    // 14.
    SIM_PathFinder::Instance().Reset();
    // Route requests posted as jobs run the route table's search.
    SIM_ThreadManager::Instance().SetJobHandler(REQUESTRESOURCEPATH, &RouteTable::RunRouteRequestJob);
    // 15.
    SIM_FinanceRecord::Instance().Reset();
    // 16.
    SalesRecordPool::Instance().Reset();
    // 17.
    SIM_ResourceManager::Instance().Load();
    // 18.
    SIM_VehicleFeatureManager::Instance().Load();
    // 19.
    SIM_ResearchManager::Instance().Clear();
    SIM_ResearchManager::Instance().Load();
    // 20.
    SIM_VehicleComponentTypeManager::Instance().Load();
    // 21.
    SIM_SlotUpgradeManager::Instance().Load();
    // 22.
    SIM_ProductionTaskManager::Instance().Load();
    // 23.
    SIM_FacilityManager::Instance().Load();
    // 24.
    SIM_EmployeeManager::Instance();
    SIM_CarExporter::Instance();
    // 25.
    SIM_FinanceManager::Instance().StartGame();
    // 26.
    SIM_ResourceObjManager::Instance().NumberRecords();
    // 27.
    SIM_PowerManager::Instance().Init();
    // 28.
    SIM_VehicleDesignManager::Instance().Clear();
    // 29.
    SIM_SalesManager::Instance().ClearStock();
    // 30.
    SIM_GlobalFactoryVariables::Instance().Load();
    // 31.
    listener.RestartAutosaveTimer();
    // 32.
    listener.ComputeCameraMinZoom();
    // 33.
    m_speed = 1.0f;
    m_hourTimer.Start();
    m_frameTimer.Start();
    m_frameCapTimer.Start();
    m_hourTimer.m_timeScale = 1.0f;
    m_frameTimer.m_timeScale = 1.0f;
    m_currentHour = 0;
    m_gameTime = 0.0f;
    DemandFactor() = 1.0f;
    UpdateDemandFactor(&DemandFactor());
    // 34.
    SIM_Efficiency::Instance().Reset();
    return true;
}

void SIM_Game::Update()
{
    if (!m_factory)
        return;
    // Each phase is a profiling span; without a profiler attached they cost nothing.
    PTraceSpan step("Step");
    // 1.
    {
        PTraceSpan span("Tiles");
        m_factory->Update();
    }
    // 2. Cars and power run on workers while the main thread goes on.
    SIM_ThreadManager& threads = SIM_ThreadManager::Instance();
    {
        PTraceSpan span("Post jobs");
        threads.PostJob(PROCESS_VEHICLES, nullptr);
        threads.PostJob(PROCESS_POWER_MANAGER, nullptr);
    }
    // 3.
    RouteTable::Instance();
    // 4.
    {
        PTraceSpan span("Import bays");
        SIM_ResourceConveyorManager::Instance().UpdateBays();
    }
    // 5.
    {
        PTraceSpan span("Resource objects");
        SIM_ResourceObjManager::Instance().UpdateAll();
    }
    // 6.
    {
        PTraceSpan span("Sales");
        SIM_SalesManager::Instance().Update();
    }
    // 7.
    {
        PTraceSpan span("Wait for jobs");
        threads.WaitForAllJobs();
        // What the jobs queued for the interface is applied here, on the main thread.
        SIM_Presentation::Instance().ApplyPosted();
    }
    // 8.
    SIM_Presentation::Instance().Listener().CheckAutosave();
    // 9.
    {
        PTraceSpan span("Efficiency");
        SIM_Efficiency::Instance().Update();
    }
    // 10.
    {
        PTraceSpan span("Clock");
        UpdateClock();
    }
    // Reports that repeat are summed up once per game minute (a sixtieth of a game hour); a
    // floor without an hour length still sums up no more often than every tenth of a second.
    const float minuteMs = SIM_SimConfig::GetFloat("HOUR_LENGTH") / 60.0f;
    SIM_RepeatLog::Instance().Update(m_gameTime, minuteMs > 100.0f ? minuteMs : 100.0f);
}

void SIM_Game::UpdateClock()
{
    m_frameTimer.Update();
    m_hourTimer.Update();
    m_frameCapTimer.Update();

    m_frameTime = static_cast<float>(m_frameTimer.m_total);
    m_frameTimer.Start();
    m_gameTime += m_frameTime;

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
    ++m_currentHour;
    SIM_Factory::ChargeRent();
    SIM_FinanceManager::Instance().ProcessHour();
    UpdateDemandFactor(&DemandFactor());
    SIM_Presentation::Instance().Listener().RefreshFinanceDialog();
}

void SIM_Game::TogglePause()
{
    if (m_speed == 0.0f)
    {
        m_speed = m_savedSpeed;
    }
    else
    {
        m_savedSpeed = m_speed;
        m_speed = 0.0f;
    }
    m_hourTimer.m_timeScale = m_speed;
    m_frameTimer.m_timeScale = m_speed;
    SIM_Presentation::Instance().Listener().SyncSpeedButtons();
}

void SIM_Game::SetSpeed(float speed)
{
    m_speed = speed;
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
    // Effects queued by the last frame's jobs may name objects that are about to go.
    SIM_Presentation::Instance().DiscardPosted();
    // 1.
    RemoveAllSlots();
    // Cars on their way out of the factory belong to no slot any more: they go here.
    SIM_VehicleManager::Instance().DeleteAll();
    // 2.
    if (m_factory)
        m_factory->Clear();
    // 3.
    SIM_VehicleFeatureManager::Instance().Clear();
    // 4.
    SIM_EmployeeManager::Instance().Clear();
    // 5.
    SIM_ResourceObjManager::Instance().Reset();
    // 6.
    SIM_Presentation::Instance().Listener().ClearFactoryView();
    // 7.
    delete m_factory;
    m_factory = nullptr;
}
