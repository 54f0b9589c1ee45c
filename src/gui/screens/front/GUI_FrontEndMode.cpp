// The common front-end screen and its back button.
#include "gui/screens/front/GUI_FrontEndMode.h"

#include "engine/GScreenSize.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/toolkit/widgets/GUI_MenuButton.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PWindowMessage.h"

GUI_FrontEndMode::GUI_FrontEndMode(const std::string& modeName)
{
    Register(modeName);
    // The screen itself is no window of the manager: it never takes the mouse from the dialogs.
    SetTakesMouse(false);
    SetRect(0.0f, 0.0f, static_cast<float>(GScreenSize::Width()), static_cast<float>(GScreenSize::Height()));
}

void GUI_FrontEndMode::Draw()
{
    FrontEnd::ClearScreen(FrontEnd::kClearColour);
    DrawChildren();
    FrontEnd::DrawWindowsAndCursor();
}

void GUI_FrontEndMode::Process()
{
    FrontEnd::UpdateInput();
    GUI_WindowManager::Instance().Update();
    GUI_WindowBase::Update();
}

void GUI_FrontEndMode::OnLeftDown()
{
    GUI_WindowManager::Instance().OnClick();
    // A modal question takes every click; the back button must not act behind it.
    if (GUI_WindowManager::Instance().HasModal())
        return;
    GUI_WindowManager::DispatchScope scope;
    ClickChildren();
}

void GUI_FrontEndMode::OnRightDown()
{
    GUI_WindowManager::Instance().OnRightClick();
}

void GUI_FrontEndMode::OnWheelUp()
{
    GUI_WindowManager::Instance().OnWheelUp();
}

void GUI_FrontEndMode::OnWheelDown()
{
    GUI_WindowManager::Instance().OnWheelDown();
}

void GUI_FrontEndMode::OnKeyDown(uint32_t virtualKey)
{
    if (virtualKey == PVK_ESCAPE)
        FrontEnd::SwitchTo("mainmenu");
}

void AddMainMenuBackButton(GUI_FrontEndMode& mode)
{
    // The back button is the screen window's only control.
    mode.DeleteChildren();
    GUI_MenuButton* button =
        mode.CreateChild<GUI_MenuButton>("MAINMENU_MAINMENU", [] { FrontEnd::SwitchTo("mainmenu"); });
    const float cx = static_cast<float>(GScreenSize::Width()) * 0.5f;
    const float h = static_cast<float>(GScreenSize::Height());
    button->SetRect(cx - 100.0f, h - 60.0f, cx + 100.0f, h - 18.0f);
    mode.SetBackButton(button);
}
