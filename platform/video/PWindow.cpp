// The game's one window on the desktop's video system, and its message queue.
#include "platform/video/PWindow.h"

#include "platform/video/PEventTranslator.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

PWindow& PWindow::Instance()
{
    static PWindow instance;
    return instance;
}

bool PWindow::StartVideo()
{
    if (m_videoStarted)
        return true;
    // A borderless window over the whole desktop must not switch the compositor off (the
    // desktop would flicker), and the click that brings the window to the front also counts
    // as a click in the game.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    m_videoStarted = true;
    return true;
}

void PWindow::StopVideo()
{
    Destroy();
    if (m_videoStarted)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        m_videoStarted = false;
    }
}

bool PWindow::GetDesktopSize(int& width, int& height) const
{
    width = 0;
    height = 0;
    if (!m_videoStarted)
        return false;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    width = mode.w;
    height = mode.h;
    return true;
}

bool PWindow::Create(int width, int height, bool windowed, bool borderless, const char* title)
{
    if (!m_videoStarted || width < 1 || height < 1)
        return false;
    Destroy();
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (!windowed || borderless)
        flags |= SDL_WINDOW_BORDERLESS;
    m_window = SDL_CreateWindow(title ? title : "", 0, 0, width, height, flags);
    if (!m_window)
        return false;
    m_testClockStarted = false;
    LoadTestEvents(std::getenv("FERROVANE_TEST_EVENTS"));
    return true;
}

void PWindow::Show()
{
    if (!m_window)
        return;
    SDL_ShowWindow(m_window);
    SDL_RaiseWindow(m_window);
}

void PWindow::Destroy()
{
    if (m_window)
    {
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
    }
}

void PWindow::SetIconFromFile(const char* path)
{
    if (!m_window || !path)
        return;
    SDL_Surface* icon = SDL_LoadBMP(path);
    if (!icon)
        return;
    SDL_SetWindowIcon(m_window, icon);
    SDL_FreeSurface(icon);
}

void PWindow::GetClientSize(int& width, int& height) const
{
    width = 0;
    height = 0;
    if (m_window)
        SDL_GetWindowSize(m_window, &width, &height);
}

void PWindow::GetPointer(float& x, float& y) const
{
    int ix = 0, iy = 0;
    if (m_videoStarted)
        SDL_GetMouseState(&ix, &iy);
    x = static_cast<float>(ix);
    y = static_cast<float>(iy);
}

void PWindow::LoadTestEvents(const char* script)
{
    m_testEvents.clear();
    if (!script)
        return;
    std::string text(script);
    size_t start = 0;
    while (start <= text.size())
    {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string item = text.substr(start, end - start);
        const size_t colon = item.find(':');
        if (colon != std::string::npos)
        {
            TestEvent e;
            e.dueMs = static_cast<uint32_t>(std::strtoul(item.substr(0, colon).c_str(), nullptr, 10));
            e.action = item.substr(colon + 1);
            m_testEvents.push_back(e);
        }
        start = end + 1;
    }
}

