// The efficiency screen drawn by OpenGL over a factory on a shipped mission that ran for 12 game
// hours at the fastest speed, a station added every few hours so the bands change on the way;
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
    // A running-gear station with nothing to wait for, then stations with no route to any
    // resource.
    ASSERT_NE(m_world.Place("task_running_gear", 4, 4), nullptr);
    RunUntilHour(3);
    ASSERT_NE(m_world.Place("task_fit_body", 8, 4), nullptr);
    ASSERT_NE(m_world.Place("task_fit_wheels", 12, 4), nullptr);
    RunUntilHour(4);
    ASSERT_NE(m_world.Place("task_make_axles", 4, 10), nullptr);
    RunUntilHour(8);
    ASSERT_NE(m_world.Place("task_make_engine", 8, 10), nullptr);
    ASSERT_NE(m_world.Place("task_fit_engine", 16, 4), nullptr);
    RunUntilHour(12);
    ASSERT_TRUE(SIM_Efficiency::Instance().samples[0].valid);

    GUI_EfficiencyDialog::Open();
    GD3DDevice::Instance().GetDevice()->Clear(0xFF1B1B1Bu);
    GUI_WindowManager::Instance().Draw();
    CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/screens/efficiency/reference/efficiency.png");
}
