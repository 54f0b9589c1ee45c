// The scrolling lists at the sides of the task editor (tasks to load, props to place): rows of
// 32 pixels sorted by name, a scroll bar in the rightmost 20 pixels, and the wheel while the
// mouse is over the list. Derived lists make the rows. Main thread only.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

class GUI_EditorStripList : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    static constexpr int kRowHeight = 32;
    static constexpr int kBarWidth = 20;

    GUI_EditorStripList();

    // The bar at the right edge, then the rows.
    void Layout() override;
    // From the bar's first row down while a row starts above the bottom; a row cut by the
    // bottom edge shows but does not count as visible.
    void LayoutRows() override;
    void Update() override;
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

protected:
    // Sorts the rows by label (stable, so equal labels keep the order they were made in) and
    // lays them out.
    void SortAndLayoutRows();
};
