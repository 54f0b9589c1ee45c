// The one open window of a kind that only ever shows one at a time (a facility's dialog, the
// research popup): opening another closes the old one first. The window claims the place in its
// constructor and lets go of it in its destructor, or earlier when it closes itself, so the
// place never names a window on its way out. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <utility>

template <class Window>
class GUI_SingleWindow
{
public:
    // The open window, or null.
    Window* Get() const { return m_open; }

    // A new window of the kind takes the place (from its constructor).
    void Claim(Window* window) { m_open = window; }
    // The window no longer holds the place (from its destructor); others are left alone.
    void Release(const Window* window)
    {
        if (m_open == window)
            m_open = nullptr;
    }

    // Closes the open window, if any; the window manager deletes it after the current dispatch.
    void CloseOpen()
    {
        if (Window* open = std::exchange(m_open, nullptr))
            open->Close();
    }
    // The window closes itself: it gives up the place at once, so a new one may open this frame.
    void CloseOwn(Window* window)
    {
        Release(window);
        window->Close();
    }

    // Closes the open window and opens a new one made from the arguments, which then holds the place.
    template <class... Args>
    Window* Replace(Args&&... args)
    {
        CloseOpen();
        return GUI_WindowManager::Create<Window>(std::forward<Args>(args)...);
    }

private:
    Window* m_open = nullptr; // not owned: the window manager owns it
};
