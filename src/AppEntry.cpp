// The program's entry, message loop and window procedure.
#include "AppEntry.h"

#include "CInput.h"
#include "Game.h"
#include "GameServices.h"
#include "engine/GGameServices.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GTimer.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "platform/core/PDebugOutput.h"
#include "platform/core/PLauncher.h"
#include "platform/video/PSdlMessageBox.h"
#include "platform/video/PWindow.h"
#include "sim/SIM_ThreadManager.h"

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
// The end of the run, after the game's shutdown, in this order. The workers leave first, so no
// job runs while what it works on goes; the sound output closes next. Then everything else goes,
// newest first: the screens and windows before the views and the game they show, those before
// the simulation's managers, every graphics object before the device, the device before the
// window, the log and the application object last. The window's video system stops at the very
// end, which also gives the desktop its own mode back before a new copy reads the desktop size.
void AppEndRun()
{
    GLifetime& program = GLifetime::Program();
    program.Destroy<SIM_ThreadManager>();
    program.Destroy<GUI_Sounds>();
    program.DestroyAll();
    PWindow::Instance().StopVideo();
    // An object made once the end began was torn down out of order, or not at all: named for
    // the developer, as the log is closed by now.
    for (const std::string& kind : program.CreatedSinceEnd())
        PDebugOutput::Write("Created while the run ended: " + kind + "\n");
}
} // namespace

int AppMain()
{
    PSdlMessageBox::Install();
    // The application object is the program's first object, and so its last.
    Game& game = GLifetime::Program().Create<Game>();
    GameServices::InstallForGame();
    const bool started = game.Init();
    GGame::SetRunning(started);
    PWindow& window = PWindow::Instance();
    if (!started)
    {
        game.Shutdown();
        AppEndRun();
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
    AppEndRun();
    if (GGame::IsRestartRequested())
        PLauncher::LaunchSelf({"-silent"});
    return static_cast<int>(message.wParam);
}
