// Message boxes through SDL, modal on the main thread, queued from workers, silent headless.
#include "platform/PMessageBox.h"
#include "platform/PDebugOutput.h"
#include "platform/PThread.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

namespace
{
struct PMessageBoxPending
{
    std::string caption;
    std::string text;
    PMessageBox::Icon icon;
};

std::mutex s_boxLock;
std::deque<PMessageBoxPending> s_boxQueue;
std::function<void()> s_boxHook;

Uint32 PMessageBoxFlags(PMessageBox::Icon icon)
{
    switch (icon)
    {
    case PMessageBox::ICON_WARNING:
        return SDL_MESSAGEBOX_WARNING;
    case PMessageBox::ICON_INFORMATION:
        return SDL_MESSAGEBOX_INFORMATION;
    default:
        return SDL_MESSAGEBOX_ERROR;
    }
}

bool PMessageBoxShowNow(const PMessageBoxPending& box)
{
    std::function<void()> hook;
    {
        std::lock_guard<std::mutex> guard(s_boxLock);
        hook = s_boxHook;
    }
    if (hook)
        hook();
    return SDL_ShowSimpleMessageBox(PMessageBoxFlags(box.icon), box.caption.c_str(), box.text.c_str(),
                                    nullptr) == 0;
}
}

bool PMessageBox::IsHeadless()
{
    const char* v = getenv("FERROVANE_HEADLESS");
    return v && strcmp(v, "1") == 0;
}

bool PMessageBox::Show(const std::string& caption, const std::string& text, Icon icon)
{
    if (IsHeadless())
    {
        PDebugOutput::Write("[" + caption + "] " + text + "\n");
        return false;
    }
    if (!PThread::IsMainThread())
    {
        PDebugOutput::Write("[" + caption + "] (shown by the main thread) " + text + "\n");
        std::lock_guard<std::mutex> guard(s_boxLock);
        s_boxQueue.push_back({caption, text, icon});
        return false;
    }
    // Boxes that workers queued come first, so they are seen even before the loop asks.
    ShowPending();
    bool shown = PMessageBoxShowNow({caption, text, icon});
    if (!shown)
        PDebugOutput::Write("[" + caption + "] " + text + "\n");
    return shown;
}

int PMessageBox::ShowPending()
{
    if (!PThread::IsMainThread())
        return 0;
    int shown = 0;
    for (;;)
    {
        PMessageBoxPending box;
        {
            std::lock_guard<std::mutex> guard(s_boxLock);
            if (s_boxQueue.empty())
                break;
            box = std::move(s_boxQueue.front());
            s_boxQueue.pop_front();
        }
        if (!IsHeadless())
            PMessageBoxShowNow(box);
        ++shown;
    }
    return shown;
}

int PMessageBox::PendingCount()
{
    std::lock_guard<std::mutex> guard(s_boxLock);
    return static_cast<int>(s_boxQueue.size());
}

void PMessageBox::SetBeforeShowHook(std::function<void()> hook)
{
    std::lock_guard<std::mutex> guard(s_boxLock);
    s_boxHook = std::move(hook);
}
