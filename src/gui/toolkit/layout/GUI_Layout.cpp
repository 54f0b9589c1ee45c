// Row and column cutting for window layouts.
#include "gui/toolkit/layout/GUI_Layout.h"

#include "engine/GUI_BaseElement.h"

#include <algorithm>

GUI_Layout::GUI_Layout(const PRect& area, int gap) : m_area(area), m_gap(std::max(0, gap))
{
    m_area.right = std::max(m_area.left, m_area.right);
    m_area.bottom = std::max(m_area.top, m_area.bottom);
}

PRect GUI_Layout::Row(int height)
{
    const int h = std::clamp(height, 0, RemainingHeight());
    const PRect row{m_area.left, m_area.top, m_area.right, m_area.top + h};
    m_area.top = std::min(m_area.bottom, row.bottom + m_gap);
    return row;
}

PRect GUI_Layout::Column(int width)
{
    const int w = std::clamp(width, 0, RemainingWidth());
    const PRect column{m_area.left, m_area.top, m_area.left + w, m_area.bottom};
    m_area.left = std::min(m_area.right, column.right + m_gap);
    return column;
}

void GUI_Layout::Skip(int pixels)
{
    m_area.top = std::min(m_area.bottom, m_area.top + std::max(0, pixels));
}

std::vector<PRect> GUI_Layout::SplitColumns(const PRect& row, int count, int gap)
{
    std::vector<PRect> out;
    if (count <= 0)
        return out;
    const int total = std::max(0, Width(row) - gap * (count - 1));
    const int each = total / count;
    int x = row.left;
    for (int i = 0; i < count; ++i)
    {
        const int right = i == count - 1 ? std::max(x, row.right) : x + each;
        out.push_back(PRect{x, row.top, right, row.bottom});
        x = right + gap;
    }
    return out;
}

PRect GUI_Layout::Inset(const PRect& r, int left, int top, int right, int bottom)
{
    PRect out{r.left + left, r.top + top, r.right - right, r.bottom - bottom};
    out.right = std::max(out.left, out.right);
    out.bottom = std::max(out.top, out.bottom);
    return out;
}

bool GUI_Layout::Contains(const PRect& outer, const PRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool GUI_Layout::Overlap(const PRect& a, const PRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void GUI_Layout::Place(GUI_BaseElement* element, const PRect& r)
{
    if (element)
        element->SetRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                         static_cast<float>(r.bottom));
}
