// Where every research item sits in the tech tree: the column is the item's depth below its root,
// and rows are handed out depth-first, so a sub-tree fills one band of rows and the next sibling
// starts under it. Kept apart from the window so the arrangement can be checked on its own.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <vector>

class SIM_Researchable;

class TechTreeLayout
{
public:
    // The grid: one column every 400 pixels, one row every 70, each entry 350 x 60, the grid's
    // origin 10 pixels in from the viewport's top-left corner.
    static constexpr int kColumnPitch = 400;
    static constexpr int kRowPitch = 70;
    static constexpr int kEntryWidth = 350;
    static constexpr int kEntryHeight = 60;
    static constexpr int kInset = 10;

    struct Result
    {
        // Per item, in the order given; both -1 for an item left out of the tree.
        std::vector<int> columns;
        std::vector<int> rows;
        // Rows taken by the forest (one past the last row used).
        int rowsUsed = 0;
        int maxColumn = 0;
        // Always one row more than the rows used.
        float contentHeight = static_cast<float>(kRowPitch);
        float contentWidth = static_cast<float>(kColumnPitch);
    };

    // Lays out the items in list order: roots stacked in that order, dependents in the order they
    // were linked. An item whose prerequisites never reach a root (a loop) or that no root's
    // dependents lead to is left out and logged once; a missing dependent is skipped.
    static Result Compute(const std::vector<SIM_Researchable*>& items);

    // How far a scroll bar may go: total cells of pitch in the content (rounded up), the cells
    // the extent shows whole, and the largest first cell (never below 0).
    struct Scroll
    {
        float total = 0.0f;
        float visible = 0.0f;
        int maxFirst = 0;
    };
    static Scroll ScrollRange(float content, int extent, int pitch);

    // The entry shows (and takes clicks) when any part of it lies in the viewport; an entry whose
    // right or bottom edge lies on the viewport's left or top edge still counts.
    static bool IsVisible(const PRect& viewport, const PRect& entry);
};
