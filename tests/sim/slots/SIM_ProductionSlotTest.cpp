// Production slots on small hand-made floors: component stations, car chains, sub-tasks.
#include <gtest/gtest.h>

#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/slots/SIM_Employee.h"
#include "sim/slots/SIM_EmployeeManager.h"
#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SubTask.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "tests/sim/SlotsTestFloor.h"

#include "sim/slots/SIM_Placement.h"

using slotstest::Floor;

namespace
{
int HeldComponents(SIM_ProductionSlot* slot)
{
    return static_cast<int>(slot->GetOutputStockpile()->Held().size());
}

std::vector<std::string> FeatureNames(const std::vector<SIM_VehicleFeatureRecord*>& records)
{
    std::vector<std::string> names;
    for (const SIM_VehicleFeatureRecord* record : records)
        names.push_back(record->feature->GetName());
    return names;
}
} // namespace

TEST(ProductionSlot, ComponentStationFillsItsOutputThenRestartsWhenAPlaceFrees)
{
    Floor floor;
    SIM_ProductionSlot* bolts = floor.Place("comp_bolts", 3, 3);
    ASSERT_NE(bolts, nullptr);
    ASSERT_NE(bolts->GetOutputStockpile(), nullptr);

    ASSERT_TRUE(floor.StepUntil([&] { return bolts->GetState() == NO_EXPORT_ROOM; }, 4000, 50));
    EXPECT_EQ(HeldComponents(bolts), 16);
    EXPECT_FALSE(bolts->IsBusy());

    // A buyer takes one component: on its next update the station runs again at once.
    SIM_Resource* resource = SIM_ResourceManager::Instance().GetResource("bolts");
    ASSERT_NE(bolts->GetOutputStockpile()->TakeResource(resource), nullptr);
    ASSERT_TRUE(floor.StepUntil([&] { return bolts->GetState() != NO_EXPORT_ROOM; }, 40));
    EXPECT_EQ(bolts->GetState(), RUNNING);
    EXPECT_TRUE(bolts->IsBusy());
}

TEST(ProductionSlot, ComponentStationWithoutOutputNeverStarts)
{
    Floor floor;
    const int inUse = SIM_ResourceObjManager::Instance().CountInUse();
    SIM_ProductionSlot* slot = floor.Place("comp_nooutput", 3, 3);
    ASSERT_NE(slot, nullptr);
    floor.Step(30);
    EXPECT_EQ(slot->GetState(), NO_EXPORT_ROOM);
    EXPECT_EQ(SIM_ResourceObjManager::Instance().CountInUse(), inUse);
}

TEST(ProductionSlot, StationWithoutCarWaitsForOne)
{
    Floor floor;
    SIM_ProductionSlot* engine = floor.Place("task_fit_engine", 4, 3);
    ASSERT_NE(engine, nullptr);
    floor.Step(12);
    EXPECT_EQ(engine->GetState(), INSUFFICIENT_VEHICLE);
    EXPECT_EQ(engine->GetVehicle(), nullptr);
    // The change was recorded once, not once per update.
    const SIM_SlotStateHistory* history = engine->GetStateHistory();
    int valid = 0;
    for (int i = 0; i < SIM_SlotStateHistory::kEntryCount; ++i)
        valid += history->GetEntry(i).valid;
    EXPECT_EQ(valid, 1);
}

