// The program's entry, message loop and window procedure.
#include "AppEntry.h"

#include "CInput.h"
#include "Game.h"
#include "GameServices.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GGameServices.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTimer.h"
#include "platform/core/PDebugOutput.h"
#include "platform/core/PLauncher.h"
#include "platform/video/PSdlMessageBox.h"
#include "platform/video/PWindow.h"

long WndProc(const PWindowMessage& message)
{
    CInput& input = CInput::Instance();
    switch (message.message)
    {
    case PMSG_DESTROY:
        PDebugOutput::Write("WM_DESTROY\n");
        PWindow::Instance().PostQuit(0);
        Game::Instance().Shutdown();
        return 0;
    case PMSG_ACTIVATEAPP:
    {
        const bool active = message.wParam == 1 || message.wParam == 2;
        GGame::SetRunning(active);
        // While the window is in the background no game time passes and nothing sounds.
        GGameServices::Get().PauseAllSounds(!active);
        if (active)
            GTimer::ResumeAll();
        else
            GTimer::PauseAll();
        break;
    }
    case PMSG_KEYDOWN:
        input.OnKeyDown(static_cast<uint32_t>(message.wParam));
        break;
    case PMSG_KEYUP:
        if (message.wParam == PVK_SNAPSHOT)
            input.OnKeyDown(PVK_SNAPSHOT);
        break;
    case PMSG_CHAR:
        input.OnChar(static_cast<uint32_t>(message.wParam));
        break;
    case PMSG_LBUTTONDOWN:
    case PMSG_LBUTTONUP:
    case PMSG_LBUTTONDBLCLK:
    case PMSG_RBUTTONDOWN:
    case PMSG_RBUTTONUP:
    case PMSG_MBUTTONDOWN:
    case PMSG_MBUTTONUP:
    case PMSG_MOUSEWHEEL:
        input.SetMousePosition(static_cast<float>(message.x), static_cast<float>(message.y));
        input.DispatchMouseMessage(message.wParam, message.message);
        break;
    default:
        break;
    }
    return 0;
}

namespace
{
// Graphics objects must go while their context still exists, before the window does; left to
// the end of the process they would be released with no context at all.
void AppReleaseWindowAndGraphics()
{
    GFontManager::Instance().Shutdown();
    GD3DDevice::Instance().Release();
    PWindow::Instance().StopVideo();
}
} // namespace

int AppMain()
{
    PSdlMessageBox::Install();
    GameServices::InstallForGame();
    Game& game = Game::Instance();
    const bool started = game.Init();
    GGame::SetRunning(started);
    PWindow& window = PWindow::Instance();
    if (!started)
    {
        game.Shutdown();
        AppReleaseWindowAndGraphics();
        // A start that failed is not a success for whoever started the game.
        return 1;
    }
    GGame::SetRestartRequested(false);

    PWindowMessage message;
    for (;;)
    {
        if (window.PeekMessage())
        {
            if (!window.GetMessage(message))
                break;
            WndProc(message);
        }
        else if (GGame::IsRunning())
        {
            game.Update();
        }
        else
        {
            window.WaitBriefly();
        }
    }
    // Give the desktop its own mode back before a new copy reads the desktop size.
    AppReleaseWindowAndGraphics();
    if (GGame::IsRestartRequested())
        PLauncher::LaunchSelf({"-silent"});
    return static_cast<int>(message.wParam);
}
