// Rows, columns and margins for a window's Layout(): start from an area (a dialog's client
// rectangle), cut rows off its top or bottom and columns off its sides, split a row into equal
// columns, and place each child in the rectangle it gets. A window lays out in one place:
//
//     void GUI_MyDialog::Layout()
//     {
//         GUI_Layout area(GetClientRect(), GUI_Metrics::kGap);
//         GUI_Layout::Place(m_title, area.Row(GUI_Metrics::kRowHeight));
//         PRect buttons = area.RowFromBottom(GUI_Metrics::kButtonHeight);
//         std::vector<PRect> cells = GUI_Layout::SplitColumns(buttons, 2, GUI_Metrics::kGap);
//         GUI_Layout::Place(m_ok, cells[0]);
//         GUI_Layout::Place(m_cancel, cells[1]);
//         GUI_Layout::Place(m_list, area.Rest());
//     }
// Sizes never go negative: an area too small for a cut gives an empty rectangle at its edge.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <vector>

class GUI_BaseElement;

class GUI_Layout
{
public:
    // gap: the space left after each row or column cut.
    explicit GUI_Layout(const PRect& area, int gap = 0);

    // Cuts a row of that height off the top (then the gap).
    PRect Row(int height);
    // Cuts a column off the left (then the gap).
    PRect Column(int width);
    // Leaves pixels free at the top.
    void Skip(int pixels);
    // What is left.
    PRect Rest() const { return m_area; }
    int RemainingHeight() const { return m_area.bottom - m_area.top; }
    int RemainingWidth() const { return m_area.right - m_area.left; }

    // count columns of equal width (the last takes the rounding) with gaps between them.
    static std::vector<PRect> SplitColumns(const PRect& row, int count, int gap);
    static PRect Inset(const PRect& r, int left, int top, int right, int bottom);
    static PRect Inset(const PRect& r, int all) { return Inset(r, all, all, all, all); }
    // A rectangle from its left, top, width and height.
    static PRect FromSize(int left, int top, int width, int height)
    {
        return PRect{left, top, left + width, top + height};
    }
    static int Width(const PRect& r) { return r.right - r.left; }
    static int Height(const PRect& r) { return r.bottom - r.top; }
    static bool Contains(const PRect& outer, const PRect& inner);
    static bool Overlap(const PRect& a, const PRect& b);
    // Gives the element the rectangle (its SetRect). A null element is skipped.
    static void Place(GUI_BaseElement* element, const PRect& r);

private:
    PRect m_area;
    int m_gap;
};
