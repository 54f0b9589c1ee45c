// Buttons as the player meets them: hover and hand cursor, the click sound and callback, disabled
// and silent buttons, check boxes, icon buttons, tooltip anchors, and the yes/no question box.
#include "ToolkitTestSupport.h"

#include "engine/core/GTextTable.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_CheckButton.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/widgets/GUI_MenuButton.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_ConfirmDialog.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <memory>
#include <vector>

using ButtonTest = ToolkitTest;

TEST_F(ButtonTest, EnabledDisabledAndSilentButtonsUnderTheMouse)
{
    const struct
    {
        const char* name;
        bool enabled, silent;
        bool hovered, hand, sound, called;
    } cases[] = {
        {"enabled", true, false, true, true, true, true},
        {"disabled", false, false, false, false, false, false},
        {"silent", true, true, true, true, false, true},
    };
    for (const auto& c : cases)
    {
        m_services.sounds.clear();
        auto* window = GUI_WindowManager::Create<GUI_WindowBase>();
        window->SetRect(0, 0, 300, 300);
        intptr_t calledWith = -1;
        auto* button = window->CreateChild<GUI_ButtonText>(
            "CONFIRM_YES", [&](intptr_t a) { calledWith = a; }, 42);
        button->SetRect(10, 10, 110, 40);
        button->SetEnabled(c.enabled);
        button->SetSilent(c.silent);
        button->SetTooltip("Tip", 2);
        m_input.MoveTo(50, 20);
        for (int frame = 0; frame < 4; ++frame)
            Frame();
        EXPECT_EQ(button->IsHovered(), c.hovered) << c.name;
        EXPECT_EQ(GUI_Cursor::Instance().GetCurrent() == GUI_Cursor::HAND, c.hand) << c.name;
        EXPECT_GT(button->GetTooltip()->GetAlpha(), 0.0f) << c.name << ": the tooltip shows even when disabled";
        EXPECT_TRUE(ClickAt(50, 20)) << c.name << ": the click is taken either way";
        EXPECT_EQ(!m_services.sounds.empty(), c.sound) << c.name;
        if (c.sound)
        {
            EXPECT_EQ(m_services.sounds, std::vector<std::string>{"fv_gui_click.ogg"}) << c.name;
        }
        EXPECT_EQ(calledWith, c.called ? 42 : -1) << c.name;
        window->Close();
    }
}

TEST_F(ButtonTest, AButtonUnderAWindowThatTookTheMouseShowsNoHover)
{
    auto* lower = GUI_WindowManager::Create<GUI_WindowBase>();
    lower->SetRect(0, 0, 300, 300);
    auto* button = lower->CreateChild<GUI_ButtonText>("CONFIRM_YES", [] {});
    button->SetRect(10, 10, 110, 40);
    auto* upper = GUI_WindowManager::Create<GUI_WindowBase>();
    upper->SetRect(0, 0, 60, 60);
    m_input.MoveTo(50, 20);
    Frame();
    EXPECT_FALSE(button->IsHovered());
    m_input.MoveTo(100, 20);
    Frame();
    EXPECT_TRUE(button->IsHovered());
}

TEST_F(ButtonTest, ACheckBoxTicksBeforeItsCallbackReadsIt)
{
    auto* window = GUI_WindowManager::Create<GUI_WindowBase>();
    window->SetRect(0, 0, 300, 300);
    std::vector<bool> seen;
    GUI_CheckButton* box = nullptr;
    box = window->CreateChild<GUI_CheckButton>("Autosave", [&] { seen.push_back(box->IsTicked()); });
    box->SetRect(10, 10, 210, 52);
    EXPECT_TRUE(ClickAt(20, 20));
    EXPECT_TRUE(ClickAt(20, 20));
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(ClickAt(250, 250) && box->IsTicked()) << "a click beside it leaves it alone";
}

TEST_F(ButtonTest, AnIconWithoutATextureNameDrawsNoPicture)
{
    auto* window = GUI_WindowManager::Create<GUI_WindowBase>();
    window->SetRect(0, 0, 300, 300);
    auto* none = window->CreateChild<GUI_IconButton>("x", [] {});
    none->SetRect(10, 10, 50, 50);
    m_rec->Clear();
    window->Draw();
    EXPECT_TRUE(m_rec->draws.empty());
    auto* icon = window->CreateChild<GUI_IconButton>("menu_research.dds", [] {});
    icon->SetRect(60, 10, 100, 50);
    m_rec->Clear();
    window->Draw();
    ASSERT_EQ(m_rec->draws.size(), 1u);
    EXPECT_FLOAT_EQ(m_rec->draws[0].vertices[0].x, 60.0f);
    icon->SetEnabled(false);
    m_rec->Clear();
    window->Draw();
    EXPECT_EQ(m_rec->draws[0].vertices[0].colour >> 24, 32u) << "faint while disabled";
}

TEST_F(ButtonTest, MovingAButtonMovesItsTooltipAnchorCentredUnderIt)
{
    GUI_ButtonText button("CONFIRM_YES");
    button.SetTooltip("Tip", 30);
    button.SetRect(100, 50, 200, 80);
    EXPECT_FLOAT_EQ(button.GetTooltip()->GetAnchorX(), 150.0f - 5.0f);
    EXPECT_FLOAT_EQ(button.GetTooltip()->GetAnchorY(), 80.0f);
    button.SetRect(300, 60, 340, 90);
    EXPECT_FLOAT_EQ(button.GetTooltip()->GetAnchorX(), 320.0f - 5.0f);
}

