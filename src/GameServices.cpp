// The subsystems' parts of start-up, the frame and shutdown.
#include "GameServices.h"

#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

GameServices& GameServices::Instance()
{
    static GameServices services;
    return services;
}

// --- windows ---

void GameServices::UpdateWindows()
{
    GUI_WindowManager::Instance().Update();
}

void GameServices::DrawWindows()
{
    GUI_WindowManager::Instance().Draw();
    GUI_Tooltip::DrawQueuedTooltips();
    GUI_Cursor::Instance().Update();
}

bool GameServices::WindowsLeftDown()
{
    return GUI_WindowManager::Instance().OnClick();
}

bool GameServices::WindowsRightDown()
{
    return GUI_WindowManager::Instance().OnRightClick();
}

void GameServices::WindowsWheel(bool up)
{
    if (up)
        GUI_WindowManager::Instance().OnWheelUp();
    else
        GUI_WindowManager::Instance().OnWheelDown();
}

void GameServices::WindowsKeyDown(uint32_t virtualKey)
{
    GUI_WindowManager::Instance().OnKeyDown(virtualKey);
}

void GameServices::CloseAllWindows()
{
    GUI_WindowManager::Instance().CloseAll();
}
