// The placement operations and the placers' questions: what a placement occupies, pays, shows and
// sounds, what loading leaves out, what the delete click takes away, and how chains and required
// sub-tasks read the floor.
#include "tests/sim/SimTestSupport.h"
#include "tests/sim/SlotsTestFloor.h"

#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using slotstest::Floor;

// Records what the placement operations tell the view, besides the sparkles and sounds.
class PlacementListener : public simtest::RecordingListener
{
public:
    std::vector<std::string> placed;
    std::vector<float> money;
    int removed = 0;
    int bays = 0;
    int conveyors = 0;
    int gameOvers = 0;
    void SlotPlaced(SIM_PlaceableSlot& slot, bool loading) override
    {
        placed.push_back(slot.GetTask()->m_name + (loading ? " loaded" : ""));
    }
    void ChainSlotPlaced(SIM_PlaceableSlot& slot, bool) override
    {
        placed.push_back("chain " + slot.GetTask()->m_name);
    }
    void SlotRemoved(SIM_PlaceableSlot&) override { ++removed; }
    void ImportBayFinished(SIM_ResourceImportBay&, SIM_ResourceConveyor&, bool) override { ++bays; }
    void ConveyorLaid(SIM_ResourceConveyor&, bool) override { ++conveyors; }
    void ShowMoney(SIM_Tile*, float amount) override { money.push_back(amount); }
    void ShowGameOver() override { ++gameOvers; }
};

// A floor with the recording listener attached for the length of a test.
class PlacementTest : public ::testing::Test
{
protected:
    void SetUp() override { SIM_Presentation::Instance().SetListener(&listener); }
    void TearDown() override { SIM_Presentation::Instance().SetListener(nullptr); }
    static float Cash() { return SIM_FinanceManager::Instance().GetCash(); }
    static float Invested() { return SIM_FinanceRecord::Instance().GetTotal(-1, FC_CAPITAL_INVESTMENT); }
    static const SIM_ProductionTask* Task(const char* name)
    {
        return SIM_ProductionTaskManager::Instance().GetTask(name);
    }

    PlacementListener listener;
};

TEST_F(PlacementTest, FootprintsTurnWithTheFacingAndMayHangOverTheEdgeOnlyAsAGhost)
{
    Floor floor;
    TaskTileDef east;
    east.XOffset = 1;
    const struct
    {
        int facing, x, y;
    } turns[] = {{1, 4, 3}, {0, 3, 2}, {2, 3, 4}, {3, 2, 3}};
    for (const auto& turn : turns)
        EXPECT_EQ(SIM_PlacementQueries::GetLayoutTile(east, floor.Tile(3, 3), turn.facing), floor.Tile(turn.x, turn.y))
            << "facing " << turn.facing;

    SIM_ProductionTask wide;
    wide.m_tiles.emplace_back();
    wide.m_tiles.push_back(std::move(east));
    // Facing 3 puts the second tile at x = -1, off the floor.
    EXPECT_TRUE(SIM_PlacementQueries::CanPlaceAt(wide, floor.Tile(0, 2), 3));
    EXPECT_FALSE(SIM_PlacementQueries::IsFootprintFree(wide, floor.Tile(0, 2), 3));
    EXPECT_EQ(SIM_Placement::PlaceTask(&wide, floor.Tile(0, 2), 3, false), nullptr);
    EXPECT_TRUE(SlotQueries::Instance().GetAllSlots().empty());
    EXPECT_FLOAT_EQ(Cash(), 100000.0f);
}

