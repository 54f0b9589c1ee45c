// Helpers of the savegame tests.
#include "SaveTestSupport.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define FV_HEAP_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FV_HEAP_HOOKS 1
#endif
#endif
#ifndef FV_HEAP_HOOKS
#define FV_HEAP_HOOKS 0
#endif
#if FV_HEAP_HOOKS
// The address sanitizer's allocator interface (not every compiler ships its header).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onAllocate)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* pointer);
#endif

#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "save/SIM_SaveGame.h"
#include "save/SaveFolder.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

namespace savetest
{
namespace
{
constexpr uint64_t kNs = 1000000ull;
constexpr uint64_t kFrameMs = 16;

} // namespace

void SaveTestListener::ShowLoadingStage(const char* textKey, float)
{
    stages.emplace_back(textKey);
}

void SaveTestListener::RestartAutosaveTimer()
{
    SIM_SaveGame::Instance().RestartAutosaveTimer();
}

void SaveTestListener::CheckAutosave()
{
    SIM_SaveGame::Instance().CheckAutosave();
}

SaveWorld::SaveWorld()
{
    static std::atomic<int> counter{0};
    m_folder = std::filesystem::temp_directory_path() /
               ("fv_savetest_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(m_folder);
    // Tests of the screens keep the logs where their own world opened them.
    m_ownsLogs = !GDebugLog::Instance().IsOpen();
    if (m_ownsLogs)
        GDebugLog::Instance().Open(m_folder.string());
    SaveFolder::Set(m_folder.string());
    PClock::SetManual(true, 1000 * kNs);
    GRandom::Init();
    SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
    SIM_ThreadManager::Instance().Init();
    SIM_Presentation::Instance().SetListener(&listener);
    SIM_SaveGame::Instance().SetClock([] {
        SaveDate date;
        date.day = 6;
        date.month = 12;
        date.year = 2026;
        date.hour = 9;
        date.minute = 5;
        return date;
    });
}

SaveWorld::~SaveWorld()
{
    FreshState::EndGame();
    SIM_Presentation::Instance().DiscardPosted();
    SIM_Presentation::Instance().SetListener(nullptr);
    SIM_SaveGame::Instance().SetClock(nullptr);
    FreshState::Forget<SIM_ThreadManager>();
    PClock::SetManual(false);
    if (m_ownsLogs)
        GDebugLog::Instance().Close();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

bool SaveWorld::StartGame(const char* mission)
{
    SIM_Mission* found = SIM_MissionManager::Instance().GetMission(mission);
    return found && SIM_Game::Instance().InitSimulation(found);
}

SIM_Tile* SaveWorld::Tile(int x, int y) const
{
    return SIM_Game::Instance().GetFactory()->GetTile(x, y);
}

SIM_ProductionSlot* SaveWorld::Place(const char* name, int x, int y, int facing)
{
    const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(name);
    if (!task || SIM_FinanceManager::Instance().IsGameOver())
        return nullptr;
    return static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(task, Tile(x, y), facing, false));
}

SIM_FacilitySlot* SaveWorld::PlaceFacility(const char* name, int x, int y, int facing)
{
    const SIM_FacilityTask* task = SIM_FacilityManager::Instance().GetTask(name);
    if (!task || SIM_FinanceManager::Instance().IsGameOver())
        return nullptr;
    return static_cast<SIM_FacilitySlot*>(SIM_Placement::PlaceTask(task, Tile(x, y), facing, false));
}

bool SaveWorld::LayConveyor(int x, int y, int facing)
{
    if (!Tile(x, y) || SIM_FinanceManager::Instance().IsGameOver())
        return false;
    return SIM_Placement::LayConveyor(Tile(x, y), facing, false) != nullptr;
}

SIM_ProductionSlot* SaveWorld::PlaceImportBay(int x, int y)
{
    // The importer brings its bay and the conveyor piece under it.
    return Place("task_resource_importer", x, y);
}

bool SaveWorld::BuildAssemblyLine()
{
    // The line runs along row 10 towards +x from column 4, machines at row 9, stockpiles at row
    // 11; the overhead conveyor leaves the bay at (1, 5), runs down column 1 to row 12 and along
    // it under every stockpile.
    static const char* const kStations[] = {
        "task_fit chassis",   "task_mount_axles",    "task_fit_wheels",      "task_fit_engine",
        "task_fit_fuel_tank", "task_fit_body",       "task_fit_doors",       "task_fit_wiring",
        "task_fit_interior",  "task_fit_windscreen", "task_paint_undercoat", "task_paint_finish",
    };
    constexpr int kCount = static_cast<int>(sizeof kStations / sizeof kStations[0]);
    constexpr int kFirst = 4, kLine = 10, kExport = 20;
    if (!PlaceImportBay(1, 5))
        return false;
    for (int i = 0; i < kCount; ++i)
        if (!Place(kStations[i], kFirst + i, kLine))
            return false;
    for (int x = kFirst + kCount; x < kExport; ++x)
        if (!Place("task_conveyor", x, kLine))
            return false;
    if (!Place("task_export", kExport, kLine))
        return false;
    for (int y = 5; y <= kLine + 2; ++y)
        if (!LayConveyor(1, y, 1))
            return false;
    for (int x = 1; x < kFirst + kCount; ++x)
        if (!LayConveyor(x, kLine + 2, 2))
            return false;
    for (int i = 0; i < kCount; ++i)
        if (!LayConveyor(kFirst + i, kLine + 1, 3))
            return false;
    if (!PlaceFacility("fac_power_plant", 4, 14) || !PlaceFacility("fac_research_office", 9, 14))
        return false;
    SIM_Placement::ConveyorsChanged();
    SIM_ResearchManager::Instance().SetCurrentResearch(
        SIM_ResearchManager::Instance().GetResearchable("research_expansion"));
    return true;
}

SIM_SupplyStockpile* SaveWorld::BuildPartShopsAndSupply()
{
    if (!Place("task_make_axles", 12, 14) || !Place("task_make_wheels", 13, 14))
        return nullptr;
    for (int x = 12; x <= 13; ++x)
        if (!LayConveyor(x, 13) || !LayConveyor(x, 15))
            return nullptr;
    for (int y = 12; y <= 16; ++y)
        if (!LayConveyor(1, y))
            return nullptr;
    for (int x = 1; x <= 13; ++x)
        if (!LayConveyor(x, 16))
            return nullptr;
    auto* supply = dynamic_cast<SIM_SupplyStockpile*>(PlaceFacility("fac_supply_stockpile", 2, 17));
    if (!supply || !LayConveyor(2, 17))
        return nullptr;
    supply->AddStockItem(SIM_ResourceManager::Instance().GetResource("steel_sheet"), 6);
    SIM_Placement::ConveyorsChanged();
    return supply;
}

void SaveWorld::Frames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        PClock::AdvanceManual(kFrameMs * kNs);
        SIM_Game::Instance().Update();
        SIM_Presentation::Instance().ApplyPosted();
    }
}