void PWindow::PlayDueTestEvents()
{
    // One action per idle turn of the loop, so that a frame always runs between two actions
    // even when the machine is slow and several came due at once.
    if (m_testEvents.empty() || !m_window)
        return;
    // The times count from the first look at the queue, when start-up is over, so a slow
    // start-up does not eat into them.
    if (!m_testClockStarted)
    {
        m_testClockStarted = true;
        m_testClockStartMs = SDL_GetTicks();
    }
    if (!m_idleSinceTestEvent)
        return;
    const uint32_t elapsed = SDL_GetTicks() - m_testClockStartMs;
    for (size_t i = 0; i < m_testEvents.size();)
    {
        if (m_testEvents[i].dueMs > elapsed)
        {
            ++i;
            continue;
        }
        const std::string action = m_testEvents[i].action;
        m_testEvents.erase(m_testEvents.begin() + static_cast<long>(i));
        m_idleSinceTestEvent = false;
        SDL_Event ev;
        std::memset(&ev, 0, sizeof ev);
        if (action == "printscreen")
        {
            ev.type = SDL_KEYDOWN;
            ev.key.windowID = SDL_GetWindowID(m_window);
            ev.key.state = SDL_PRESSED;
            ev.key.keysym.scancode = SDL_SCANCODE_PRINTSCREEN;
            ev.key.keysym.sym = SDLK_PRINTSCREEN;
            SDL_PushEvent(&ev);
            ev.type = SDL_KEYUP;
            ev.key.state = SDL_RELEASED;
            SDL_PushEvent(&ev);
        }
        else if (action.rfind("click:", 0) == 0)
        {
            // "click:<x>:<y>": the pointer moves there, then the left button goes down and up.
            int x = 0, y = 0;
            if (std::sscanf(action.c_str(), "click:%d:%d", &x, &y) == 2)
            {
                SDL_WarpMouseInWindow(m_window, x, y);
                ev.type = SDL_MOUSEBUTTONDOWN;
                ev.button.windowID = SDL_GetWindowID(m_window);
                ev.button.button = SDL_BUTTON_LEFT;
                ev.button.state = SDL_PRESSED;
                ev.button.clicks = 1;
                ev.button.x = x;
                ev.button.y = y;
                SDL_PushEvent(&ev);
                ev.type = SDL_MOUSEBUTTONUP;
                ev.button.state = SDL_RELEASED;
                SDL_PushEvent(&ev);
            }
        }
        else if (action.rfind("key:", 0) == 0)
        {
            // "key:<name>": a press and release of the key SDL knows by that name ("Escape", "F2").
            const SDL_Keycode key = SDL_GetKeyFromName(action.c_str() + 4);
            if (key != SDLK_UNKNOWN)
            {
                ev.type = SDL_KEYDOWN;
                ev.key.windowID = SDL_GetWindowID(m_window);
                ev.key.state = SDL_PRESSED;
                ev.key.keysym.sym = key;
                ev.key.keysym.scancode = SDL_GetScancodeFromKey(key);
                SDL_PushEvent(&ev);
                ev.type = SDL_KEYUP;
                ev.key.state = SDL_RELEASED;
                SDL_PushEvent(&ev);
            }
        }
        else if (action.rfind("text:", 0) == 0)
        {
            // "text:<characters>": typed as one piece of text input.
            ev.type = SDL_TEXTINPUT;
            ev.text.windowID = SDL_GetWindowID(m_window);
            std::snprintf(ev.text.text, sizeof ev.text.text, "%s", action.c_str() + 5);
            SDL_PushEvent(&ev);
        }
        else if (action == "close")
        {
            ev.type = SDL_WINDOWEVENT;
            ev.window.windowID = SDL_GetWindowID(m_window);
            ev.window.event = SDL_WINDOWEVENT_CLOSE;
            SDL_PushEvent(&ev);
        }
        return;
    }
}

void PWindow::PumpDesktopEvents()
{
    if (!m_videoStarted)
        return;
    PlayDueTestEvents();
    std::vector<PWindowMessage> produced;
    SDL_Event ev;
    while (SDL_PollEvent(&ev))
    {
        produced.clear();
        PEventTranslator::Translate(ev, produced);
        for (const PWindowMessage& m : produced)
            m_queue.push_back(m);
    }
}

bool PWindow::PeekMessage()
{
    if (m_queue.empty())
        PumpDesktopEvents();
    const bool waiting = !m_queue.empty() || m_quitPosted;
    if (!waiting)
        m_idleSinceTestEvent = true;
    return waiting;
}

bool PWindow::GetMessage(PWindowMessage& message)
{
    // Messages already queued are delivered before the quit, as the desktop would.
    if (m_queue.empty())
        PumpDesktopEvents();
    if (!m_queue.empty())
    {
        message = m_queue.front();
        m_queue.pop_front();
        return true;
    }
    if (m_quitPosted)
    {
        m_quitPosted = false;
        message = PWindowMessage();
        message.message = PMSG_QUIT;
        message.wParam = static_cast<uint64_t>(m_quitCode);
        return false;
    }
    message = PWindowMessage();
    return true;
}

void PWindow::PostQuit(int exitCode)
{
    m_quitPosted = true;
    m_quitCode = exitCode;
}

void PWindow::WaitBriefly()
{
    if (m_videoStarted)
        SDL_WaitEventTimeout(nullptr, 1);
    else
        SDL_Delay(1);
}