TEST_F(PlacementTest, PlacingPaysShowsAndSoundsWhileLoadingOnlyRebuilds)
{
    Floor floor("missions/m_slots.txt", 200.0f);
    SIM_PlaceableSlot* staffed = SIM_Placement::PlaceTask(Task("task_staffed"), floor.Tile(3, 3), 1, false);
    ASSERT_NE(staffed, nullptr);
    EXPECT_FLOAT_EQ(Cash(), 100.0f);
    EXPECT_FLOAT_EQ(Invested(), 100.0f);
    EXPECT_EQ(listener.money, std::vector<float>{100.0f});
    EXPECT_EQ(listener.sounds, std::vector<std::string>{"fv_place_slot_1.ogg"});
    EXPECT_EQ(listener.sparkles.size(), 1u);
    EXPECT_EQ(floor.Tile(3, 3)->m_occupant, staffed);
    EXPECT_TRUE(floor.Tile(3, 3)->m_builtOn);
    // One employee per staff prop, however often the task is set.
    EXPECT_EQ(staffed->GetEmployees().size(), 3u);
    staffed->ApplyTask();
    EXPECT_EQ(staffed->GetEmployees().size(), 3u);

    SIM_PlaceableSlot* loaded = SIM_Placement::PlaceTask(Task("task_fit_engine"), floor.Tile(5, 3), 2, true);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetFacing(), 2);
    EXPECT_FLOAT_EQ(Cash(), 100.0f);
    EXPECT_EQ(listener.sounds.size(), 1u);
    EXPECT_EQ(listener.sparkles.size(), 1u);
    EXPECT_EQ(listener.placed, (std::vector<std::string>{"task_staffed", "task_fit_engine loaded"}));

    // The last 100 are spent on the next slot: the game is over at exactly 0.
    ASSERT_NE(SIM_Placement::PlaceTask(Task("task_fit_engine"), floor.Tile(7, 3), 1, false), nullptr);
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_FLOAT_EQ(Cash(), 0.0f);
    EXPECT_EQ(listener.gameOvers, 1);
    EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), 3u);
}

TEST_F(PlacementTest, ASlotTakesTheConveyorSlotOnItsAnchorButNothingElse)
{
    Floor floor;
    ASSERT_NE(floor.Place("task_conveyor", 4, 4), nullptr);
    // No tool offers it: the footprint is not free, as the ghost shows.
    EXPECT_FALSE(SIM_PlacementQueries::IsFootprintFree(*Task("task_fit_engine"), floor.Tile(4, 4), 1));
    // Loading never replaces anything: a saved slot that no longer fits is left out.
    EXPECT_EQ(SIM_Placement::PlaceTask(Task("task_fit_engine"), floor.Tile(4, 4), 1, true), nullptr);
    SIM_PlaceableSlot* engine = SIM_Placement::PlaceTask(Task("task_fit_engine"), floor.Tile(4, 4), 1, false);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(SlotQueries::Instance().GetAllSlots(), std::vector<SIM_PlaceableSlot*>{engine});
    EXPECT_EQ(listener.removed, 1);
    EXPECT_FALSE(SIM_PlacementQueries::IsFootprintFree(*Task("task_fit chassis"), floor.Tile(4, 4), 1));
    EXPECT_EQ(SIM_Placement::PlaceTask(Task("task_fit chassis"), floor.Tile(4, 4), 1, false), nullptr);
}

TEST_F(PlacementTest, AnImporterStandsOnlyOnASiteFacesInsideAndBringsItsBay)
{
    Floor floor;
    const SIM_ProductionTask* importer = Task("task_resource_importer");
    ASSERT_NE(importer, nullptr);
    EXPECT_FALSE(SIM_PlacementQueries::CanPlaceSlotAt(*importer, floor.Tile(2, 3), 1));
    EXPECT_TRUE(SIM_PlacementQueries::CanPlaceSlotNow(*importer, floor.Tile(0, 3), 0));
    EXPECT_EQ(SIM_PlacementQueries::GetExportFacing(floor.Tile(10, 3)), 1);

    SIM_PlaceableSlot* slot = SIM_Placement::PlaceTask(importer, floor.Tile(0, 3), 0, false);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->GetFacing(), 1); // away from the wall at x = -1, whatever the player turned
    SIM_ResourceImportBay* bay = SIM_ResourceConveyorManager::Instance().GetImportBayOn(floor.Tile(0, 3));
    ASSERT_NE(bay, nullptr);
    ASSERT_NE(floor.Tile(0, 3)->m_conveyor, nullptr);
    EXPECT_EQ(floor.Tile(0, 3)->m_conveyor->m_facing, bay->GetSide());
    EXPECT_EQ(listener.bays, 1);

    // Lifting the conveyor takes the bay with it and refunds the importer; the slot stays.
    const float before = Cash();
    EXPECT_TRUE(SIM_Placement::RemoveAt(floor.Tile(0, 3), true));
    EXPECT_EQ(SIM_ResourceConveyorManager::Instance().GetImportBayOn(floor.Tile(0, 3)), nullptr);
    EXPECT_EQ(floor.Tile(0, 3)->m_conveyor, nullptr);
    EXPECT_FLOAT_EQ(Cash(), before + 0.5f * importer->m_constructionCost);
    EXPECT_EQ(floor.Tile(0, 3)->m_occupant, slot);
}