TEST(ProductionSlot, ChainBuildsCarsFirstMakesADesignSecondIsStocked)
{
    Floor floor;
    ASSERT_NE(floor.Place("task_fit chassis", 1, 3), nullptr);
    ASSERT_NE(floor.Place("task_fit_engine", 2, 3), nullptr);
    ASSERT_NE(floor.Place("task_conveyor", 3, 3), nullptr);
    ASSERT_NE(floor.Place("task_paint_undercoat", 4, 3), nullptr);
    ASSERT_NE(floor.Place("task_paint_finish", 5, 3), nullptr);
    for (int x = 6; x <= 9; ++x)
        ASSERT_NE(floor.Place("task_conveyor", x, 3), nullptr);
    SIM_ProductionSlot* exporter = floor.Place("task_export", 10, 3);
    ASSERT_NE(exporter, nullptr);

    SIM_VehicleDesignManager& designs = SIM_VehicleDesignManager::Instance();
    ASSERT_TRUE(floor.StepUntil([&] { return !designs.GetDesigns().empty(); }, 5000, 20));
    ASSERT_EQ(designs.GetDesigns().size(), 1u);
    SIM_VehicleDesign* design = designs.GetDesigns()[0];
    std::vector<std::string> features = FeatureNames(design->m_featureRecords);
    std::sort(features.begin(), features.end());
    EXPECT_EQ(features, (std::vector<std::string>{"feat_chassis", "feat_engine", "feat_paint", "feat_primer"}));
    ASSERT_EQ(design->m_componentTypes.size(), 3u);
    EXPECT_EQ(design->m_componentTypes[0]->GetName(), "chassis");
    EXPECT_EQ(design->m_componentTypes[2]->GetName(), "engine");
    // The first car of the configuration made the design and was not stocked.
    EXPECT_TRUE(SIM_SalesManager::Instance().GetStock().empty());

    ASSERT_TRUE(floor.StepUntil([&] { return !SIM_SalesManager::Instance().GetStock().empty(); }, 5000, 20));
    EXPECT_EQ(designs.GetDesigns().size(), 1u);
    EXPECT_EQ(SIM_SalesManager::Instance().GetStock()[0]->design, design);
    EXPECT_EQ(SIM_SalesManager::Instance().GetStock()[0]->count, 1);

    // Cars that left the floor are deleted; the rest are on the line.
    for (const SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
        EXPECT_NE(car->GetState(), SIM_Vehicle::GONE);
}

TEST(ProductionSlot, PaintStationsColourTheCar)
{
    Floor floor;
    SIM_ProductionSlot* chassis = floor.Place("task_fit chassis", 1, 3);
    SIM_ProductionSlot* undercoat = floor.Place("task_paint_undercoat", 2, 3);
    SIM_ProductionSlot* finish = floor.Place("task_paint_finish", 3, 3);
    ASSERT_TRUE(chassis && undercoat && finish);

    ASSERT_TRUE(floor.StepUntil([&] { return finish->GetVehicle() != nullptr; }, 3000, 20));
    SIM_Vehicle* car = finish->GetVehicle();
    EXPECT_EQ(car->GetColor()[0], 128);
    EXPECT_EQ(car->GetColor()[1], 128);
    EXPECT_EQ(car->GetColor()[2], 128);
    ASSERT_TRUE(floor.StepUntil([&] { return finish->GetState() == WAITING_FOR_EXPORT; }, 3000, 20));
    const int r = car->GetColor()[0];
    EXPECT_TRUE(r == 200 || r == 30) << r;
    for (const auto& component : car->GetComponents())
        EXPECT_EQ(component->GetColor()[0], r);
    // With nowhere to go the car stays and the station keeps waiting.
    floor.Step(50, 20);
    EXPECT_EQ(finish->GetState(), WAITING_FOR_EXPORT);
    EXPECT_EQ(finish->GetVehicle(), car);
}

TEST(ProductionSlot, OptionalSubTaskRunsOnlyWhenSwitchedOn)
{
    Floor floor;
    SIM_ProductionSlot* interior = floor.Place("task_interior", 3, 3);
    ASSERT_NE(interior, nullptr);
    ASSERT_EQ(interior->GetSubTasks().size(), 1u);
    EXPECT_EQ(interior->GetSubTasks()[0]->task->GetName(), "task_seats");
    interior->SetOption(true, "task_turbo");
    ASSERT_EQ(interior->GetSubTasks().size(), 2u);
    EXPECT_EQ(interior->GetSubTasks()[1]->task->GetName(), "task_turbo");
    interior->SetOption(true, "task_turbo");
    EXPECT_EQ(interior->GetOptions().size(), 1u);
    interior->SetOption(false, "task_turbo");
    EXPECT_EQ(interior->GetSubTasks().size(), 1u);

    // A task whose applied list is empty has itself as its one sub-task.
    SIM_ProductionSlot* exporter = floor.Place("task_export", 6, 3);
    ASSERT_EQ(exporter->GetSubTasks().size(), 1u);
    EXPECT_EQ(exporter->GetSubTasks()[0]->task, exporter->GetProductionTask());
    EXPECT_EQ(exporter->GetCurrentSubTaskIndex(), 0);

    // A step that names no task is left out, not run as nothing.
    SIM_ProductionSlot* patchy = floor.Place("task_patchy", 8, 3);
    ASSERT_NE(patchy, nullptr);
    ASSERT_EQ(patchy->GetSubTasks().size(), 1u);
    EXPECT_EQ(patchy->GetSubTasks()[0]->task->GetName(), "task_seats");
}

TEST(ProductionSlot, UpdateCounterStartsSomewhereInTheFirstTenTicks)
{
    Floor floor;
    for (int i = 0; i < 20; ++i)
    {
        SIM_ProductionSlot* slot = floor.Place("task_fit_engine", i % 10, 1 + i / 10);
        ASSERT_NE(slot, nullptr);
        EXPECT_GE(slot->GetUpdateCounter(), 0);
        EXPECT_LE(slot->GetUpdateCounter(), 9);
    }
}

TEST(ProductionSlot, RemovingAStationFreesItsTilesStaffAndCar)
{
    Floor floor;
    SIM_ProductionSlot* chassis = floor.Place("task_fit chassis", 2, 3);
    ASSERT_NE(chassis, nullptr);
    ASSERT_TRUE(floor.StepUntil([&] { return chassis->GetVehicle() != nullptr; }, 50));
    EXPECT_EQ(SIM_VehicleManager::Instance().GetVehicles().size(), 1u);
    EXPECT_EQ(SIM_EmployeeManager::Instance().GetEmployees().size(), 1u);
    EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), 1u);

    Floor::Bulldoze(chassis);
    EXPECT_EQ(floor.Tile(2, 3)->m_occupant, nullptr);
    EXPECT_FALSE(floor.Tile(2, 3)->m_builtOn);
    EXPECT_TRUE(SIM_VehicleManager::Instance().GetVehicles().empty());
    EXPECT_TRUE(SIM_EmployeeManager::Instance().GetEmployees().empty());
    EXPECT_TRUE(SlotQueries::Instance().GetAllSlots().empty());
    floor.Step(20);
}

