// A whole game on each shipped mission, played without a screen the way a player would: import
// bays, overhead conveyors to every stockpile, a full assembly line from chassis to paint, the
// car exporter, a power plant and a research office, all placed and paid for through the
// simulation's own operations; then many game hours at speed 4. Car conveyors dragged as the
// chain tool lays them join a second line into a running one, and branch a line to two stations.
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
#include "sim/flow/SIM_PathFinder.h"
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
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
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

    // A car conveyor dragged from one tile to another as the chain tool lays it: along the path
    // finder's own path, the pieces following its bends and its ends joining what they meet.
    // Returns how many pieces were built (rebuilt ones too).
    int DragChain(int x0, int y0, int x1, int y1)
    {
        std::vector<SIM_Tile*> path;
        if (SIM_PathFinder::Instance().MeasurePath(Tile(x0, y0), Tile(x1, y1), SIM_PathFinder::MODE_SLOT_CHAIN, path) <
            0)
            return 0;
        return SIM_Placement::PlaceChain(path, 1);
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

// Follows every car from the line head that made it: how many of each head's cars the exporter
// took and the longest wait between two of them, and which cars each watched station held.
class CarWatch
{
    std::vector<const SIM_ProductionSlot*> m_heads;
    const SIM_ProductionSlot* m_exporter;
    std::map<const SIM_Vehicle*, int> m_madeBy;
    std::vector<int> m_lastExport;
    int m_frame = 0;

public:
    CarWatch(std::vector<const SIM_ProductionSlot*> heads, const SIM_ProductionSlot* exporter)
        : m_heads(std::move(heads)), m_exporter(exporter), m_lastExport(m_heads.size(), -1),
          exported(m_heads.size(), 0), longestGap(m_heads.size(), 0)
    {
    }
    // One frame of the game, then a look at the heads, the exporter and the stations.
    void Frame(ScriptedPlayer& player)
    {
        player.Frames(1);
        ++m_frame;
        for (size_t i = 0; i < m_heads.size(); ++i)
            if (SIM_Vehicle* car = m_heads[i]->GetVehicle())
                m_madeBy[car] = static_cast<int>(i);
        if (SIM_Vehicle* car = m_exporter->GetVehicle())
        {
            auto made = m_madeBy.find(car);
            if (made != m_madeBy.end())
            {
                const auto head = static_cast<size_t>(made->second);
                ++exported[head];
                if (m_lastExport[head] >= 0)
                    longestGap[head] = std::max(longestGap[head], m_frame - m_lastExport[head]);
                m_lastExport[head] = m_frame;
                m_madeBy.erase(made);
            }
        }
        for (auto& [station, cars] : held)
            if (SIM_Vehicle* car = station->GetVehicle())
                if (std::find(cars.begin(), cars.end(), car) == cars.end())
                    cars.push_back(car);
    }
    // Frames until done holds, at most limit of them; whether it held.
    bool Until(ScriptedPlayer& player, const std::function<bool()>& done, int limit = 20000)
    {
        for (int frame = 0; frame < limit && !done(); ++frame)
            Frame(player);
        return done();
    }

    std::vector<int> exported;
    // The most frames between two cars of a head reaching the exporter.
    std::vector<int> longestGap;
    std::map<const SIM_ProductionSlot*, std::vector<const SIM_Vehicle*>> held;
};

const SIM_ProductionSlot* SlotAt(ScriptedPlayer& player, int x, int y)
{
    return static_cast<const SIM_ProductionSlot*>(player.Tile(x, y)->m_occupant);
}

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

// First Factory's one exporter serves two lines: a second line dragged onto the side of the first
// one's car conveyor joins it through a merge, both lines' cars are sold, and the first line never
// stops: not when the branch joins it (a car riding the piece that is rebuilt rides on), not when
// a drag meets its turn where no piece could join the two, not when the branch is sold again.
TEST(ScriptedFactoryLines, ASecondLineJoinsTheFirstThroughAMergeAndTheFirstNeverStops)
{
    MoneyTestListener screens;
    ScriptedPlayer player(kLayouts[0]);
    ASSERT_TRUE(player.StartGame());
    ASSERT_NE(player.PlaceTask("task_resource_importer", 1, 5), nullptr);
    // Both heads hand their cars south; their stockpiles (7, 6) and (13, 6) take the bay's row 5.
    const SIM_ProductionSlot* first = player.PlaceTask("task_fit chassis", 8, 6, 2);
    const SIM_ProductionSlot* second = player.PlaceTask("task_fit chassis", 14, 6, 2);
    const SIM_ProductionSlot* exporter = player.PlaceTask("task_export", 20, 10);
    ASSERT_TRUE(first && second && exporter);
    ASSERT_NE(player.PlaceFacility<SIM_PowerplantSlot>("fac_power_plant", 4, 14), nullptr);
    ASSERT_TRUE(player.LayConveyors(player.Row(5, 1, 13)));
    ASSERT_TRUE(player.LayConveyors({player.Tile(7, 6), player.Tile(13, 6)}));
    // The first line in two drags: down from the head, then along row 10 to the exporter, which
    // turns the first drag's loose end at (8, 10).
    ASSERT_EQ(player.DragChain(8, 7, 8, 10), 4);
    ASSERT_EQ(player.DragChain(9, 10, 19, 10), 12);
    SIM_Game::Instance().SetSpeed(4.0f);
    CarWatch cars({first, second}, exporter);
    auto firstLineExports = [&](int more) {
        const int target = cars.exported[0] + more;
        return cars.Until(player, [&] { return cars.exported[0] >= target; });
    };
    ASSERT_TRUE(firstLineExports(2));
    EXPECT_EQ(cars.exported[1], 0) << "the second head has no way out yet";

    // The branch is dragged onto the side of (14, 10) while a car of the first line rides it.
    ASSERT_TRUE(cars.Until(player, [&] { return SlotAt(player, 14, 10)->GetVehicle() != nullptr; }));
    SIM_Vehicle* riding = SlotAt(player, 14, 10)->GetVehicle();
    const float invested = SIM_FinanceRecord::Instance().GetTotal(-1, FC_CAPITAL_INVESTMENT);
    EXPECT_EQ(player.DragChain(14, 7, 14, 10), 4);
    // Three new pieces and the rebuilt one are paid.
    const float piece = SIM_ProductionTaskManager::Instance().GetTask("task_conveyor")->m_constructionCost;
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(-1, FC_CAPITAL_INVESTMENT) - invested, 4 * piece);
    const SIM_ProductionSlot* merge = SlotAt(player, 14, 10);
    EXPECT_TRUE(merge->IsInputTile(player.Tile(13, 10)) && merge->IsInputTile(player.Tile(14, 9)) &&
                merge->IsExitTile(player.Tile(15, 10)))
        << merge->GetTask()->m_name << " facing " << merge->GetFacing();
    EXPECT_EQ(merge->GetVehicle(), riding);
    ASSERT_TRUE(cars.Until(player, [&] { return cars.exported[1] >= 2; }));
    ASSERT_TRUE(firstLineExports(2));

    // A drag onto the turn's free side: no piece takes three sides like that, so the turn stays.
    const SIM_PlaceableSlot* turn = player.Tile(8, 10)->m_occupant;
    const std::string turnTask = turn->GetTask()->m_name;
    EXPECT_EQ(player.DragChain(8, 13, 8, 10), 3);
    EXPECT_EQ(player.Tile(8, 10)->m_occupant, turn);
    EXPECT_EQ(turn->GetTask()->m_name, turnTask);
    EXPECT_EQ(turn->GetFacing(), 2);
    ASSERT_TRUE(firstLineExports(2));

    // The branch sold again: the merge passes the first line's cars as before.
    for (int y = 7; y <= 9; ++y)
        ASSERT_TRUE(SIM_Placement::RemoveAt(player.Tile(14, y), false));
    ASSERT_TRUE(firstLineExports(3));
    EXPECT_NE(second->GetVehicle(), nullptr);
    EXPECT_EQ(second->GetState(), WAITING_FOR_EXPORT) << "the second head's car has no way out again";
    // Alone its cars reach the exporter every 100 frames or so, sharing it every 140.
    EXPECT_LT(cars.longestGap[0], 300);
    EXPECT_EQ(screens.gameOver.load(), 0);
}

