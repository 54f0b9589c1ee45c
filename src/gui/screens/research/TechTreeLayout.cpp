// The tech tree's grid positions.
#include "gui/screens/research/TechTreeLayout.h"

#include "engine/core/GDebugLog.h"
#include "sim/research/SIM_Researchable.h"

#include <cmath>
#include <unordered_map>

namespace
{
struct RowPass
{
    const std::unordered_map<const SIM_Researchable*, size_t>& index;
    TechTreeLayout::Result& result;

    // Gives the item its row and its dependents theirs; returns the last row the sub-tree used.
    // Every item is placed at most once, so a damaged list cannot send the walk round in circles.
    int Assign(size_t i, const SIM_Researchable* item, int row)
    {
        result.rows[i] = row;
        int current = row;
        bool first = true;
        for (const SIM_Researchable* dependent : item->m_children)
        {
            if (!dependent)
            {
                GDebugLog::Instance().LogError("Tech tree: research [" + item->m_name + "] lists an empty dependent");
                continue;
            }
            const auto found = index.find(dependent);
            if (found == index.end() || result.columns[found->second] < 0 || result.rows[found->second] >= 0)
                continue;
            if (!first)
                ++current;
            first = false;
            current = Assign(found->second, dependent, current);
        }
        return current;
    }
};
} // namespace

TechTreeLayout::Result TechTreeLayout::Compute(const std::vector<SIM_Researchable*>& items)
{
    Result result;
    result.columns.assign(items.size(), -1);
    result.rows.assign(items.size(), -1);
    std::unordered_map<const SIM_Researchable*, size_t> index;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i])
            index.emplace(items[i], i);

    // Depth: the links up to an item without a prerequisite. A chain longer than the list can
    // only be a loop, so the walk stops there and the item stays out of the tree.
    const size_t cap = items.size();
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (!items[i])
            continue;
        size_t depth = 0;
        const SIM_Researchable* step = items[i];
        while (step->m_prerequisite && depth <= cap)
        {
            step = step->m_prerequisite;
            ++depth;
        }
        if (depth > cap)
            GDebugLog::Instance().LogError("Tech tree: research [" + items[i]->m_name +
                                           "] is in a prerequisite loop and is left out");
        else
            result.columns[i] = static_cast<int>(depth);
    }

    RowPass pass{index, result};
    int next = 0;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] && !items[i]->m_prerequisite && result.rows[i] < 0)
            next = pass.Assign(i, items[i], next) + 1;
    result.rowsUsed = next;

    for (size_t i = 0; i < items.size(); ++i)
    {
        if (result.columns[i] >= 0 && result.rows[i] < 0)
        {
            GDebugLog::Instance().LogError("Tech tree: research [" + items[i]->m_name +
                                           "] is not reached from any root and is left out");
            result.columns[i] = -1;
        }
        if (result.columns[i] > result.maxColumn)
            result.maxColumn = result.columns[i];
    }
    result.contentHeight = static_cast<float>(next * kRowPitch + kRowPitch);
    result.contentWidth = static_cast<float>((result.maxColumn + 1) * kColumnPitch);
    return result;
}

TechTreeLayout::Scroll TechTreeLayout::ScrollRange(float content, int extent, int pitch)
{
    Scroll scroll;
    if (pitch <= 0)
        return scroll;
    scroll.total = std::ceil(content / static_cast<float>(pitch));
    // Only whole cells count as shown.
    const int wholeCells = extent / pitch;
    scroll.visible = static_cast<float>(wholeCells);
    const int maxFirst = static_cast<int>(scroll.total) - static_cast<int>(scroll.visible);
    scroll.maxFirst = maxFirst > 0 ? maxFirst : 0;
    return scroll;
}

bool TechTreeLayout::IsVisible(const PRect& viewport, const PRect& entry)
{
    return viewport.bottom > entry.top && viewport.right > entry.left && entry.bottom >= viewport.top &&
           entry.right >= viewport.left;
}
