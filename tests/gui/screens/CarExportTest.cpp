// A running factory makes a car with a new set of features: the car reaches the export inside the
// vehicles job on a worker thread, and the new-design dialog opens on the main thread once the
// main thread applies what the job reported, with that very car held for the stock.
#include "CarScreensTestSupport.h"
#include "gui/toolkit/ToolkitTestSupport.h"

#include "gui/screens/cars/GUI_CarScreens.h"
#include "gui/screens/cars/GUI_NewDesign.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "tests/sim/SlotsTestFloor.h"

#include <thread>

namespace
{
// The car screens, noting the thread that opened the dialog.
class ThreadNotingScreens : public GUI_CarScreens
{
public:
    void ShowNewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car) override
    {
        openedOn = std::this_thread::get_id();
        GUI_CarScreens::ShowNewDesign(design, car);
    }
    std::thread::id openedOn;
};

} // namespace

// The fixture stays outside the anonymous namespace: its tests derive from it.
class CarExport : public ToolkitTest
{
protected:
    void TearDown() override
    {
        GUI_WindowManager::Instance().CloseAll();
        SIM_Presentation::Instance().DiscardPosted();
        SIM_Presentation::Instance().SetListener(nullptr);
        ToolkitTest::TearDown();
    }
};

TEST_F(CarExport, ACarExportedOnAWorkerOpensTheDialogOnTheMainThread)
{
    ThreadNotingScreens screens;
    slotstest::Floor floor;
    SIM_Presentation::Instance().SetListener(&screens);
    // The export's far side lies outside the hall.
    ASSERT_NE(floor.Place("task_fit chassis", 7, 3), nullptr);
    ASSERT_NE(floor.Place("task_fit_engine", 8, 3), nullptr);
    ASSERT_NE(floor.Place("task_conveyor", 9, 3), nullptr);
    SIM_ProductionSlot* exporter = floor.Place("task_export", 10, 3);
    ASSERT_NE(exporter, nullptr);

    // Run the factory until the first car is on its way into the export.
    SIM_Vehicle* car = nullptr;
    auto onItsWay = [&] {
        SIM_Presentation::Instance().ApplyPosted();
        for (SIM_Vehicle* candidate : SIM_VehicleManager::Instance().GetVehicles())
            if (candidate->GetSlot() == exporter && candidate->GetState() == SIM_Vehicle::MOVING)
                car = candidate;
        return car != nullptr;
    };
    ASSERT_TRUE(floor.StepUntil(onItsWay, 5000, 20));
    ASSERT_EQ(GUI_NewDesign::GetOpen(), nullptr);
    // An export laid as a belt takes the car as it rolls in, inside the vehicles job.
    SIM_ProductionTask* exportTask = SIM_ProductionTaskManager::Instance().GetTask("task_export");
    ASSERT_NE(exportTask, nullptr);
    exportTask->m_isConveyor = true;
    const size_t designsBefore = SIM_VehicleDesignManager::Instance().GetDesigns().size();

    // The vehicles job on a worker: the car arrives and is exported there.
    std::thread worker(
        [] { SIM_VehicleManager::Instance().ProcessFrame(5000.0f, 1.0f, SIM_Game::Instance().GetFactory()); });
    worker.join();
    EXPECT_EQ(SIM_VehicleDesignManager::Instance().GetDesigns().size(), designsBefore + 1);
    EXPECT_EQ(GUI_NewDesign::GetOpen(), nullptr) << "no window was made on the worker";
    EXPECT_TRUE(SIM_VehicleManager::Instance().IsHeld(car));

    SIM_Presentation::Instance().ApplyPosted();
    GUI_NewDesign* dialog = GUI_NewDesign::GetOpen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(screens.openedOn, std::this_thread::get_id());
    EXPECT_EQ(dialog->GetVehicle(), car);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f);

    // The car drives off the floor and is still there for the stock when the player saves.
    SIM_VehicleManager::Instance().ProcessFrame(2000.0f, 1.0f, SIM_Game::Instance().GetFactory());
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(SIM_VehicleManager::Instance().GetHeldOffFloorCount(), 1u);
    ASSERT_EQ(GUI_NewDesign::GetOpen(), dialog);
    SIM_VehicleDesign* design = dialog->GetDesign();
    dialog->GetNameEdit()->SetText("First Light");
    EXPECT_TRUE(dialog->Save());
    EXPECT_EQ(design->m_name, "First Light");
    EXPECT_EQ(SIM_SalesManager::Instance().GetStockCount(design), 1);
    EXPECT_EQ(SIM_VehicleManager::Instance().GetHeldOffFloorCount(), 0u);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 1.0f);
    exportTask->m_isConveyor = false;
}
