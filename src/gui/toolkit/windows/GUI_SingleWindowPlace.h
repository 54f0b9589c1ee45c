// The place of a window kind that only ever shows one at a time, without its type: every such
// place is listed, so one test can open each kind twice and see that it holds one window and
// forgets it once it is closed. Main thread only, except where a kind guards its place itself.
#pragma once

#include <vector>

class GUI_WindowBase;

class GUI_SingleWindowPlace
{
public:
    GUI_SingleWindowPlace();
    ~GUI_SingleWindowPlace();
    GUI_SingleWindowPlace(const GUI_SingleWindowPlace&) = delete;
    GUI_SingleWindowPlace& operator=(const GUI_SingleWindowPlace&) = delete;

    // The window holding the place, or null.
    GUI_WindowBase* GetWindow() const { return m_open; }

    // Every place of the program, in no particular order.
    static const std::vector<const GUI_SingleWindowPlace*>& All();

protected:
    // The window takes the place; a top-level window of the kind still holding it closes, so a
    // kind opened twice never leaves two on the screen. A window inside another one goes with its
    // parent and is left alone.
    void Take(GUI_WindowBase* window);
    // Gives up the place and returns the window that held it, or null.
    GUI_WindowBase* Leave();

    GUI_WindowBase* m_open = nullptr; // not owned: the window manager or a parent window owns it

private:
    static std::vector<const GUI_SingleWindowPlace*>& List();
};