TEST(ProductionSlot, PlacementRefusesOccupiedOrMissingTiles)
{
    Floor floor;
    ASSERT_NE(floor.Place("comp_bolts", 3, 3), nullptr);
    // Its export tile lies at (3, 2): a second station there does not fit.
    EXPECT_EQ(floor.Place("task_fit_engine", 3, 2), nullptr);
    // Facing 1 puts the export tile at y - 1: off the floor at y = 0.
    EXPECT_EQ(floor.Place("comp_bolts", 5, 0), nullptr);
    EXPECT_EQ(SlotQueries::Instance().GetAllSlots().size(), 1u);
    EXPECT_EQ(floor.Tile(5, 0)->m_occupant, nullptr);
}

TEST(ProductionSlot, StationNeedingResourcesWaitsForARouteThenWorksOnWhatArrives)
{
    Floor floor;
    SIM_ProductionSlot* chassis = floor.Place("task_fit chassis", 2, 3);
    SIM_ProductionSlot* panels = floor.Place("task_fit_panels", 3, 3); // stockpile at (3,4), 2 steel a car
    ASSERT_TRUE(chassis && panels && panels->GetInputStockpile());
    ASSERT_TRUE(floor.StepUntil([&] { return panels->GetState() == NOROUTE_TO_RESOURCES; }, 40));

    // Overhead conveyors from an import bay at the floor's edge to the stockpile tile.
    for (int x = 0; x <= 3; ++x)
        SIM_Placement::LayConveyor(floor.Tile(x, 4), 1, false);
    ASSERT_NE(floor.Place("task_resource_importer", 0, 4), nullptr);
    SIM_Placement::ConveyorsChanged();

    ASSERT_TRUE(floor.StepUntil([&] { return panels->GetState() == WAITING_FOR_EXPORT; }, 6000));
    EXPECT_TRUE(panels->GetVehicle()->HasAppliedTask("task_fit_panels"));
    EXPECT_GT(SIM_FinanceRecord::Instance().GetTotal(-1, FC_RAW_MATERIALS), 0.0f);
}

TEST(ProductionSlot, RestoredCarResumesAtTheFirstStepItHasNotHad)
{
    Floor floor;
    SIM_ProductionSlot* interior = floor.Place("task_interior", 3, 3);
    ASSERT_NE(interior, nullptr);
    interior->SetOption(true, "task_turbo");
    ASSERT_EQ(interior->GetSubTasks().size(), 2u);

    struct Case
    {
        std::vector<const char*> applied;
        int expected;
    };
    const Case cases[] = {{{}, 0}, {{"task_seats"}, 1}, {{"task_seats", "task_turbo"}, 0}, {{"task_turbo"}, 0}};
    for (const Case& c : cases)
    {
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        for (const char* name : c.applied)
            car->AddAppliedTask(name);
        car->SetSlot(interior);
        interior->SetVehicle(car);
        interior->RestoreCurrentSubTask();
        EXPECT_EQ(interior->GetCurrentSubTaskIndex(), c.expected) << c.applied.size();
        interior->SetVehicle(nullptr);
        SIM_VehicleManager::Instance().DestroyVehicle(car);
    }
}

TEST(ProductionSlot, ResetDeletesCarsOnTheirWayOut)
{
    {
        Floor floor;
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        car->SetState(SIM_Vehicle::LEAVING);
        ASSERT_EQ(SIM_VehicleManager::Instance().GetVehicles().size(), 1u);
    }
    EXPECT_TRUE(SIM_VehicleManager::Instance().GetVehicles().empty());
}
