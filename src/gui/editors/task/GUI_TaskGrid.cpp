// The task editor's tile grid.
#include "gui/editors/task/GUI_TaskGrid.h"

#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "gui/editors/task/GUI_Editor_TileProperties.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/editors/task/GUI_TaskPreview.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/definitions/SIM_BaseTask.h"

#include <algorithm>
#include <cmath>

GUI_TaskGrid::GUI_TaskGrid()
{
    m_occupied[kAnchorCell] = true;
}

uint32_t GUI_TaskGrid::TileTypeColour(int type)
{
    switch (type)
    {
    case TT_NORMAL:
        return 0xFFC8C8F2u;
    case TT_CONVEYOR:
        return 0xFFF2C8C8u;
    case TT_STOCKPILE:
        return 0xFFC8F2F2u;
    case TT_EXPORT:
        return 0xFFF2C8F2u;
    default:
        return 0u;
    }
}

void GUI_TaskGrid::LayoutCells()
{
    const int size = (m_right - m_left) / 5;
    for (int k = 0; k < kCells; ++k)
    {
        const int i = k % 5;
        const int j = k / 5;
        m_cells[static_cast<size_t>(k)] =
            PRect{m_left + i * size + 2, m_top + j * size + 2, m_left + (i + 1) * size - 2, m_top + (j + 1) * size - 2};
    }
}

void GUI_TaskGrid::SetTask(SIM_BaseTask* task)
{
    FV_ASSERT(task);
    m_task = task;
    m_occupied.fill(false);
    m_occupied[kAnchorCell] = true;
    if (!task)
        return;
    for (int k = 0; k < kCells; ++k)
        for (const TaskTileDef& tile : task->m_tiles)
            if (tile.XOffset == CellXOffset(k) && tile.YOffset == CellYOffset(k))
                m_occupied[static_cast<size_t>(k)] = true;
}

int GUI_TaskGrid::CellAt(float x, float y) const
{
    const int px = static_cast<int>(std::trunc(x));
    const int py = static_cast<int>(std::trunc(y));
    for (int k = 0; k < kCells; ++k)
    {
        const PRect& r = m_cells[static_cast<size_t>(k)];
        if (px >= r.left && px < r.right && py >= r.top && py < r.bottom)
            return k;
    }
    return -1;
}

bool GUI_TaskGrid::OnClick(float x, float y)
{
    if (!IsVisible() || !IsMouseOver())
        return false;
    const int cell = CellAt(x, y);
    // The anchor is the task's own place: it never goes.
    if (cell >= 0 && cell != kAnchorCell)
        ToggleCell(cell);
    return true;
}

void GUI_TaskGrid::ToggleCell(int cell)
{
    if (!m_task || cell < 0 || cell >= kCells || cell == kAnchorCell)
        return;
    bool& occupied = m_occupied[static_cast<size_t>(cell)];
    occupied = !occupied;
    const int x = CellXOffset(cell);
    const int y = CellYOffset(cell);
    std::vector<TaskTileDef>& tiles = m_task->m_tiles;
    if (occupied)
    {
        TaskTileDef tile;
        tile.XOffset = x;
        tile.YOffset = y;
        tile.texture = kNewTileFloor;
        tile.type = TT_NORMAL;
        tiles.push_back(std::move(tile));
    }
    else
    {
        tiles.erase(std::remove_if(tiles.begin(), tiles.end(),
                                   [x, y](const TaskTileDef& tile) { return tile.XOffset == x && tile.YOffset == y; }),
                    tiles.end());
    }
    GUI_TaskEditor& editor = GUI_TaskEditor::Instance();
    editor.OnLayoutPropsChanged();
    editor.SetTask(m_task);
}

bool GUI_TaskGrid::OnRightClick(float x, float y)
{
    if (!IsVisible() || !IsMouseOver() || !m_task)
        return false;
    const int cell = CellAt(x, y);
    if (cell < 0 || !m_occupied[static_cast<size_t>(cell)])
        return false;
    for (TaskTileDef& tile : m_task->m_tiles)
        if (tile.XOffset == CellXOffset(cell) && tile.YOffset == CellYOffset(cell))
        {
            GUI_Editor_TileProperties::Open(&tile);
            return true;
        }
    return false;
}

void GUI_TaskGrid::Update()
{
    GUI_WindowBase::Update();
    if (IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}

void GUI_TaskGrid::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect area{m_left, m_top, m_right, m_bottom};
    device.FillRect(area, kBackground);
    device.DrawRectLines(area, 0xFF000000u);
    for (int k = 0; k < kCells; ++k)
    {
        const PRect& cell = m_cells[static_cast<size_t>(k)];
        if (!m_occupied[static_cast<size_t>(k)])
        {
            device.FillRect(cell, kFreeCellColour);
            continue;
        }
        const TaskTileDef* record = nullptr;
        if (m_task)
            for (const TaskTileDef& tile : m_task->m_tiles)
                if (tile.XOffset == CellXOffset(k) && tile.YOffset == CellYOffset(k))
                {
                    record = &tile;
                    break;
                }
        // A layout without an anchor record still shows its anchor, as a plain tile.
        const uint32_t colour = TileTypeColour(record ? record->type : TT_NORMAL);
        if (colour != 0u)
            device.FillRect(cell, colour);
    }
}
