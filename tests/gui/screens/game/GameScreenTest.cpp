// The game screen: the frame clock, the top bar's texts and places, the speed highlight, the order
// in which clicks and keys reach windows, tools and the view, the hot keys, and the lost game.
#include "tests/gui/toolkit/ToolkitTestSupport.h"

#include "engine/GScreenSize.h"
#include "gui/screens/game/GUI_Clock.h"
#include "gui/screens/game/GUI_Finances.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GameOver.h"
#include "gui/screens/game/GUI_GamePlacers.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/game/GUI_InGameMenu.h"
#include "gui/screens/game/GUI_Interface.h"
#include "gui/screens/game/GUI_PowerGauge.h"
#include "gui/screens/game/GUI_SpeedControls.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PWindowMessage.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/money/SIM_FinanceManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
// Tools that write down what reaches them and answer as the test says.
class RecordingPlacers : public GUI_GamePlacers
{
public:
    bool OnLeftDown() override
    {
        calls.push_back("tools-left");
        return takeLeft;
    }
    bool OnRightDown() override
    {
        calls.push_back("tools-right");
        return takeRight;
    }
    bool OnEscape() override
    {
        calls.push_back("tools-escape");
        return takeEscape;
    }
    void RotatePlacers() override { calls.push_back("rotate"); }
    void CancelAll() override { calls.push_back("cancel"); }
    std::vector<std::string> calls;
    bool takeLeft = false;
    bool takeRight = false;
    bool takeEscape = false;
};

// The windows as the game's services hand clicks to them, written down on the way.
class RoutingServices : public ToolkitTestServices
{
public:
    explicit RoutingServices(std::vector<std::string>& log) : m_log(log) {}
    bool WindowsLeftDown() override
    {
        m_log.push_back("windows-left");
        return GUI_WindowManager::Instance().OnClick();
    }
    bool WindowsRightDown() override
    {
        m_log.push_back("windows-right");
        return GUI_WindowManager::Instance().OnRightClick();
    }

private:
    std::vector<std::string>& m_log;
};

class GameScreen : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        GScreenSize::Set(1280, 768);
        GUI_Sounds::Instance().SetMuted(true);
        GGameServices::Install(&m_services);
        GUI_GamePlacers::Install(&m_placers);
        SIM_Presentation::Instance().SetListener(&GUI_GamePresentation::Instance());
        SIM_Game::Instance().SetSpeed(1.0f);
        SIM_FinanceManager::Instance().StartGameWithCash(1000.0f);
    }
    void TearDown() override
    {
        GUI_Game::Instance().Exit();
        SIM_Presentation::Instance().DiscardPosted();
        SIM_Presentation::Instance().SetListener(nullptr);
        GUI_GamePlacers::Install(nullptr);
        SIM_Game::Instance().SetSpeed(1.0f);
        GUI_Sounds::Instance().SetMuted(false);
        ToolkitTest::TearDown();
    }
    int DialogCount() const
    {
        int count = 0;
        for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
            count += window->IsDialog() && !window->IsClosing() ? 1 : 0;
        return count;
    }

    RecordingPlacers m_placers;
    RoutingServices m_services{m_placers.calls};
};
} // namespace

TEST(GameScreenFrame, FrameFactorIsTheFrameInSixtiethsHeldBetweenATenthAndFour)
{
    EXPECT_FLOAT_EQ(GUI_Game::FrameFactorFor(1.0), 0.1f);
    EXPECT_FLOAT_EQ(GUI_Game::FrameFactorFor(200.0), 4.0f);
    EXPECT_FLOAT_EQ(GUI_Game::FrameFactorFor(16.666666), 1.0f);
    EXPECT_FLOAT_EQ(GUI_Game::FrameFactorFor(33.333332), 2.0f);
    EXPECT_FLOAT_EQ(GUI_Game::FrameFactorFor(-5.0), 0.1f);
}

TEST(GameScreenTexts, CashPowerAndClockReadAsThePlayerExpects)
{
    struct Cash
    {
        float cash;
        const char* text;
    };
    for (const Cash& c :
         {Cash{0.0f, "$0"}, Cash{-0.9f, "$0"}, Cash{1000000.0f, "$1,000,000"}, Cash{1234.9f, "$1,234"},
          Cash{-1234.9f, "$-1,234"}, Cash{3.0e9f, "$3,000,000,000"}, Cash{1.0e30f, "$9,223,372,036,854,775,807"}})
        EXPECT_EQ(GUI_Finances::CashText(c.cash), c.text) << c.cash;

    EXPECT_EQ(GUI_PowerGauge::GaugeText(1200.0f, 850.0f), "1,200/850");
    EXPECT_EQ(GUI_PowerGauge::GaugeText(0.0f, 1.0f), "0/1");

    EXPECT_EQ(GUI_Clock::ClockText(7, 5.0f / 60.0f + 0.001f), "07:05");
    EXPECT_EQ(GUI_Clock::ClockText(26, 0.5f), "02:30");
    EXPECT_EQ(GUI_Clock::ClockText(0, 1.0f), "00:59");

    EXPECT_EQ(GUI_InGameMenu::ResearchTooltip("Engine Line", 30.0f, 120.0f), "Engine Line (25%)");
    EXPECT_EQ(GUI_InGameMenu::ResearchTooltip("Free", 0.0f, 0.0f), "Free (100%)");
}

