// What a scrolling list carries beside its window part: the scroll bar and the row windows, and
// ArrangeRows, which shows the rows from the bar's first visible row down as far as they fit.
// A list window:
//
//     class GUI_SaveList : public GUI_WindowBase, public GUI_ScrollContainer
//     {
//     public:
//         GUI_SaveList()
//         {
//             m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
//             RebuildRows();
//         }
//         void RebuildRows() override;      // m_rows = one row window per savegame, then LayoutRows()
//         void LayoutRows() override { ArrangeRows(*this, *this, rowsArea, kRowHeight); }
//         void Update() override
//         {
//             GUI_WindowBase::Update();
//             FollowScrollBar();             // re-arranges when the bar moved
//         }
//     };
//
// The rows belong to the container (m_rows); ArrangeRows only shows them as sub-windows of the
// list. Derive from GUI_WindowBase first, so the window outlives the rows it shows.
// Main thread only.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <vector>

class GUI_ScrollContainer
{
public:
    virtual ~GUI_ScrollContainer() = default;

    // Builds the row windows again from the data.
    virtual void RebuildRows() {}
    // Shows the rows for the bar's current first row (usually one ArrangeRows call).
    virtual void LayoutRows() {}

    // The owner's side of the bar: when the bar's row moved, clears the flag and lays the rows out.
    void FollowScrollBar();

    // Takes every row out of window, then shows rows from the bar's first row down, each
    // rowHeight high and 25 pixels short of right (the bar's place), while they fit above bottom;
    // then tells the bar how many there are and how many show.
    static void ArrangeRows(GUI_ScrollContainer& container, GUI_WindowBase& window, int left, int top, int right,
                            int bottom, int rowHeight);
    static void ArrangeRows(GUI_ScrollContainer& container, GUI_WindowBase& window, const PRect& area, int rowHeight)
    {
        ArrangeRows(container, window, area.left, area.top, area.right, area.bottom, rowHeight);
    }

    GUI_ScrollingWindow* GetScrollBar() const { return m_bar; }
    const std::vector<std::unique_ptr<GUI_WindowBase>>& GetRows() const { return m_rows; }

protected:
    GUI_ScrollingWindow* m_bar = nullptr; // owned by the list window (a sub-window)
    std::vector<std::unique_ptr<GUI_WindowBase>> m_rows;
};

// Whether the mouse lies in the rectangle; lists ask it before they take the wheel.
bool IsMouseInRect(const PRect& rect);
