// The options dialog and the resolution picker: what config.txt holds after the switches and the
// volumes, which screen sizes are offered, when Apply may be pressed, and that Apply writes the
// settings and the new size before the game restarts (asking first over a running game).
#include "ScreensTestSupport.h"

#include "save/SaveTestSupport.h"

#include "engine/core/GOptions.h"
#include "gui/screens/options/GUI_OptionsDialog.h"
#include "gui/screens/options/GUI_ResolutionPicker.h"
#include "gui/screens/options/GUI_ResolutionStrip.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_CheckButton.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "sim/SIM_Game.h"
#include "tests/support/FreshState.h"

#include <cstdio>
#include <fstream>
#include <sstream>

class OptionScreens : public ScreensTest
{
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        m_config = m_files.Path("config.txt");
        {
            std::ofstream out(m_config);
            out << "[floats]\nOPTIONS_SFX = 0.50\nOPTIONS_MUSIC = 0.40\nOPTIONS_MASTERVOLUME = 0.90\n"
                   "OPT_CONVEYOR_GUI = 1.00\nOPT_AUTOSAVE = 0.00\n[strings]\n";
        }
        GOptions& options = GOptions::Instance();
        options.Clear();
        options.SetPath(m_config);
        options.Load();
        m_rec->displayModes = {{1920, 1080, 60, 22}, {1280, 720, 60, 22}, {1920, 1080, 50, 22},
                               {1024, 768, 60, 22},  {1600, 900, 60, 22}, {1280, 768, 60, 22}};
        m_rec->desktopMode = {1920, 1080, 60, 22};
    }
    void TearDown() override
    {
        ScreensTest::TearDown();
        FreshState::Forget<GOptions>();
        GOptions::Instance().SetPath("");
        GGame::SetRestartRequested(false);
    }
    std::string Config() const
    {
        std::ifstream in(m_config);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static std::string ConfigText(const char* sfx, const char* autosave)
    {
        return std::string("[floats]\nOPTIONS_SFX = ") + sfx +
               "\nOPTIONS_MUSIC = 0.40\nOPTIONS_MASTERVOLUME = 0.90\nOPT_CONVEYOR_GUI = 1.00\nOPT_AUTOSAVE = " +
               autosave + "\nOPTIONS_VOICE = 1.00\nOPTIONS_INTERFACE_VOLUME = 1.00\n[strings]\n";
    }

    std::string m_config;
};

TEST_F(OptionScreens, SwitchesAreWrittenAtOnceAndVolumesWhenTheDialogCloses)
{
    GUI_OptionsDialog* dialog = GUI_OptionsDialog::Open(true);
    Frame();
    EXPECT_EQ(dialog->GetWidth(), 800);
    EXPECT_TRUE(dialog->GetSwitch(GUI_OptionsDialog::SWITCH_CONVEYOR_LABELS)->IsTicked());
    EXPECT_FALSE(dialog->GetSwitch(GUI_OptionsDialog::SWITCH_AUTOSAVE)->IsTicked());
    EXPECT_FLOAT_EQ(dialog->GetSlider(0)->GetValue(), 0.5f);

    const GUI_CheckButton& autosave = *dialog->GetSwitch(GUI_OptionsDialog::SWITCH_AUTOSAVE);
    ClickAt(static_cast<float>(autosave.GetLeft() + 10), static_cast<float>(autosave.GetTop() + 10));
    EXPECT_EQ(Config(), ConfigText("0.50", "1.00"));

    // A volume is heard at once but reaches the file only when the dialog closes.
    GUI_OptionsSlider& sfx = *dialog->GetSlider(0);
    m_input.MoveTo(static_cast<float>(sfx.GetLeft() + sfx.GetRight()) / 2.0f,
                   static_cast<float>(sfx.GetTop() + sfx.GetBottom()) / 2.0f);
    Frame();
    sfx.OnWheelUp();
    sfx.OnWheelUp();
    ASSERT_LT(sfx.GetValue(), 0.5f);
    EXPECT_FLOAT_EQ(GOptions::Instance().GetFloat("OPTIONS_SFX"), sfx.GetValue());
    GUI_OptionsDialog::OnSwitchToggled(7); // not a switch: nothing happens
    EXPECT_EQ(Config(), ConfigText("0.50", "1.00"));
    char written[16];
    std::snprintf(written, sizeof written, "%.2f", static_cast<double>(sfx.GetValue()));
    GUI_OptionsDialog::CloseOpen();
    Frame();
    EXPECT_EQ(GUI_OptionsDialog::GetOpen(), nullptr);
    EXPECT_EQ(Config(), ConfigText(written, "1.00"));
}

