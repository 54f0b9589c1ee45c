// The main menu, the mission list, the loading screen and the update notice: where their parts
// stand on the screen, what the rows say, the back button, Escape, and the update answer.
#include "ScreensTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "gui/screens/front/GUI_ChangelistEntry.h"
#include "gui/screens/front/GUI_ChooseMission.h"
#include "gui/screens/front/GUI_ChooseMissionDialog.h"
#include "gui/screens/front/GUI_LoadingScreen.h"
#include "gui/screens/front/GUI_MainMenu.h"
#include "gui/screens/front/GUI_Mission.h"
#include "gui/screens/front/GUI_UpdateNotice.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_MenuButton.h"
#include "platform/video/PWindowMessage.h"
#include "sim/world/SIM_Mission.h"

#include <algorithm>
#include <cmath>
#include <fstream>

class FrontEndScreens : public ScreensTest
{
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        m_menu = std::make_unique<GUI_MainMenu>();
        m_menu->SetVersionText("alpha 1.07");
        m_menu->CreateButtons();
        m_game->SetGameMode("mainmenu");
    }
    void TearDown() override
    {
        ScreensTest::TearDown();
        m_menu.reset();
    }
    std::unique_ptr<GUI_MainMenu> m_menu;
};

namespace
{
float LowestY(const BaseSprite& s)
{
    float y = s.m_vertices[0].y;
    for (const PVertex& v : s.m_vertices)
        y = std::max(y, v.y);
    return y;
}
} // namespace

TEST_F(FrontEndScreens, MainMenuStretchesTheLogoEdgesAndCentresSevenButtonsUnderIt)
{
    // 1280 x 768: strips of (1280 - 999) / 2 + 10 pixels, the row of 1200 pixels from x 40.
    EXPECT_FLOAT_EQ(m_menu->GetLeftStrip().m_width, 150.5f);
    EXPECT_FLOAT_EQ(m_menu->GetRightStrip().m_width, 150.5f);
    EXPECT_FLOAT_EQ(m_menu->GetLeftStrip().m_vertices[1].u, 0.01f);
    EXPECT_FLOAT_EQ(m_menu->GetRightStrip().m_vertices[0].u, 0.99f);
    // Corners on whole pixels less a half.
    for (const PVertex& v : m_menu->GetLogo().m_vertices)
    {
        EXPECT_FLOAT_EQ(v.x - std::floor(v.x), 0.5f);
        EXPECT_FLOAT_EQ(v.y - std::floor(v.y), 0.5f);
    }
    EXPECT_FLOAT_EQ(LowestY(m_menu->GetLogo()), 665.5f);
    const auto& buttons = m_menu->GetButtons();
    ASSERT_EQ(buttons.size(), 7u);
    const char* captions[] = {"New Game", "Load Game", "Options", "Task Editor", "Community", "Videos", "Quit"};
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        SCOPED_TRACE(i);
        const GUI_ButtonBase& b = *buttons[i];
        EXPECT_EQ(b.GetLeft(), static_cast<int>(40.0f + 1200.0f / 7.0f * static_cast<float>(i)));
        EXPECT_EQ(b.GetTop(), 675);
        EXPECT_EQ(b.GetHeight(), 42);
        EXPECT_EQ(dynamic_cast<const GUI_ButtonText&>(b).GetCaption(), captions[i]);
    }
    EXPECT_LE(buttons.back()->GetRight(), 1240);
}