TEST_F(GameScreen, TopBarGaugesHangFromTheRightEdgeAt1280)
{
    UseScreen(1280, 768);
    GUI_Game::Instance().Enter();
    const GUI_Interface* bar = GUI_Interface::GetOpen();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetLeft(), 656);
    EXPECT_EQ(bar->GetRight(), 1280);
    EXPECT_EQ(bar->GetCash()->GetLeft(), 1115);
    EXPECT_EQ(bar->GetCash()->GetRight(), 1275);
    EXPECT_EQ(bar->GetPower()->GetLeft(), 950);
    EXPECT_EQ(bar->GetSpeed()->GetLeft(), 761);
    EXPECT_EQ(bar->GetSpeed()->GetRight(), 945);
    EXPECT_EQ(bar->GetClock()->GetLeft(), 656);
    EXPECT_EQ(bar->GetClock()->GetRight(), 756);
    EXPECT_EQ(bar->GetMenu()->GetRight(), 356);
    EXPECT_EQ(bar->GetCash()->GetText(), "$1,000");

    // Power reaches the gauge through the simulation's call; the field turns red when short.
    SIM_Presentation::Instance().Listener().UpdatePowerGauge(0.0f, 1.0f);
    EXPECT_TRUE(bar->GetPower()->IsOverCapacity());
    SIM_Presentation::Instance().Listener().UpdatePowerGauge(1200.0f, 850.0f);
    EXPECT_EQ(bar->GetPower()->GetText(), "1,200/850");
    EXPECT_FALSE(bar->GetPower()->IsOverCapacity());
    Frame();

    // Six-digit figures keep to the 100 pixels beside the icon, and still read whole.
    m_rec->textCheck.enabled = true;
    m_rec->textCheck.Clear();
    SIM_Presentation::Instance().Listener().UpdatePowerGauge(999999.0f, 999999.0f);
    Frame();
    EXPECT_TRUE(m_rec->textCheck.findings.empty()) << m_rec->textCheck.Describe().front();
    const std::vector<std::string>& printed = m_rec->textCheck.printed;
    EXPECT_NE(std::find(printed.begin(), printed.end(), "999,999/999,999"), printed.end());

    // So does the cash at the largest debt a save can hold.
    m_rec->textCheck.Clear();
    SIM_FinanceManager::Instance().RestoreCash(-999999995904.0f);
    bar->GetCash()->UpdateCashText();
    Frame();
    EXPECT_TRUE(m_rec->textCheck.findings.empty()) << m_rec->textCheck.Describe().front();
    EXPECT_NE(std::find(printed.begin(), printed.end(), "$-999,999,995,904"), printed.end());
}

TEST_F(GameScreen, HighlightedSpeedButtonFollowsEveryChange)
{
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    GUI_SpeedControls* speed = GUI_SpeedControls::GetOpen();
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->GetHighlighted(), GUI_SpeedControls::SPEED_1X);
    game.OnChar('3');
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 4.0f);
    EXPECT_EQ(SIM_Game::Instance().HourTimer().GetTimeScale(), 4.0f);
    EXPECT_EQ(speed->GetHighlighted(), GUI_SpeedControls::SPEED_4X);
    game.OnChar(' ');
    EXPECT_EQ(speed->GetHighlighted(), GUI_SpeedControls::PAUSE);
    game.OnChar(' ');
    EXPECT_EQ(speed->GetHighlighted(), GUI_SpeedControls::SPEED_4X);
    GUI_SpeedControls::OnSpeedButton(GUI_SpeedControls::SPEED_2X);
    EXPECT_EQ(speed->GetHighlighted(), GUI_SpeedControls::SPEED_2X);
    GUI_SpeedControls::OnSpeedButton(GUI_SpeedControls::PAUSE);
    EXPECT_EQ(speed->GetHighlighted(), GUI_SpeedControls::PAUSE);
    SIM_Game::Instance().TogglePause();
    EXPECT_EQ(speed->GetHighlighted(), GUI_SpeedControls::SPEED_2X);
    SIM_Game::Instance().SetSpeed(3.0f);
    GUI_SpeedControls::SyncIfOpen();
    EXPECT_EQ(speed->GetHighlighted(), -1);
}

