// The place of a window kind that only ever shows one at a time, and the list of every such place.
#include "gui/toolkit/windows/GUI_SingleWindowPlace.h"

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <algorithm>
#include <utility>

GUI_SingleWindowPlace::GUI_SingleWindowPlace()
{
    List().push_back(this);
}

GUI_SingleWindowPlace::~GUI_SingleWindowPlace()
{
    std::vector<const GUI_SingleWindowPlace*>& list = List();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const std::vector<const GUI_SingleWindowPlace*>& GUI_SingleWindowPlace::All()
{
    return List();
}

std::vector<const GUI_SingleWindowPlace*>& GUI_SingleWindowPlace::List()
{
    // The places are statics of their window classes; the list is made by the first of them, so
    // it outlives them all.
    static std::vector<const GUI_SingleWindowPlace*> list;
    return list;
}

void GUI_SingleWindowPlace::Take(GUI_WindowBase* window)
{
    GUI_WindowBase* old = std::exchange(m_open, window);
    if (old && old != window && !old->IsClosing() && !old->GetParent())
        old->Close();
}

GUI_WindowBase* GUI_SingleWindowPlace::Leave()
{
    return std::exchange(m_open, nullptr);
}