TEST_F(PlacementTest, ConveyorsCostMoreOverSlotsAndTheDeleteClickSellsOrLifts)
{
    Floor floor;
    SIM_ProductionSlot* belt = floor.Place("task_conveyor", 6, 5, 1, true); // unpaid
    ASSERT_NE(belt, nullptr);
    const std::vector<SIM_Tile*> path = {floor.Tile(5, 5), floor.Tile(6, 5), floor.Tile(7, 5)};
    EXPECT_FLOAT_EQ(SIM_PlacementQueries::GetConveyorTileCost(floor.Tile(6, 5)), 30.0f);
    EXPECT_EQ(SIM_Placement::LayConveyorPath(path), 3);
    // 10 + 10 x 3 + 10, every sum paid also booked.
    EXPECT_FLOAT_EQ(Cash(), 100000.0f - 50.0f);
    EXPECT_FLOAT_EQ(Invested(), 50.0f);
    EXPECT_EQ(listener.conveyors, 3);
    EXPECT_EQ(listener.sounds, std::vector<std::string>{"slot_place.ogg"});
    EXPECT_EQ(floor.Tile(5, 5)->m_conveyor->m_sides[1], 1); // joined to its neighbour
    // Dragging over the same tiles again builds and charges nothing.
    EXPECT_EQ(SIM_Placement::LayConveyorPath(path), 0);
    EXPECT_FLOAT_EQ(Cash(), 100000.0f - 50.0f);

    // On a tile a slot covers, the click sells the slot; then it lifts the conveyor.
    EXPECT_TRUE(SIM_Placement::RemoveAt(floor.Tile(6, 5), false));
    EXPECT_EQ(floor.Tile(6, 5)->m_occupant, nullptr);
    EXPECT_NE(floor.Tile(6, 5)->m_conveyor, nullptr);
    EXPECT_FLOAT_EQ(Cash(), 100000.0f - 50.0f + 5.0f);
    EXPECT_TRUE(SIM_Placement::RemoveAt(floor.Tile(6, 5), false));
    EXPECT_EQ(floor.Tile(6, 5)->m_conveyor, nullptr);
    EXPECT_FLOAT_EQ(Cash(), 100000.0f - 50.0f + 10.0f);
    EXPECT_EQ(floor.Tile(5, 5)->m_conveyor->m_sides[1], 0);
    EXPECT_FALSE(SIM_Placement::RemoveAt(floor.Tile(6, 5), false));
    // Refunds are not income.
    EXPECT_FLOAT_EQ(Invested(), 50.0f);
}

TEST_F(PlacementTest, ChainsFollowTheDragAndTurnAtCorners)
{
    Floor floor;
    // East along row 5, then south at x = 4: a right turn seen in the direction of travel.
    const std::vector<SIM_Tile*> path = {floor.Tile(2, 5), floor.Tile(3, 5), floor.Tile(4, 5), floor.Tile(4, 6)};
    EXPECT_EQ(SIM_Placement::PlaceChain(path, 1), 4);
    const struct
    {
        int x, y;
        const char* task;
        int facing;
    } expected[] = {{2, 5, "task_conveyor", 1},
                    {3, 5, "task_conveyor", 1},
                    {4, 5, "task_conveyor_right", 1},
                    {4, 6, "task_conveyor", 2}};
    for (const auto& e : expected)
    {
        const SIM_PlaceableSlot* slot = floor.Tile(e.x, e.y)->m_occupant;
        ASSERT_NE(slot, nullptr) << e.x << "," << e.y;
        EXPECT_EQ(slot->GetTask()->m_name, e.task) << e.x << "," << e.y;
        EXPECT_EQ(slot->GetFacing(), e.facing) << e.x << "," << e.y;
    }
    EXPECT_FLOAT_EQ(Cash(), 100000.0f - 40.0f);
    EXPECT_FLOAT_EQ(Invested(), 40.0f);
    // Chain slots are among those the floor updates: a car standing on one sets it going.
    auto* belt = static_cast<SIM_ProductionSlot*>(floor.Tile(2, 5)->m_occupant);
    SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
    car->SetSlot(belt);
    belt->SetVehicle(car);
    SIM_Game::Instance().GetFactory()->Update([](SIM_PlaceableSlot& slot) { slot.Update(); });
    EXPECT_EQ(belt->GetState(), RUNNING);
    belt->SetVehicle(nullptr);
    SIM_VehicleManager::Instance().DestroyVehicle(car);

    // A one-tile chain between a slot's exit and a slot's input joins them.
    Floor::Bulldoze(floor.Tile(3, 5)->m_occupant);
    const SIM_ProductionTask* joined = nullptr;
    int facing = 0;
    ASSERT_TRUE(SIM_PlacementQueries::AutoConnect(floor.Tile(3, 5), joined, facing));
    EXPECT_EQ(joined->m_name, "task_conveyor");
    EXPECT_EQ(facing, 1);
    EXPECT_EQ(SIM_Placement::PlaceChain({floor.Tile(3, 5)}, 3), 1);
    EXPECT_EQ(floor.Tile(3, 5)->m_occupant->GetFacing(), 1);

    // A chain dragged onto the side of the line's last piece, whose exit leads nowhere yet: the
    // piece keeps its own sides and takes the chain's too.
    EXPECT_EQ(SIM_Placement::PlaceChain({floor.Tile(2, 6), floor.Tile(3, 6), floor.Tile(4, 6)}, 1), 3);
    EXPECT_EQ(floor.Tile(4, 6)->m_occupant->GetTask()->m_name, "task_conveyor_merge");
    EXPECT_EQ(floor.Tile(4, 6)->m_occupant->GetFacing(), 2);
}

