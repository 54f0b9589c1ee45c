// A whole game on each shipped mission, played without a screen the way a player would: import
// bays, overhead conveyors to every stockpile, a full assembly line from chassis to paint, the
// car exporter, a power plant and a research office, all placed and paid for through the
// simulation's own operations; then many game hours at speed 4.
#include "tests/sim/MoneyTestListener.h"

#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// Where a mission's factory goes. The line runs along row lineY towards +x (facing 1): stations
// from firstStation, their machines at lineY - 1 and stockpiles at lineY + 1, car conveyors up to
// the export site. The overhead conveyor leaves the bay, runs down column bayX to row lineY + 2
// and along it under every stockpile.
struct ScriptedLayout
{
    const char* mission;
    int bayX, bayY;
    int firstStation;
    int lineY;
    int exportX;
    int plantX, plantY;
    int officeX, officeY;
};

namespace
{
const ScriptedLayout kLayouts[] = {
    {"m01_first_factory", 1, 5, 4, 10, 20, 4, 14, 9, 14},
    {"m02_riverside_works", 2, 6, 8, 10, 25, 8, 14, 13, 14},
    {"m03_tight_corner", 1, 4, 3, 8, 16, 3, 12, 8, 12},
};

const char* const kStations[] = {
    "task_fit chassis",   "task_mount_axles",    "task_fit_wheels",      "task_fit_engine",
    "task_fit_fuel_tank", "task_fit_body",       "task_fit_doors",       "task_fit_wiring",
    "task_fit_interior",  "task_fit_windscreen", "task_paint_undercoat", "task_paint_finish",
};
constexpr int kStationCount = static_cast<int>(sizeof kStations / sizeof kStations[0]);

constexpr uint64_t kNs = 1000000ull;
constexpr uint64_t kFrameMs = 16;

// A player: places what it can afford through the simulation's placement operations, which pay as
// the placing tools do, and steps the frames.
class ScriptedPlayer
{
public:
    explicit ScriptedPlayer(const ScriptedLayout& layout) : m_layout(layout)
    {
        PClock::SetManual(true, 1000 * kNs);
        GRandom::Init();
        SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
        SIM_ThreadManager::Instance().Init();
        m_mission.Load(std::string("data/missions/") + layout.mission + ".txt");
    }
    ~ScriptedPlayer()
    {
        while (!SlotQueries::Instance().GetAllSlots().empty())
            SIM_Placement::RemoveSlot(SlotQueries::Instance().GetAllSlots().front(), true, false);
        FreshState::EndGame();
        FreshState::Forget<SIM_ThreadManager>();
        PClock::SetManual(false);
    }

    bool StartGame(float cashOverride = -1.0f)
    {
        if (!SIM_Game::Instance().InitSimulation(&m_mission))
            return false;
        if (cashOverride >= 0.0f)
            SIM_FinanceManager::Instance().StartGameWithCash(cashOverride);
        m_startCash = SIM_FinanceManager::Instance().GetCash();
        return true;
    }

    SIM_Tile* Tile(int x, int y) const { return SIM_Game::Instance().GetFactory()->GetTile(x, y); }

    // Places what fits, paying as the placing tools do, until the game is over. It does not ask
    // whether it can afford a slot: a player who overspends goes bankrupt.
    SIM_ProductionSlot* PlaceTask(const char* name, int x, int y, int facing = 1)
    {
        const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(name);
        if (!task || SIM_FinanceManager::Instance().IsGameOver() ||
            !SIM_PlacementQueries::CanPlaceSlotAt(*task, Tile(x, y), facing) ||
            !SIM_PlacementQueries::IsFootprintFree(*task, Tile(x, y), facing))
            return nullptr;
        return static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(task, Tile(x, y), facing, false));
    }

    template <class T>
    T* PlaceFacility(const char* name, int x, int y)
    {
        const SIM_FacilityTask* task = SIM_FacilityManager::Instance().GetTask(name);
        if (!task || SIM_FinanceManager::Instance().IsGameOver() ||
            !SIM_PlacementQueries::IsFootprintFree(*task, Tile(x, y), 1))
            return nullptr;
        return dynamic_cast<T*>(SIM_Placement::PlaceTask(task, Tile(x, y), 1, false));
    }

