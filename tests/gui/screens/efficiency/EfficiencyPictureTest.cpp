// The efficiency screen drawn by OpenGL over a factory on a shipped mission that ran for 12 game
// hours at the fastest speed, its line lengthened after four hours so the bands change on the way;
// compared with tests/gui/screens/efficiency/reference. With FV_WRITE_REFERENCES=1 in the
// environment the picture is written instead.
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "gui/screens/efficiency/GUI_EfficiencyDialog.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SIM_Placement.h"

#include <vector>

#include <gtest/gtest.h>

namespace
{
class EfficiencyPicture : public FactoryPictureTest
{
protected:
    // The screen is the dialog's width, so the whole picture is the dialog.
    int ViewWidth() const override { return 1000; }
    int ViewHeight() const override { return 560; }
    void SetUp() override
    {
        FactoryPictureTest::SetUp();
        if (IsSkipped())
            return;
        GScreenSize::Set(ViewWidth(), ViewHeight());
        InitPieChartColours();
    }
};

// Game time passes at 4x in steps of 50 ms of real time until the hour.
void RunUntilHour(int hour)
{
    SIM_Game& game = SIM_Game::Instance();
    while (game.GetCurrentHour() < hour)
    {
        PClock::AdvanceManual(50000000ull);
        game.Update();
    }
}
} // namespace

TEST_F(EfficiencyPicture, AFactoryAfterTwelveHours)
{
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    SIM_Game::Instance().SetSpeed(4.0f);
    // A line of stations along row 10 fed by the import bay at (1, 5) through an overhead
    // conveyor down column 1, along row 12 and under the stockpiles on row 11; cars leave by the
    // exporter at (20, 10). Half the stations go in at first, the rest after four hours.
    const char* const stations[] = {"task_fit chassis",   "task_mount_axles", "task_fit_wheels", "task_fit_engine",
                                    "task_fit_fuel_tank", "task_fit_body",    "task_fit_doors",  "task_fit_wiring"};
    ASSERT_NE(m_world.Place("task_resource_importer", 1, 5), nullptr);
    auto path = [this](int x0, int y0, int x1, int y1) {
        std::vector<SIM_Tile*> tiles;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                tiles.push_back(m_world.Tile(x, y));
        return tiles;
    };
    SIM_Placement::LayConveyorPath(path(1, 5, 1, 12));
    SIM_Placement::LayConveyorPath(path(1, 12, 11, 12));
    SIM_Placement::LayConveyorPath(path(4, 11, 11, 11));
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(m_world.Place(stations[i], 4 + i, 10), nullptr) << stations[i];
    for (int x = 8; x < 20; ++x)
        ASSERT_NE(m_world.Place("task_conveyor", x, 10), nullptr) << x;
    ASSERT_NE(m_world.Place("task_export", 20, 10), nullptr);
    RunUntilHour(4);
    for (int i = 4; i < 8; ++i)
    {
        ASSERT_TRUE(SIM_Placement::RemoveAt(m_world.Tile(4 + i, 10), false));
        ASSERT_NE(m_world.Place(stations[i], 4 + i, 10), nullptr) << stations[i];
    }
    RunUntilHour(12);
    ASSERT_TRUE(SIM_Efficiency::Instance().samples[0].valid);

    GUI_EfficiencyDialog::Open();
    GD3DDevice::Instance().GetDevice()->Clear(0xFF1B1B1Bu);
    GUI_WindowManager::Instance().Draw();
    CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/screens/efficiency/reference/efficiency.png");
}
