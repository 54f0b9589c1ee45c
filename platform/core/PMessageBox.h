// Message boxes the game shows the player (error boxes, fatal system errors). On the main
// thread a box is modal; a box asked for on a worker thread is logged and handed to the main
// thread, which shows it at its next ShowPending. With FERROVANE_HEADLESS=1 (tests, CI) no box
// is ever shown: the text is only written to the debugger output.
#pragma once
#include <functional>
#include <string>

class PMessageBox
{
public:
    enum Icon
    {
        ICON_ERROR,
        ICON_WARNING,
        ICON_INFORMATION,
    };

    // Shows a box with an OK button. Returns once the player closed it (main thread), or at
    // once (worker thread, headless). False when the box could not be shown, was queued or
    // was suppressed.
    static bool Show(const std::string& caption, const std::string& text, Icon icon = ICON_ERROR);
    // Main thread: shows the boxes that worker threads queued, in order. Returns how many.
    static int ShowPending();
    static int PendingCount();
    // True when FERROVANE_HEADLESS=1 is set.
    static bool IsHeadless();

    // What draws a box on the desktop; true when the player saw it. The video layer installs
    // one at start-up; until then (and in programs without a desktop) boxes are only logged.
    using Presenter = std::function<bool(const std::string& caption, const std::string& text, Icon icon)>;
    static void SetPresenter(Presenter presenter);
};
