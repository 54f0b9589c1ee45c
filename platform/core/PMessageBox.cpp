// Message boxes: modal on the main thread through the installed presenter, queued from workers,
// silent headless.
#include "platform/core/PMessageBox.h"
#include "platform/core/PDebugOutput.h"
#include "platform/core/PThread.h"

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
PMessageBox::Presenter s_presenter;

bool PMessageBoxShowNow(const PMessageBoxPending& box)
{
    PMessageBox::Presenter presenter;
    {
        std::lock_guard<std::mutex> guard(s_boxLock);
        presenter = s_presenter;
    }
    // Without a desktop (tools, the headless game) there is nobody to show the box to.
    if (!presenter)
        return false;
    return presenter(box.caption, box.text, box.icon);
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

void PMessageBox::SetPresenter(Presenter presenter)
{
    std::lock_guard<std::mutex> guard(s_boxLock);
    s_presenter = std::move(presenter);
}