TEST_F(FrontEndScreens, LoadingScreenFillsCellsByProgressAndSpansTheRow)
{
    const struct
    {
        float progress;
        int filled;
    } cases[] = {{0.0f, 1}, {0.25f, 9}, {0.5f, 17}, {0.75f, 25}, {1.0f, 32}, {-1.0f, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(GUI_LoadingScreen::FilledCells(c.progress), c.filled) << c.progress;

    UseScreen(1024, 768);
    GUI_LoadingScreen& screen = GUI_LoadingScreen::Instance();
    screen.Layout();
    EXPECT_FLOAT_EQ(screen.GetLogo().m_width, 500.0f);
    EXPECT_FLOAT_EQ(LowestY(screen.GetLogo()), 384.0f + 141.0f);
    // On a screen 1024 wide the row of cells spans it exactly, 20 pixels under the logo.
    EXPECT_FLOAT_EQ(screen.GetCell(0).m_vertices[0].x, 0.0f);
    EXPECT_FLOAT_EQ(screen.GetCell(31).m_vertices[1].x, 1024.0f);
    EXPECT_FLOAT_EQ(screen.GetCell(0).m_vertices[0].y, 545.0f);
    EXPECT_FLOAT_EQ(screen.TextTop(), 545.0f + 32.0f + 10.0f);
    // One frame per stage, presented outside the frame loop.
    const size_t presents = m_rec->Calls("Present").size();
    screen.ShowStage("LS_INIT_GAME", 0.25f);
    EXPECT_EQ(m_rec->Calls("Present").size(), presents + 1);
    // A save from inside the game's frame shows its stage within that frame's scene, which stays
    // open for the rest of the frame; no graphics call fails.
    GD3DDevice& device = GD3DDevice::Instance();
    device.BeginFrame();
    screen.ShowStage("LS_SAVING_SLOTS", 0.2f);
    EXPECT_TRUE(device.IsInScene());
    device.EndFrame();
    EXPECT_EQ(m_rec->Calls("Present").size(), presents + 2);
    EXPECT_TRUE(ErrorMessages().empty()) << ErrorLog();
}

TEST_F(FrontEndScreens, MissionListRowsShowNameSizeAndCashAndTheListFitsTheScreen)
{
    EXPECT_EQ(GUI_ChooseMissionDialog::HeightFor(3, 768), 300 + 46 + 16);
    EXPECT_EQ(GUI_ChooseMissionDialog::HeightFor(40, 768), 662);
    EXPECT_EQ(GUI_ChooseMissionDialog::HeightFor(0, 768), 62);
    // A zone from (10, 20) to (60, 50): height first, then width.
    EXPECT_EQ(GUI_Mission::SizeText(50, 30), "30 X 50");

    GUI_ChooseMissionDialog* list = GUI_ChooseMissionDialog::Open();
    ASSERT_EQ(list->GetRows().size(), 3u);
    EXPECT_EQ(list->GetHeight(), GUI_ChooseMissionDialog::HeightFor(3, 768));
    EXPECT_EQ(list->GetWidth(), 680);
    const auto* first = dynamic_cast<const GUI_Mission*>(list->GetRows()[0].get());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetMission()->m_guiName, "First Factory");
    EXPECT_EQ(first->GetSizeText(), "19 X 19");
    EXPECT_EQ(first->GetCashText(), "Starting cash: $ 250k");
    int y = list->GetClientRect().top;
    for (const auto& row : list->GetRows())
    {
        EXPECT_EQ(row->GetTop(), y);
        EXPECT_EQ(row->GetHeight(), 100);
        EXPECT_EQ(row->GetRight(), list->GetClientRect().right - 25);
        y += 100;
    }
    // The play button at the row's right, the edit button beside the 92-pixel picture.
    EXPECT_EQ(first->GetPlayButton()->GetRight(), first->GetRight() - 7);
    EXPECT_FLOAT_EQ(first->GetIcon().m_width, 92.0f);
    EXPECT_EQ(first->GetEditButton()->GetWidth(), 95);
}

TEST_F(FrontEndScreens, EachVisitToTheMissionListHasOneBackButtonAndEscapeLeavesIt)
{
    for (int visit = 0; visit < 2; ++visit)
    {
        GUI_MainMenu::OnButton(GUI_MainMenu::BUTTON_NEWGAME);
        Frame();
        EXPECT_EQ(CurrentMode(), "choosemission");
        GUI_ChooseMission& screen = GUI_ChooseMission::Instance();
        ASSERT_EQ(screen.GetButtons().size(), 1u);
        EXPECT_EQ(screen.GetBackButton()->GetCaption(), "Main Menu");
        EXPECT_EQ(screen.GetBackButton()->GetBottom(), 768 - 18);
        EXPECT_EQ(CountWindows<GUI_ChooseMissionDialog>(), 1);
        // Keys other than Escape do nothing here.
        screen.OnKeyDown(PVK_SPACE);
        screen.OnKeyDown('A');
        EXPECT_EQ(CurrentMode(), "choosemission");
        screen.OnKeyDown(PVK_ESCAPE);
        Frame();
        EXPECT_EQ(CurrentMode(), "mainmenu");
        EXPECT_EQ(CountWindows<GUI_ChooseMissionDialog>(), 0);
        EXPECT_EQ(GUI_ChooseMissionDialog::GetOpen(), nullptr);
    }
    // The back button returns as well.
    GUI_MainMenu::OnButton(GUI_MainMenu::BUTTON_NEWGAME);
    GUI_ChooseMission::Instance().GetBackButton()->Click();
    EXPECT_EQ(CurrentMode(), "mainmenu");
    // Escape in the main menu ends the program.
    m_menu->OnKeyDown(PVK_ESCAPE);
    EXPECT_EQ(m_game->shutdowns, 1);
    EXPECT_FALSE(GGame::IsRunning());
}

TEST_F(FrontEndScreens, AnUpdateAnswerOpensExactlyOneNoticeWithItsChangeList)
{
    const std::string path = m_files.Path("patchnotes.ini");
    std::string longChange(600, 'x');
    {
        std::ofstream out(path);
        out << "[update]\nversion = beta 2.00\ndescription = \"Faster conveyors and a new hall.\"\n"
            << "[changelist]\nzz = Second hall added\naa = \"Quoted change\"\n/note = not shown\n"
            << "mm = " << longChange << "\n[other]\nx = y\n";
    }
    const std::vector<std::string> changes = GUI_UpdateNotice::ReadChangeList(path);
    const std::vector<std::string> expected = {"Second hall added", "Quoted change", longChange};
    EXPECT_EQ(changes, expected);
    EXPECT_TRUE(GUI_UpdateNotice::ReadChangeList(m_files.Path("missing.ini")).empty());

    GUI_UpdateNotice::SetSources(path, "alpha 1.07");
    m_screenServices.updateAvailable = true;
    m_menu->Draw();
    m_menu->Draw();
    Frame();
    EXPECT_FALSE(m_screenServices.updateAvailable);
    EXPECT_EQ(CountWindows<GUI_UpdateNotice>(), 1);
    GUI_UpdateNotice* notice = GUI_UpdateNotice::GetOpen();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->IsModal());
    EXPECT_EQ(notice->GetNewVersion(), "beta 2.00");
    EXPECT_EQ(notice->GetCurrentVersion(), "alpha 1.07");
    ASSERT_EQ(notice->GetRows().size(), 3u);
    const auto* cut = dynamic_cast<const GUI_ChangelistEntry*>(notice->GetRows()[2].get());
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->GetText(), longChange);
    EXPECT_LT(cut->GetShownText().size(), longChange.size());
    EXPECT_EQ(cut->GetShownText().substr(cut->GetShownText().size() - 3), "...");
    // While it is open the menu's buttons behind it do not answer.
    m_input.MoveTo(120.0f, 690.0f);
    m_menu->OnLeftDown();
    EXPECT_EQ(CurrentMode(), "mainmenu");
    GUI_UpdateNotice::SetSources("", "");
}