TEST_F(ButtonTest, MenuEntriesRepeatTheirChevronAlongTheButton)
{
    auto* window = GUI_WindowManager::Create<GUI_WindowBase>();
    window->SetRect(0, 0, 800, 600);
    auto* entry = window->CreateChild<GUI_MenuButton>("CONFIRM_YES", [] {});
    entry->SetRect(100, 100, 612, 150);
    m_rec->Clear();
    window->Draw();
    ASSERT_GE(m_rec->draws.size(), 2u);
    const PRecordingDraw& chevron = m_rec->draws[1];
    ASSERT_EQ(chevron.vertices.size(), 4u);
    EXPECT_FLOAT_EQ(chevron.vertices[1].u, 2.0f);
    EXPECT_FLOAT_EQ(chevron.vertices[2].y - chevron.vertices[0].y, 8.0f);
}

TEST_F(ButtonTest, ACaptionTooWideForItsButtonGivesWayButNeverLeavesIt)
{
    LoadFonts();
    m_rec->textCheck.enabled = true;
    auto* window = GUI_WindowManager::Create<GUI_WindowBase>();
    window->SetRect(0, 0, 800, 600);
    struct Case
    {
        const char* key;  // caption from the text table, or
        const char* text; // a caption of its own
        int width;
        const char* shownKey; // the text drawn; null: the caption shrunk whole or ending in dots
    };
    const Case cases[] = {
        {"FIN_EXP_24HOUR", nullptr, 200, "FIN_EXP_24HOUR"},
        {"FIN_EXP_24HOUR", nullptr, 85, "FIN_EXP_24HOUR_SHORT"},
        {nullptr, "Rent this whole area", 130, nullptr},
        {nullptr, "A caption far too long for any button at all", 90, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.key ? c.key : c.text) + " in " + std::to_string(c.width));
        window->DeleteChildren();
        auto* tab = window->CreateChild<GUI_ButtonTab>(c.key ? c.key : "", [] {});
        if (!c.key)
            tab->SetText(c.text);
        tab->SetRect(100, 100, static_cast<float>(100 + c.width), 130);
        m_rec->textCheck.Clear();
        Frame();
        EXPECT_TRUE(m_rec->textCheck.findings.empty()) << m_rec->textCheck.Describe().front();
        ASSERT_EQ(m_rec->textCheck.printed.size(), 1u);
        const std::string& shown = m_rec->textCheck.printed.front();
        if (c.shownKey)
            EXPECT_EQ(shown, GTextTable::GetText(c.shownKey));
        else
            EXPECT_TRUE(shown == c.text || shown.substr(shown.size() - 3) == "...") << shown;
    }
}

TEST_F(ButtonTest, ConfirmAnswersCloseTheQuestionFirst)
{
    LoadFonts();
    std::vector<intptr_t> answers;
    GUI_ConfirmDialog* dialog = GUI_ConfirmDialog::Open([&](intptr_t a) { answers.push_back(a); },
                                                        "CONFIRM_DEL_SAVE_TITLE", "CONFIRM_DEL_SAVE_TXT");
    ASSERT_EQ(GUI_ConfirmDialog::GetOpen(), dialog);
    EXPECT_TRUE(dialog->IsModal());
    EXPECT_EQ(dialog->GetWidth(), 400);
    EXPECT_EQ(dialog->GetLeft(), 200) << "centred";
    const auto& buttons = dialog->GetButtons();
    ASSERT_EQ(buttons.size(), 3u);
    const GUI_ButtonBase* yes = buttons[1].get();
    const GUI_ButtonBase* no = buttons[2].get();
    EXPECT_EQ(yes->GetLeft(), dialog->GetLeft() + 20);
    EXPECT_EQ(yes->GetBottom(), dialog->GetBottom() - 10);
    EXPECT_EQ(no->GetRight(), dialog->GetRight() - 10);

    // A second question replaces the first.
    GUI_ConfirmDialog* second = GUI_ConfirmDialog::Open([&](intptr_t a) { answers.push_back(10 + a); },
                                                        "CONFIRM_MAINMENU_TITLE", "CONFIRM_MAINMENU_TEXT");
    EXPECT_EQ(GUI_ConfirmDialog::GetOpen(), second);
    EXPECT_EQ(GUI_WindowManager::Instance().GetWindows().size(), 1u);

    // "Yes": the question is gone before the answer runs, so the answer may ask again.
    GUI_ConfirmDialog* asked = nullptr;
    second = GUI_ConfirmDialog::Open(
        [&](intptr_t a) {
            answers.push_back(a);
            EXPECT_EQ(GUI_ConfirmDialog::GetOpen(), nullptr);
            asked = GUI_ConfirmDialog::Open(nullptr, "CONFIRM_MAINMENU_TITLE", "CONFIRM_MAINMENU_TEXT");
        },
        "CONFIRM_MAINMENU_TITLE", "CONFIRM_MAINMENU_TEXT");
    const GUI_ButtonBase* secondYes = second->GetButtons()[1].get();
    EXPECT_TRUE(ClickAt(static_cast<float>(secondYes->GetLeft() + 2), static_cast<float>(secondYes->GetTop() + 2)));
    EXPECT_EQ(answers, (std::vector<intptr_t>{0}));
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(GUI_ConfirmDialog::GetOpen(), asked);
    EXPECT_EQ(GUI_WindowManager::Instance().GetModal(), asked);
    Frame();

    // "No" only closes.
    const GUI_ButtonBase* askedNo = asked->GetButtons()[2].get();
    EXPECT_TRUE(ClickAt(static_cast<float>(askedNo->GetLeft() + 2), static_cast<float>(askedNo->GetTop() + 2)));
    Frame();
    EXPECT_EQ(GUI_ConfirmDialog::GetOpen(), nullptr);
    EXPECT_TRUE(GUI_WindowManager::Instance().GetWindows().empty());
    EXPECT_EQ(answers.size(), 1u);
}