TEST_F(GameScreen, ClicksReachWindowsThenToolsThenTheView)
{
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    m_placers.calls.clear();
    m_world.input.MoveTo(300.0f, 400.0f);

    game.OnLeftDown();
    EXPECT_EQ(m_placers.calls, (std::vector<std::string>{"windows-left", "tools-left"}));

    // Over the top bar's clock the bar takes the click and the tools never see it.
    m_placers.calls.clear();
    m_world.input.MoveTo(700.0f, 20.0f);
    Frame();
    game.OnLeftDown();
    EXPECT_EQ(m_placers.calls, (std::vector<std::string>{"windows-left"}));

    // A tool in use takes the whole right click: no window is asked.
    m_placers.calls.clear();
    m_placers.takeRight = true;
    game.OnRightDown();
    EXPECT_EQ(m_placers.calls, (std::vector<std::string>{"tools-right"}));
    m_placers.calls.clear();
    m_placers.takeRight = false;
    game.OnRightDown();
    EXPECT_EQ(m_placers.calls, (std::vector<std::string>{"tools-right", "windows-right"}));

    m_placers.calls.clear();
    game.OnMiddleDown();
    game.OnChar('r');
    EXPECT_EQ(m_placers.calls, (std::vector<std::string>{"rotate", "rotate"}));
}

TEST_F(GameScreen, EscapeDropsAWaitingSlotBeforeItClosesADialog)
{
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    GUI_ConfirmDialog::Open([] {}, "CONFIRM_MAINMENU_TITLE", "CONFIRM_MAINMENU_TEXT");
    ASSERT_EQ(DialogCount(), 1);
    m_placers.takeEscape = true;
    game.OnKeyDown(PVK_ESCAPE);
    EXPECT_EQ(DialogCount(), 1);
    m_placers.takeEscape = false;
    game.OnKeyDown(PVK_ESCAPE);
    EXPECT_EQ(DialogCount(), 0);
}

TEST_F(GameScreen, HotKeysRestWhileAModalWindowIsOpen)
{
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    GUI_ConfirmDialog::Open([] {}, "CONFIRM_MAINMENU_TITLE", "CONFIRM_MAINMENU_TEXT");
    ASSERT_TRUE(GUI_WindowManager::Instance().HasModal());
    m_placers.calls.clear();
    game.OnChar('2');
    game.OnChar(' ');
    game.OnChar('R');
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 1.0f);
    EXPECT_TRUE(m_placers.calls.empty());
    // Zoom keys are not hot keys and still work.
    GUI_Camera::Instance().SetZoom(0.5f);
    game.OnKeyDown(PVK_PRIOR);
    EXPECT_FLOAT_EQ(GUI_Camera::Instance().GetZoom(), 0.5625f);
    GUI_ConfirmDialog::GetOpen()->Close();
    Frame();
    game.OnChar('2');
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 2.0f);
}

TEST_F(GameScreen, CashAtZeroLosesTheGameWhichEscapeCannotUndo)
{
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    SIM_Game::Instance().SetSpeed(4.0f);
    SIM_FinanceManager::Instance().Pay(999.5f, 0);
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(GUI_GameOver::GetOpen(), nullptr);
    EXPECT_EQ(GUI_Interface::GetOpen()->GetCash()->GetText(), "$0");
    SIM_FinanceManager::Instance().Pay(0.5f, 0);
    SIM_Presentation::Instance().ApplyPosted();
    ASSERT_NE(GUI_GameOver::GetOpen(), nullptr);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f);
    EXPECT_EQ(GUI_SpeedControls::GetOpen()->GetHighlighted(), GUI_SpeedControls::PAUSE);

    game.OnKeyDown(PVK_ESCAPE);
    game.OnChar(' ');
    Frame();
    EXPECT_NE(GUI_GameOver::GetOpen(), nullptr);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f);
}

TEST_F(GameScreen, EndingTheGameClosesEveryGameWindowWithTheSoundOff)
{
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    GUI_Sounds::Instance().SetMuted(false);
    GUI_GameOver::Show();
    ASSERT_NE(GUI_Interface::GetOpen(), nullptr);
    GUI_GameOver::OnOk();
    Frame();
    EXPECT_EQ(GUI_Interface::GetOpen(), nullptr);
    EXPECT_EQ(GUI_SpeedControls::GetOpen(), nullptr);
    EXPECT_EQ(GUI_GameOver::GetOpen(), nullptr);
    EXPECT_EQ(DialogCount(), 0);
    EXPECT_FALSE(GUI_Sounds::Instance().IsMuted());
    EXPECT_EQ(SIM_Game::Instance().GetFactory(), nullptr);
}
