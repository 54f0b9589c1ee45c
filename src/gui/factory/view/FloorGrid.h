// The tile views of the game's floor, one per simulation tile in the simulation's grid order, with
// what the tile jobs read of each (its cell, and the arms of an arms-only tile) kept beside them.
// Built with the game's view and dropped with it. Main thread; the tile jobs read it during a
// frame.
#pragma once

#include "gui/factory/floor/GUI_Tile.h"

#include <cstddef>
#include <memory>

class SIM_Factory;
struct FactoryFrameView;

class FloorGrid
{
public:
    // One tile view per tile of the simulation's floor, linked both ways, tinted and walled.
    void Build(const SIM_Factory& factory);
    // The tile views go; unlinkSimulation when the simulation's tiles still exist and must forget
    // them first.
    void Drop(bool unlinkSimulation);

    bool IsBuilt() const { return m_tiles != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Null off the grid or before it is built.
    GUI_Tile* GetTile(int x, int y) const;
    // The tile, cell and arms at the index row x height + column, as the tile jobs walk a row.
    GUI_Tile* TileAt(size_t index) const { return m_tiles.get() + index; }
    const FloorCell* CellAt(size_t index) const { return m_cells.get() + index; }
    const FloorArms* ArmsAt(size_t index) const { return m_arms.get() + index; }

    // The columns of a row the camera can see in the frame (first > last: none). The work of a
    // frame grows with the screen, not with the floor.
    void VisibleColumns(const FactoryFrameView& view, int row, int& first, int& last) const;

private:
    size_t Count() const { return static_cast<size_t>(m_width) * static_cast<size_t>(m_height); }

    std::unique_ptr<GUI_Tile[]> m_tiles;
    std::unique_ptr<FloorCell[]> m_cells; // in the tiles' order
    std::unique_ptr<FloorArms[]> m_arms;  // likewise
    int m_width = 0;
    int m_height = 0;
};