void SaveWorld::PlayHours(int hours)
{
    const int target = SIM_Game::Instance().GetCurrentHour() + hours;
    while (SIM_Game::Instance().GetCurrentHour() < target && !SIM_FinanceManager::Instance().IsGameOver())
    {
        Frames(60);
        for (SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
        {
            if (design->m_name.empty())
                design->m_name = SIM_VehicleDesignManager::Instance().MakeUniqueDefaultName();
            if (design->m_price <= 0.0f)
                design->m_price = SIM_VehicleDesign::GetDesignValue(design);
        }
    }
}

std::string SaveWorld::SavePath(const std::string& name) const
{
    return (m_folder / (name + ".xml")).string();
}

namespace
{
std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace

std::string SaveWorld::ReadSave(const std::string& name) const
{
    return ReadWhole(SavePath(name));
}

std::string SaveWorld::DebugLog() const
{
    return ReadWhole(GDebugLog::Instance().GetDebugPath());
}

std::string SaveWorld::ErrorLog() const
{
    return ReadWhole(GDebugLog::Instance().GetErrorPath());
}

void SaveWorld::WriteSave(const std::string& name, const std::string& text) const
{
    std::ofstream(SavePath(name), std::ios::binary) << text;
}

#if FV_HEAP_HOOKS
namespace
{
std::atomic<long long> g_heapLive{0};
std::atomic<long long> g_heapPeak{0};

void OnAllocate(const volatile void*, size_t size)
{
    const long long live = g_heapLive += static_cast<long long>(size);
    long long peak = g_heapPeak.load();
    while (live > peak && !g_heapPeak.compare_exchange_weak(peak, live))
    {
    }
}

void OnFree(const volatile void* pointer)
{
    g_heapLive -= static_cast<long long>(__sanitizer_get_allocated_size(pointer));
}

long long g_heapStart = 0;
} // namespace

bool HeapMeter::Available()
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree) != 0;
    return installed;
}

void HeapMeter::StartPeak()
{
    if (!Available())
        return;
    g_heapStart = g_heapLive.load();
    g_heapPeak = g_heapStart;
}

long long HeapMeter::PeakSinceStart()
{
    return Available() ? g_heapPeak.load() - g_heapStart : 0;
}

long long HeapMeter::HeldSinceStart()
{
    return Available() ? g_heapLive.load() - g_heapStart : 0;
}
#else
bool HeapMeter::Available()
{
    return false;
}

void HeapMeter::StartPeak()
{
}

long long HeapMeter::PeakSinceStart()
{
    return 0;
}

long long HeapMeter::HeldSinceStart()
{
    return 0;
}
#endif

std::string WithoutDate(const std::string& text)
{
    const size_t start = text.find("<date>");
    if (start == std::string::npos)
        return text;
    const size_t end = text.find('\n', start);
    return text.substr(0, start) + text.substr(end == std::string::npos ? text.size() : end);
}
} // namespace savetest