TEST_F(PlacementTest, RequiredSubTasksAreLookedForUpstream)
{
    Floor floor;
    const SIM_ProductionTask& engine = *Task("task_fit_engine"); // requires the chassis
    // Nothing feeds the tile: allowed.
    EXPECT_TRUE(SIM_PlacementQueries::CheckRequiredSubTasks(engine, floor.Tile(4, 2), 1));
    // The chassis two tiles west, a plain conveyor between them that is looked through.
    ASSERT_NE(floor.Place("task_fit chassis", 2, 2), nullptr);
    ASSERT_NE(floor.Place("task_conveyor", 3, 2), nullptr);
    EXPECT_TRUE(SIM_PlacementQueries::CheckRequiredSubTasks(engine, floor.Tile(4, 2), 1));
    EXPECT_TRUE(SIM_PlacementQueries::InputsConnect(engine, floor.Tile(4, 2), 1));
    EXPECT_TRUE(SIM_PlacementQueries::IsSlotGhostValid(engine, floor.Tile(4, 2), 1));
    // Turned round, the engine's exit meets the conveyor, which takes nothing from it: red.
    EXPECT_FALSE(SIM_PlacementQueries::ExitsConnect(engine, floor.Tile(4, 2), 3));
    EXPECT_FALSE(SIM_PlacementQueries::IsSlotGhostValid(engine, floor.Tile(4, 2), 3));
    // Fed by a station that applies something else: refused.
    ASSERT_NE(floor.Place("task_paint_undercoat", 2, 4), nullptr);
    EXPECT_FALSE(SIM_PlacementQueries::CheckRequiredSubTasks(engine, floor.Tile(3, 4), 1));
    EXPECT_FALSE(SIM_PlacementQueries::CanPlaceSlotNow(engine, floor.Tile(3, 4), 1));
}

TEST_F(PlacementTest, ALongLineIsSearchedBackToTheStationThatAppliesTheRequiredStep)
{
    Floor floor;
    // Chassis, undercoat, seats and a conveyor: whatever stands at the end has had the chassis
    // fitted further up, though the station just before it applies something else.
    const char* line[] = {"task_fit chassis", "task_paint_undercoat", "task_seats", "task_conveyor"};
    for (int x = 1; x <= 4; ++x)
        ASSERT_NE(floor.Place(line[x - 1], x, 6), nullptr) << line[x - 1];
    const SIM_ProductionTask& engine = *Task("task_fit_engine");
    const SIM_ProductionTask& finish = *Task("task_paint_finish"); // requires the undercoat
    EXPECT_TRUE(SIM_PlacementQueries::CheckRequiredSubTasks(engine, floor.Tile(5, 6), 1));
    EXPECT_TRUE(SIM_PlacementQueries::CanPlaceSlotNow(finish, floor.Tile(5, 6), 1));

    // A line of stations none of which fits the chassis still refuses the engine.
    ASSERT_NE(floor.Place("task_seats", 1, 0), nullptr);
    ASSERT_NE(floor.Place("task_turbo", 2, 0), nullptr);
    ASSERT_NE(floor.Place("task_conveyor", 3, 0), nullptr);
    EXPECT_FALSE(SIM_PlacementQueries::CheckRequiredSubTasks(engine, floor.Tile(4, 0), 1));
}
} // namespace