// A drag from the side of a running line branches it: the split hands each car to the exit with
// work ahead for it and the best score, so two stations side by side both fit axles, and their
// cars meet again at a merge before the exporter.
TEST(ScriptedFactoryLines, ASplitFeedsTwoStationsSideBySideAndBothWorkOnCars)
{
    MoneyTestListener screens;
    ScriptedPlayer player(kLayouts[0]);
    ASSERT_TRUE(player.StartGame());
    ASSERT_NE(player.PlaceTask("task_resource_importer", 1, 5), nullptr);
    const SIM_ProductionSlot* head = player.PlaceTask("task_fit chassis", 6, 10);
    const SIM_ProductionSlot* onLine = player.PlaceTask("task_mount_axles", 12, 10);
    const SIM_ProductionSlot* beside = player.PlaceTask("task_mount_axles", 12, 7);
    const SIM_ProductionSlot* exporter = player.PlaceTask("task_export", 20, 10);
    ASSERT_TRUE(head && onLine && beside && exporter);
    ASSERT_NE(player.PlaceFacility<SIM_PowerplantSlot>("fac_power_plant", 4, 14), nullptr);
    // Stockpiles (6, 11) and (12, 11) on row 11, (12, 8) on row 8, both rows fed from column 1.
    ASSERT_TRUE(player.LayConveyors(player.Column(1, 5, 11)));
    ASSERT_TRUE(player.LayConveyors(player.Row(11, 1, 12)));
    ASSERT_TRUE(player.LayConveyors(player.Row(8, 1, 12)));
    ASSERT_EQ(player.DragChain(7, 10, 11, 10), 5);
    ASSERT_EQ(player.DragChain(13, 10, 19, 10), 7);
    // The branch leaves the line's side at (9, 10), runs north and east into the second station,
    // and from its exit east and south back onto the line's side at (15, 10).
    EXPECT_EQ(player.DragChain(9, 10, 9, 7), 4);
    EXPECT_EQ(player.DragChain(10, 7, 11, 7), 3);
    EXPECT_EQ(player.DragChain(13, 7, 15, 7), 3);
    EXPECT_EQ(player.DragChain(15, 8, 15, 10), 4);
    const SIM_ProductionSlot* split = SlotAt(player, 9, 10);
    EXPECT_TRUE(split->IsInputTile(player.Tile(8, 10)) && split->IsExitTile(player.Tile(10, 10)) &&
                split->IsExitTile(player.Tile(9, 9)))
        << split->GetTask()->m_name << " facing " << split->GetFacing();

    SIM_Game::Instance().SetSpeed(4.0f);
    CarWatch cars({head}, exporter);
    cars.held[onLine] = {};
    cars.held[beside] = {};
    EXPECT_TRUE(cars.Until(player, [&] { return cars.held[onLine].size() >= 3 && cars.held[beside].size() >= 3; }))
        << "cars on the line's station " << cars.held[onLine].size() << ", beside it " << cars.held[beside].size();
    ASSERT_TRUE(cars.Until(player, [&] { return cars.exported[0] >= 4; }));
    EXPECT_EQ(screens.gameOver.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(ShippedMissions, ScriptedFactoryGame, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<ScriptedLayout>& info) {
                             return std::string(info.param.mission);
                         });
