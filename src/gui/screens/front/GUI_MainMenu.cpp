// The main menu screen.
#include "gui/screens/front/GUI_MainMenu.h"

#include "engine/GFontManager.h"
#include "engine/GGameServices.h"
#include "engine/GScreenSize.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GSystemUtils.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/front/GUI_ChooseMission.h"
#include "gui/screens/front/GUI_UpdateNotice.h"
#include "gui/screens/options/GUI_Options.h"
#include "gui/screens/saves/GUI_LoadGame.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_MenuButton.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/core/PMessageBox.h"
#include "platform/video/PWindowMessage.h"

#include <cmath>

namespace
{
const char* const kMainMenuCaptions[GUI_MainMenu::BUTTON_COUNT] = {
    "MAINMENU_NEWGAME", "MAINMENU_LOADGAME", "MAINMENU_OPTIONS", "MAINMENU_TASKEDITOR",
    "MAINMENU_FORUMS",  "MAINMENU_YOUTUBE",  "MAINMENU_QUIT",
};
} // namespace

GUI_MainMenu& GUI_MainMenu::Instance()
{
    return GLifetime::Get<GUI_MainMenu>();
}

GUI_MainMenu::GUI_MainMenu() : GUI_FrontEndMode("mainmenu")
{
}

void GUI_MainMenu::SnapToPixels(CTexturedSprite& sprite)
{
    for (PVertex& v : sprite.m_vertices)
    {
        v.x = std::trunc(v.x) - 0.5f;
        v.y = std::trunc(v.y) - 0.5f;
    }
}

void GUI_MainMenu::CreateButtons()
{
    const float w = static_cast<float>(GScreenSize::Width());
    const float h = static_cast<float>(GScreenSize::Height());
    const float cx = w * 0.5f;
    const float cy = h * 0.5f;
    SetRect(0.0f, 0.0f, w, h);

    const float stripWidth = (w - kLogoWidth) / 2.0f + 10.0f;
    CTexturedSprite* sprites[3] = {&m_logo, &m_leftStrip, &m_rightStrip};
    for (CTexturedSprite* sprite : sprites)
    {
        sprite->SetTexture("logo.png");
        sprite->m_height = kLogoHeight;
    }
    m_logo.m_width = kLogoWidth;
    m_leftStrip.m_width = stripWidth;
    m_rightStrip.m_width = stripWidth;
    m_logo.SetPosition(cx, cy);
    m_leftStrip.SetPosition(cx - kLogoWidth / 2.0f - stripWidth / 2.0f, cy);
    m_rightStrip.SetPosition(cx + kLogoWidth / 2.0f + stripWidth / 2.0f, cy);
    // The strips carry the logo's outermost hundredth out to the screen's edges.
    const float stripU[2][2] = {{0.0f, 0.01f}, {0.99f, 1.0f}};
    CTexturedSprite* strips[2] = {&m_leftStrip, &m_rightStrip};
    for (int s = 0; s < 2; ++s)
    {
        PVertex* v = strips[s]->m_vertices;
        v[0].u = v[2].u = stripU[s][0];
        v[1].u = v[3].u = stripU[s][1];
    }
    for (CTexturedSprite* sprite : sprites)
        SnapToPixels(*sprite);

    DeleteChildren();
    float lowest = m_logo.m_vertices[0].y;
    for (const PVertex& v : m_logo.m_vertices)
        lowest = std::max(lowest, v.y);
    const float top = lowest + 10.0f;
    const float step = kButtonRowWidth / static_cast<float>(BUTTON_COUNT);
    float x = cx - kButtonRowWidth / 2.0f;
    for (int i = 0; i < BUTTON_COUNT; ++i)
    {
        GUI_MenuButton* button = CreateChild<GUI_MenuButton>(
            kMainMenuCaptions[i], [](intptr_t b) { GUI_MainMenu::OnButton(static_cast<int>(b)); }, i);
        button->SetId(i);
        button->SetRect(x, top, x + step - 4.0f, top + kButtonHeight);
        x += step;
    }
}

void GUI_MainMenu::Draw()
{
    if (GGameServices::Get().TakeUpdateAvailable())
        ShowUpdateNotice();
    FrontEnd::ClearScreen(FrontEnd::kClearColour);
    DrawChildren();
    m_logo.Draw();
    m_leftStrip.Draw();
    m_rightStrip.Draw();
    GFontManager& fonts = GFontManager::Instance();
    GUI_Fonts::SelectSemibold16();
    fonts.Print(m_versionText, 0xFF000000u, 0.0f, 0.0f, static_cast<float>(GScreenSize::Width()) - 10.0f, 1);
    fonts.Flush();
    FrontEnd::DrawWindowsAndCursor();
}

void GUI_MainMenu::Process()
{
    FrontEnd::UpdateInput();
    // The windows first: an open notice takes the mouse from the buttons behind it.
    GUI_WindowManager::Instance().Update();
    GUI_WindowBase::Update();
}

void GUI_MainMenu::OnLeftDown()
{
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    // The notice is modal: the buttons behind it do not answer until it is closed.
    if (windows.OnClick() || windows.HasModal())
        return;
    GUI_WindowManager::DispatchScope scope;
    ClickChildren();
}

void GUI_MainMenu::OnKeyDown(uint32_t virtualKey)
{
    if (virtualKey == PVK_ESCAPE)
        FrontEnd::Quit();
    GUI_WindowManager::Instance().OnKeyDown(virtualKey);
}

void GUI_MainMenu::OnButton(int button)
{
    switch (button)
    {
    case BUTTON_NEWGAME:
    {
        GUI_ChooseMission& mode = GUI_ChooseMission::Instance();
        AddMainMenuBackButton(mode);
        FrontEnd::SwitchTo("choosemission");
        break;
    }
    case BUTTON_LOADGAME:
        AddMainMenuBackButton(GUI_LoadGame::Instance());
        FrontEnd::SwitchTo("loadgame");
        break;
    case BUTTON_OPTIONS:
        AddMainMenuBackButton(GUI_Options::Instance());
        FrontEnd::SwitchTo("options");
        break;
    case BUTTON_TASKEDITOR:
        GGameServices::Get().BuildTaskEditor();
        FrontEnd::SwitchTo("taskeditor");
        break;
    case BUTTON_FORUMS:
    case BUTTON_VIDEOS:
        OpenWebPage(button);
        break;
    case BUTTON_QUIT:
        FrontEnd::Quit();
        break;
    default:
        break;
    }
}

void GUI_MainMenu::OpenWebPage(int button)
{
    const char* address = button == BUTTON_FORUMS ? kForumAddress : kVideoAddress;
    if (ShellOpen(address))
        return;
    // Without a program for web pages the click would change nothing on the screen: the player
    // is told, and given the address to open elsewhere.
    PMessageBox::Show(GTextTable::GetText(kMainMenuCaptions[button]),
                      GTextTable::GetText("MAINMENU_LINK_NOT_OPENED") + "\n" + address, PMessageBox::ICON_INFORMATION);
}

void GUI_MainMenu::ShowUpdateNotice()
{
    GUI_UpdateNotice::Open();
}
