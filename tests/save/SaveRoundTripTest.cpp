// A running factory saved and loaded comes back as it was: every slot and facility on its tiles
// with its facing, state, sub-task, options, upgrades and history (car conveyors that merge and
// split among them), the cars, conveyors, resource objects, stockpiles, research (finished items
// with what they unlocked), designs and money; saving it again writes the same file.
#include <gtest/gtest.h>

#include "SaveTestSupport.h"
#include "SimStateDump.h"

#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/views/SIM_SlotView.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

using namespace savetest;

namespace
{
// A car conveyor dragged as the chain tool lays it, along the path finder's own path.
void DragChain(SaveWorld& world, int x0, int y0, int x1, int y1)
{
    std::vector<SIM_Tile*> path;
    ASSERT_GE(SIM_PathFinder::Instance().MeasurePath(world.Tile(x0, y0), world.Tile(x1, y1),
                                                     SIM_PathFinder::MODE_SLOT_CHAIN, path),
              0);
    ASSERT_GT(SIM_Placement::PlaceChain(path, 1), 0);
}

// The assembly line plus one of everything the line does not have: a supply stockpile with a
// stock list, upgrades on a station and on the power plant, an option, a bought zone, a second
// line head merging into the line's car conveyor and a branch split off it.
void BuildShowcase(SaveWorld& world)
{
    ASSERT_TRUE(world.StartGame());
    ASSERT_TRUE(world.BuildAssemblyLine());
    SIM_FacilitySlot* supply = world.PlaceFacility("fac_supply_stockpile", 12, 16);
    ASSERT_NE(supply, nullptr);
    auto* store = dynamic_cast<SIM_SupplyStockpile*>(supply);
    ASSERT_NE(store, nullptr);
    store->AddStockItem(SIM_ResourceManager::Instance().GetResource("steel_sheet"), 4);

    SIM_PlaceableSlot* wheels = world.Tile(6, 10)->m_occupant;
    SIM_PlaceableSlot* plant = world.Tile(4, 14)->m_occupant;
    ASSERT_NE(wheels, nullptr);
    ASSERT_NE(plant, nullptr);
    SIM_Placement::PurchaseForSlot(*SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_fast_tools"), wheels);
    SIM_Placement::PurchaseForSlot(*SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_alloy_wheels"), wheels);
    SIM_Placement::PurchaseForSlot(*SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_turbine_tuning"), plant);
    static_cast<SIM_ProductionSlot*>(world.Tile(5, 10)->m_occupant)->SetOption(true, "task_fit_wheels");
    SIM_Game::Instance().GetMission()->GetZoneByName("South Wing")->Unlock(SIM_Game::Instance().GetFactory(), true);
    // Finished research that opened a facility and a task: saved at progress 1.
    for (const char* name : {"research_logistics", "research_engine_casting"})
    {
        SIM_Researchable* item = SIM_ResearchManager::Instance().GetResearchable(name);
        ASSERT_NE(item, nullptr) << name;
        item->AddProgress(item->m_cost);
    }
    ASSERT_FALSE(SIM_FacilityManager::Instance().GetTask("fac_supply_stockpile")->m_locked);
    ASSERT_FALSE(SIM_ProductionTaskManager::Instance().GetTask("task_make_engine")->m_locked);

    // The second head at (17, 6) takes the bay's row 5 and hands its cars south onto the side of
    // the line at (17, 10); the branch leaves the line's side at (18, 10).
    ASSERT_NE(world.Place("task_fit chassis", 17, 6, 2), nullptr);
    for (int x = 2; x <= 16; ++x)
        ASSERT_TRUE(world.LayConveyor(x, 5));
    ASSERT_TRUE(world.LayConveyor(16, 6));
    SIM_Placement::ConveyorsChanged();
    DragChain(world, 17, 7, 17, 10);
    DragChain(world, 18, 10, 18, 13);
    const auto* merge = static_cast<const SIM_ProductionSlot*>(world.Tile(17, 10)->m_occupant);
    const auto* split = static_cast<const SIM_ProductionSlot*>(world.Tile(18, 10)->m_occupant);
    EXPECT_TRUE(merge->IsInputTile(world.Tile(16, 10)) && merge->IsInputTile(world.Tile(17, 9)));
    EXPECT_TRUE(split->IsExitTile(world.Tile(19, 10)) && split->IsExitTile(world.Tile(18, 11)));
}
} // namespace

TEST(SaveRoundTrip, AFactoryComesBackAsItWasAndSavesToTheSameFile)
{
    SaveWorld world;
    BuildShowcase(world);
    SIM_Game::Instance().SetSpeed(4.0f);
    world.PlayHours(3);
    ASSERT_FALSE(SIM_FinanceManager::Instance().IsGameOver());

    const std::string before = DumpSimulation();
    const float cash = SIM_FinanceManager::Instance().GetCash();
    ASSERT_TRUE(SIM_SaveGame::Instance().SaveGame("roundtrip"));
    const std::string file = world.ReadSave("roundtrip");

    // Loaded from the main menu: no running game whose removal would make a noise of its own.
    FreshState::EndGame();
    world.listener.stages.clear();
    world.listener.sounds.clear();
    world.listener.sparkles = 0;
    world.listener.speedSyncs = 0;
    ASSERT_TRUE(SIM_LoadGame::Instance().LoadGame("roundtrip"));
    const std::string after = DumpSimulation();
    EXPECT_EQ(FirstDifference(before, after), "");
    EXPECT_EQ(SIM_FinanceManager::Instance().GetCash(), cash);
    // Loading pays nothing, plays no placement sound and shows no sparkle.
    EXPECT_EQ(world.listener.sparkles, 0);
    EXPECT_TRUE(world.listener.sounds.empty());
    EXPECT_EQ(world.listener.prepareForLoad, 1);
    EXPECT_EQ(world.listener.ambience, 1);
    // The loaded game runs at its own speed, and the speed buttons are told so.
    EXPECT_GT(SIM_Game::Instance().GetSpeed(), 0.0f);
    EXPECT_GE(world.listener.speedSyncs, 1);
    ASSERT_FALSE(world.listener.stages.empty());
    EXPECT_EQ(world.listener.stages.front(), "LS_READING_SAVE_FILE");
    EXPECT_EQ(world.listener.stages.back(), "LS_RECALCULATING_VARIABLES");

    ASSERT_TRUE(SIM_SaveGame::Instance().SaveGame("roundtrip2"));
    EXPECT_EQ(FirstDifference(WithoutDate(file), WithoutDate(world.ReadSave("roundtrip2"))), "");
}

namespace
{
// The view of a slot: placed, or the ghost a placer holds under the mouse.
class StubSlotView : public SIM_SlotView
{
public:
    explicit StubSlotView(bool placed) : m_placed(placed) {}
    bool HasMainTile() const override { return m_placed; }

private:
    bool m_placed;
};
} // namespace

TEST(SaveRoundTrip, AQuickSaveDuringAPlacementWritesNoUnpaidGhost)
{
    SaveWorld world;
    ASSERT_TRUE(world.StartGame());
    SIM_ProductionSlot* placed = world.Place("task_fit_wheels", 6, 10);
    SIM_ProductionSlot* ghost = world.Place("task_fit_engine", 8, 10);
    ASSERT_NE(placed, nullptr);
    ASSERT_NE(ghost, nullptr);
    placed->SetGuiSlot(new StubSlotView(true));
    ghost->SetGuiSlot(new StubSlotView(false));
    ASSERT_TRUE(SIM_SaveGame::Instance().QuickSave());
    const std::string file = world.ReadSave("autosave");
    EXPECT_NE(file.find("task_fit_wheels"), std::string::npos);
    EXPECT_EQ(file.find("task_fit_engine"), std::string::npos);
    ASSERT_TRUE(SIM_LoadGame::Instance().QuickLoad());
    EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), 1u);
    EXPECT_EQ(world.Tile(8, 10)->m_occupant, nullptr);
}