    // A run of overhead conveyor as the conveyor tool lays it, priced per tile.
    bool LayConveyors(const std::vector<SIM_Tile*>& path)
    {
        if (SIM_FinanceManager::Instance().IsGameOver())
            return false;
        SIM_Placement::LayConveyorPath(path);
        return std::all_of(path.begin(), path.end(), [](const SIM_Tile* tile) { return tile && tile->m_conveyor; });
    }
    std::vector<SIM_Tile*> Column(int x, int y0, int y1) const
    {
        std::vector<SIM_Tile*> path;
        for (int y = y0; y <= y1; ++y)
            path.push_back(Tile(x, y));
        return path;
    }
    std::vector<SIM_Tile*> Row(int y, int x0, int x1) const
    {
        std::vector<SIM_Tile*> path;
        for (int x = x0; x <= x1; ++x)
            path.push_back(Tile(x, y));
        return path;
    }

    // Builds the whole factory; false as soon as something could not be placed.
    bool BuildFactory()
    {
        const ScriptedLayout& l = m_layout;
        // Import bay: the importer slot on the site, which brings its bay and a conveyor.
        if (!PlaceTask("task_resource_importer", l.bayX, l.bayY) ||
            !SIM_ResourceConveyorManager::Instance().GetImportBayOn(Tile(l.bayX, l.bayY)))
            return false;

        for (int i = 0; i < kStationCount; ++i)
            if (!PlaceTask(kStations[i], l.firstStation + i, l.lineY))
                return false;
        for (int x = l.firstStation + kStationCount; x < l.exportX; ++x)
            if (!PlaceTask("task_conveyor", x, l.lineY))
                return false;
        if (!PlaceTask("task_export", l.exportX, l.lineY))
            return false;

        if (!LayConveyors(Column(l.bayX, l.bayY, l.lineY + 2)) ||
            !LayConveyors(Row(l.lineY + 2, l.bayX, l.firstStation + kStationCount - 1)) ||
            !LayConveyors(Row(l.lineY + 1, l.firstStation, l.firstStation + kStationCount - 1)))
            return false;

        if (!PlaceFacility<SIM_PowerplantSlot>("fac_power_plant", l.plantX, l.plantY))
            return false;
        if (!PlaceFacility<SIM_FacilitySlot>("fac_research_office", l.officeX, l.officeY))
            return false;
        SIM_ResearchManager::Instance().SetCurrentResearch(
            SIM_ResearchManager::Instance().GetResearchable("research_expansion"));
        return true;
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            PClock::AdvanceManual(kFrameMs * kNs);
            SIM_Game::Instance().Update();
            SIM_Presentation::Instance().ApplyPosted();
        }
    }

    // Steps whole game hours; the player prices every new design at its value, as the new-design
    // dialog suggests.
    void PlayHours(int hours)
    {
        const int target = SIM_Game::Instance().GetCurrentHour() + hours;
        while (SIM_Game::Instance().GetCurrentHour() < target && !SIM_FinanceManager::Instance().IsGameOver())
        {
            Frames(60);
            for (SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
                if (design->m_price <= 0.0f)
                    design->m_price = SIM_VehicleDesign::GetDesignValue(design);
        }
    }

    float StartCash() const { return m_startCash; }

private:
    ScriptedLayout m_layout;
    SIM_Mission m_mission;
    float m_startCash = 0.0f;
};

int CountStations()
{
    int n = 0;
    for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
        n += !slot->IsFacility();
    return n;
}
} // namespace

class ScriptedFactoryGame : public ::testing::TestWithParam<ScriptedLayout>
{
};

