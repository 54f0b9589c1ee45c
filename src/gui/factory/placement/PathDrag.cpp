// Drags across the floor planned by the path finder.
#include "gui/factory/placement/PathDrag.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/placement/PlacementGhost.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/world/SIM_Tile.h"

bool PathDrag::Begin(SIM_Tile* tile)
{
    m_start = nullptr;
    m_end = nullptr;
    m_path.clear();
    if (!tile || tile->m_zoneState != SIM_Tile::ZONE_OPEN)
        return false;
    m_dragging = true;
    m_start = tile;
    return true;
}

void PathDrag::Plan(SIM_Tile* end, int32_t pathMode, bool lockedEndBlocks)
{
    m_path.clear();
    FV_ASSERT(m_start != nullptr);
    FV_ASSERT(end != nullptr);
    m_end = end;
    if (!m_start || !end || (lockedEndBlocks && end->m_zoneState == SIM_Tile::ZONE_LOCKED))
        return;
    if (SIM_PathFinder::Instance().MeasurePath(m_start, end, pathMode, m_path) < 0)
        m_path.clear();
}

void PathDrag::Follow(SIM_Tile* mouseTile, int32_t pathMode, bool lockedEndBlocks)
{
    if (mouseTile && mouseTile != m_end)
        Plan(mouseTile, pathMode, lockedEndBlocks);
    for (SIM_Tile* step : m_path)
        if (const GUI_Tile* view = GUI_Tile::ViewOf(step))
            PlacementGhost::DrawTintedFloor(*view, PlacementGhost::kPath);
}

void PathDrag::Reset()
{
    m_dragging = false;
    m_start = nullptr;
    m_end = nullptr;
    m_path.clear();
}
