// Where the labels over the floor stand in one frame: each label hangs on a vertical connector
// above its slot or bay, and is moved only along that connector (up or down) off the labels placed
// before it where the view has room, then kept inside the view below the game's top bar, so no
// label hides another's text and none is pushed under the bar. A label with no room above its
// slot hangs below it instead of over it. Main thread.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <vector>

class FloorLabelPlacer
{
public:
    // Blank pixels kept between two labels moved apart.
    static constexpr int kGap = 4;

    // A new frame: no label placed yet, all of them to stay inside the area.
    void Begin(const PRect& area);
    // The box the label gets for the box it wants above its connector's foot at anchorY (a label
    // with no room above hangs from belowY down, clear of what it names); remembered for the
    // labels after it.
    PRect Place(const PRect& wanted, int anchorY, int belowY);
    // Where the connector from the foot at anchorY meets the box: its bottom edge, or its top
    // edge for a box hanging below the foot.
    static int ConnectorEnd(const PRect& box, int anchorY) { return box.bottom <= anchorY ? box.bottom : box.top; }
    const PRect& GetArea() const { return m_area; }
    const std::vector<PRect>& GetPlaced() const { return m_placed; }

private:
    // The box kept inside the area (sideways only as far as needed; a box taller than the area
    // keeps its top at the area's top).
    PRect Inside(PRect box) const;
    // The first placed box the box overlaps, or null.
    const PRect* FirstOverlap(const PRect& box) const;
    // The box moved step by step past every box it meets, upwards or downwards; false when that
    // leaves the area.
    bool MovePast(PRect& box, bool upwards) const;

    PRect m_area{0, 0, 1 << 20, 1 << 20};
    std::vector<PRect> m_placed;
};