TEST_F(OptionScreens, SizesOfferedAndApplyWritesSettingsAndPrefsBeforeTheRestart)
{
    // At least 1280 x 768, each size once (refresh rates aside), widest first.
    const std::vector<PDisplayMode> usable = GUI_ResolutionPicker::UsableModes({{1920, 1080, 60, 22},
                                                                                {1920, 1080, 50, 22},
                                                                                {1600, 900, 60, 22},
                                                                                {1280, 768, 60, 22},
                                                                                {1280, 720, 60, 22},
                                                                                {1024, 768, 60, 22},
                                                                                {1280, 1024, 75, 22}});
    std::vector<std::string> sizes;
    for (const PDisplayMode& m : usable)
        sizes.push_back(std::to_string(m.width) + "x" + std::to_string(m.height));
    EXPECT_EQ(sizes, std::vector<std::string>({"1920x1080", "1600x900", "1280x768", "1280x1024"}));
    EXPECT_TRUE(GUI_ResolutionPicker::UsableModes({{1024, 768, 60, 22}, {1280, 720, 60, 22}}).empty());

    GUI_OptionsDialog* dialog = GUI_OptionsDialog::Open(false);
    Frame();
    GUI_ResolutionPicker* picker = dialog->GetPicker();
    ASSERT_EQ(picker->GetModes().size(), 3u);
    ASSERT_EQ(picker->GetStrips().size(), 3u);
    EXPECT_EQ(picker->GetStrips()[0]->GetCaption(), "1920 x 1080");
    EXPECT_EQ(picker->GetCurrentWidth(), 1280);
    EXPECT_EQ(picker->GetCurrentHeight(), 768);
    // The size in use leaves Apply off; another size turns it on.
    EXPECT_FALSE(picker->GetApplyButton()->IsEnabled());
    const GUI_ResolutionStrip& inUse = *picker->GetStrips()[2];
    ClickAt(static_cast<float>(inUse.GetLeft() + 5), static_cast<float>(inUse.GetTop() + 5));
    EXPECT_FALSE(picker->GetApplyButton()->IsEnabled());
    const GUI_ResolutionStrip& wide = *picker->GetStrips()[0];
    ClickAt(static_cast<float>(wide.GetLeft() + 5), static_cast<float>(wide.GetTop() + 5));
    EXPECT_TRUE(picker->GetApplyButton()->IsEnabled());
    EXPECT_EQ(picker->GetChosenWidth(), 1920);

    // A volume dragged just before Apply is in config.txt before the game goes down.
    GOptions::Instance().SetFloat("OPTIONS_SFX", 0.75f);
    picker->GetApplyButton()->Click();
    EXPECT_EQ(Config(), ConfigText("0.75", "0.00"));
    ASSERT_EQ(m_screenServices.prefs.size(), 1u);
    EXPECT_EQ(m_screenServices.prefs[0], std::vector<int>({1920, 1080, 1, 1}));
    EXPECT_TRUE(GGame::IsRestartRequested());
    EXPECT_EQ(m_game->shutdowns, 1);
}

TEST_F(OptionScreens, OverARunningGameApplyAsksBeforeItRestarts)
{
    savetest::SaveWorld world;
    ASSERT_TRUE(world.StartGame());
    SIM_Game::Instance().SetSpeed(4.0f);
    GUI_OptionsDialog* dialog = GUI_OptionsDialog::Open(true);
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 0.0f);
    Frame();
    GUI_ResolutionPicker::Choose(1600, 900);
    dialog->GetPicker()->GetApplyButton()->Click();
    Frame();
    ASSERT_NE(GUI_ConfirmDialog::GetOpen(), nullptr);
    EXPECT_TRUE(m_screenServices.prefs.empty());
    EXPECT_FALSE(GGame::IsRestartRequested());
    for (const auto& button : GUI_ConfirmDialog::GetOpen()->GetButtons())
        if (button->GetId() == GUI_ConfirmDialog::ID_YES)
            button->Click();
    ASSERT_EQ(m_screenServices.prefs.size(), 1u);
    EXPECT_EQ(m_screenServices.prefs[0], std::vector<int>({1600, 900, 1, 1}));
    EXPECT_TRUE(GGame::IsRestartRequested());
    // Closing the options over the game lets it run at its speed again.
    GUI_OptionsDialog::CloseOpen();
    Frame();
    EXPECT_EQ(SIM_Game::Instance().GetSpeed(), 4.0f);
}