TEST_P(ScriptedFactoryGame, BuildsSellsResearchesAndKeepsTheBooks)
{
    MoneyTestListener screens;
    ScriptedPlayer player(GetParam());
    ASSERT_TRUE(player.StartGame());
    ASSERT_TRUE(player.BuildFactory());
    EXPECT_GE(CountStations(), kStationCount + 2);
    SIM_Game::Instance().SetSpeed(4.0f);

    // Settle in, then measure a day of steady running.
    player.PlayHours(12);
    SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    const float cashBefore = SIM_FinanceManager::Instance().GetCash();
    const float incomeBefore = ledger.GetTotal(-1, FC_CAR_SALES);
    player.PlayHours(24);
    ASSERT_FALSE(SIM_FinanceManager::Instance().IsGameOver());

    const float income = ledger.GetTotal(-1, FC_CAR_SALES);
    const float expenses = ledger.GetTotal(-1, FC_ALL_EXPENSES);
    const float cash = SIM_FinanceManager::Instance().GetCash();
    const float profitPerHour = (cash - cashBefore) / 24.0f;
    std::printf("%s: sales %.0f (last day %.0f), expenses %.0f, cash %.0f -> %.0f, profit per game hour %.0f\n",
                GetParam().mission, income, income - incomeBefore, expenses, player.StartCash(), cash, profitPerHour);

    EXPECT_FALSE(SIM_VehicleDesignManager::Instance().GetDesigns().empty()) << "no car reached the exporter";
    EXPECT_GT(income, 0.0f) << "no car was sold";
    EXPECT_GT(ledger.GetTotal(-1, FC_RAW_MATERIALS) + ledger.GetTotal(-1, FC_COMPONENT_PURCHASE), 0.0f);
    EXPECT_GT(ledger.GetTotal(-1, FC_WAGES), 0.0f);
    EXPECT_GT(ledger.GetTotal(-1, FC_RENT), 0.0f);
    EXPECT_GT(profitPerHour, 0.0f) << "a sensibly priced full line should make money";
    // Cash and ledger are single precision; bookings near a balance of 10^5..10^6 may differ in
    // the last places, never by a lost payment.
    EXPECT_NEAR(cash, player.StartCash() + income - expenses, std::max(50.0f, cash * 1e-4f));

    bool sampled = false;
    for (const auto& sample : SIM_Efficiency::Instance().samples)
        sampled |= sample.valid != 0;
    EXPECT_TRUE(sampled) << "efficiency was never sampled";
    const SIM_Researchable* expansion = SIM_ResearchManager::Instance().GetResearchable("research_expansion");
    ASSERT_NE(expansion, nullptr);
    EXPECT_TRUE(expansion->IsComplete()) << "the research office finished nothing";
    EXPECT_EQ(screens.gameOver.load(), 0);
}

// Parts made in the factory: an axle shop and a wheel shop below the line take steel, rubber and
// aluminium from the bay and fill their output stockpiles, which the line draws from.
TEST(ScriptedFactoryWorkshops, ComponentShopsTurnRawMaterialsIntoParts)
{
    MoneyTestListener screens;
    const ScriptedLayout& layout = kLayouts[0];
    ScriptedPlayer player(layout);
    ASSERT_TRUE(player.StartGame());
    ASSERT_TRUE(player.BuildFactory());
    // Shops at row 14 east of the research office: exports on row 13 join the conveyor row 12,
    // stockpiles on row 15 are fed by a second conveyor row 16 from the bay's column.
    const int shopY = layout.lineY + 4;
    SIM_ProductionSlot* shops[] = {player.PlaceTask("task_make_axles", 12, shopY),
                                   player.PlaceTask("task_make_wheels", 13, shopY)};
    for (SIM_ProductionSlot* shop : shops)
        ASSERT_NE(shop, nullptr);
    ASSERT_TRUE(player.LayConveyors(player.Row(shopY - 1, 12, 13)));
    ASSERT_TRUE(player.LayConveyors(player.Row(shopY + 1, 12, 13)));
    ASSERT_TRUE(player.LayConveyors(player.Column(layout.bayX, layout.lineY + 2, shopY + 2)));
    ASSERT_TRUE(player.LayConveyors(player.Row(shopY + 2, layout.bayX, 13)));
    SIM_Game::Instance().SetSpeed(4.0f);

    size_t made[2] = {0, 0};
    for (int hour = 0; hour < 12; ++hour)
    {
        player.PlayHours(1);
        for (int i = 0; i < 2; ++i)
            made[i] =
                std::max(made[i], shops[i]->GetOutputStockpile() ? shops[i]->GetOutputStockpile()->Held().size() : 0);
    }
    EXPECT_GT(made[0], 0u) << "the axle shop made nothing";
    EXPECT_GT(made[1], 0u) << "the wheel shop made nothing";
    EXPECT_GT(SIM_FinanceRecord::Instance().GetTotal(-1, FC_CAR_SALES), 0.0f);
    EXPECT_FALSE(SIM_FinanceManager::Instance().IsGameOver());
}

TEST_P(ScriptedFactoryGame, TheSameFactoryOnTooLittleCashGoesBankrupt)
{
    MoneyTestListener screens;
    ScriptedPlayer player(GetParam());
    ASSERT_TRUE(player.StartGame(30000.0f));
    EXPECT_FALSE(player.BuildFactory());
    EXPECT_TRUE(SIM_FinanceManager::Instance().IsGameOver());
    EXPECT_EQ(screens.gameOver.load(), 1);
    EXPECT_LE(SIM_FinanceManager::Instance().GetCash(), 0.0f);
}

INSTANTIATE_TEST_SUITE_P(ShippedMissions, ScriptedFactoryGame, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<ScriptedLayout>& info) {
                             return std::string(info.param.mission);
                         });
