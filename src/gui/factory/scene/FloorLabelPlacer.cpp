// Floor label placement.
#include "gui/factory/scene/FloorLabelPlacer.h"

#include <algorithm>
#include <cstdlib>

namespace
{
bool LabelsMeet(const PRect& a, const PRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void MoveLabel(PRect& box, int dx, int dy)
{
    box.left += dx;
    box.right += dx;
    box.top += dy;
    box.bottom += dy;
}
} // namespace

void FloorLabelPlacer::Begin(const PRect& area)
{
    m_area = area;
    m_placed.clear();
}

PRect FloorLabelPlacer::Inside(PRect box) const
{
    if (box.right > m_area.right)
        MoveLabel(box, m_area.right - box.right, 0);
    if (box.left < m_area.left)
        MoveLabel(box, m_area.left - box.left, 0);
    if (box.bottom > m_area.bottom)
        MoveLabel(box, 0, m_area.bottom - box.bottom);
    if (box.top < m_area.top)
        MoveLabel(box, 0, m_area.top - box.top);
    return box;
}

const PRect* FloorLabelPlacer::FirstOverlap(const PRect& box) const
{
    for (const PRect& placed : m_placed)
        if (LabelsMeet(box, placed))
            return &placed;
    return nullptr;
}

bool FloorLabelPlacer::MovePast(PRect& box, bool upwards) const
{
    // Each step clears one more box, so as many steps as boxes placed always end the walk.
    for (size_t step = 0; step <= m_placed.size(); ++step)
    {
        const PRect* other = FirstOverlap(box);
        if (!other)
            return true;
        if (upwards)
            MoveLabel(box, 0, other->top - kGap - box.bottom);
        else
            MoveLabel(box, 0, other->bottom + kGap - box.top);
        if (box.top < m_area.top || box.bottom > m_area.bottom)
            return false;
    }
    return FirstOverlap(box) == nullptr;
}

PRect FloorLabelPlacer::Place(const PRect& wanted, int anchorY, int belowY)
{
    PRect box = Inside(wanted);
    // Pushed down over its own slot by the top of the view, the label hangs below the slot.
    if (box.bottom > anchorY && wanted.bottom <= anchorY)
    {
        const int top = std::max(anchorY, belowY) + kGap;
        const PRect below = Inside(PRect{box.left, top, box.right, top + (box.bottom - box.top)});
        if (below.top >= anchorY)
            box = below;
    }
    if (FirstOverlap(box))
    {
        PRect up = box, down = box;
        const bool upFits = MovePast(up, true);
        const bool downFits = MovePast(down, false);
        // The shorter move along the connector wins; with no room either way the label stays
        // where it was, over the other.
        if (upFits && (!downFits || std::abs(up.top - box.top) <= std::abs(down.top - box.top)))
            box = up;
        else if (downFits)
            box = down;
    }
    m_placed.push_back(box);
    return box;
}
