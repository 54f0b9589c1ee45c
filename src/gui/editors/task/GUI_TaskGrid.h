// The task editor's 5 x 5 grid of the tiles a task occupies around its anchor (the centre cell):
// a click adds or removes a tile, a right click on an occupied cell opens its tile properties,
// and the cells are coloured by tile type. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <array>

class SIM_BaseTask;

class GUI_TaskGrid : public GUI_WindowBase
{
public:
    static constexpr int kCells = 25;
    static constexpr int kAnchorCell = 12;
    static constexpr const char* kNewTileFloor = "floor_metal_03.dds";
    static constexpr uint32_t kBackground = 0xFF202020u;
    static constexpr uint32_t kFreeCellColour = 0xFF808080u;

    GUI_TaskGrid();

    // The cells, from the grid's rectangle: a fifth of its width each, 2 pixels in from every side.
    void LayoutCells();
    void Layout() override { LayoutCells(); }
    // Keeps the task (not owned) and marks the cells its tiles occupy; the anchor is always occupied.
    void SetTask(SIM_BaseTask* task);
    bool OnClick(float x, float y) override;
    bool OnRightClick(float x, float y) override;
    void Draw() override;
    // The hand while the mouse is over the grid.
    void Update() override;
    // Adds a normal tile at the cell's offsets or removes every tile there (with its props), then
    // shows the task again.
    void ToggleCell(int cell);

    bool IsOccupied(int cell) const { return m_occupied[static_cast<size_t>(cell)]; }
    const PRect& GetCellRect(int cell) const { return m_cells[static_cast<size_t>(cell)]; }
    // The occupied flags, in cell order (row by row).
    const std::array<bool, kCells>& GetOccupied() const { return m_occupied; }
    static int CellXOffset(int cell) { return cell % 5 - 2; }
    static int CellYOffset(int cell) { return cell / 5 - 2; }
    // The fill of an occupied cell by its tile's type; 0 (none) for an unknown type.
    static uint32_t TileTypeColour(int type);

private:
    int CellAt(float x, float y) const;

    std::array<PRect, kCells> m_cells{};
    SIM_BaseTask* m_task = nullptr;
    std::array<bool, kCells> m_occupied{};
};
