// The one open window of a kind that only ever shows one at a time (a facility's dialog, the
// research popup): opening another closes the old one first. The window claims the place in its
// constructor and lets go of it in its destructor, or earlier when it closes itself, so the
// place never names a window on its way out. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_SingleWindowPlace.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

#include <utility>

template <class Window>
class GUI_SingleWindow : public GUI_SingleWindowPlace
{
public:
    // The open window, or null.
    Window* Get() const { return static_cast<Window*>(m_open); }

    // A new window of the kind takes the place (from its constructor); an older top-level one
    // still open closes.
    void Claim(Window* window) { Take(window); }
    // The window no longer holds the place (from its destructor); others are left alone.
    void Release(const Window* window)
    {
        if (Get() == window)
            m_open = nullptr;
    }
    // Gives up the place and returns the window that held it, or null, for the caller to close.
    Window* Forget() { return static_cast<Window*>(Leave()); }

    // Closes the open window, if any; the window manager deletes it after the current dispatch.
    void CloseOpen()
    {
        if (Window* open = Forget())
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
};
