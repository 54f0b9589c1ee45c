// The floor's tile views and what the tile jobs read of them.
#include "gui/factory/view/FloorGrid.h"

#include "gui/factory/objects/GUI_ResourceConveyor.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <cmath>

void FloorGrid::Build(const SIM_Factory& factory)
{
    m_width = factory.GetWidth();
    m_height = factory.GetHeight();
    m_tiles = std::make_unique<GUI_Tile[]>(Count());
    m_cells = std::make_unique<FloorCell[]>(Count());
    m_arms = std::make_unique<FloorArms[]>(Count());
    for (size_t i = 0; i < Count(); ++i)
        m_tiles[i].AttachCell(&m_cells[i], &m_arms[i]);
    for (int a = 0; a < m_width; ++a)
        for (int b = 0; b < m_height; ++b)
            GetTile(a, b)->InitFromSimTile(factory.GetTile(a, b), factory);
}

void FloorGrid::Drop(bool unlinkSimulation)
{
    if (m_tiles && unlinkSimulation)
        for (size_t i = 0; i < Count(); ++i)
            if (SIM_Tile* tile = m_tiles[i].GetSimTile(); tile && tile->m_view == &m_tiles[i])
                tile->m_view = nullptr;
    // The tiles' conveyor views go with them, all of them.
    if (m_tiles)
        GUI_ResourceConveyor::ForgetAllViews();
    m_tiles.reset();
    m_cells.reset();
    m_arms.reset();
    m_width = m_height = 0;
}

GUI_Tile* FloorGrid::GetTile(int x, int y) const
{
    if (!m_tiles || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return nullptr;
    // The same index as the simulation's grid: the row length is the height, so grids wider than
    // high stay inside the array.
    return &m_tiles[static_cast<size_t>(x) * static_cast<size_t>(m_height) + static_cast<size_t>(y)];
}

void FloorGrid::VisibleColumns(const FactoryFrameView& view, int row, int& first, int& last) const
{
    // A tile's quad is 512 x 256 world units around (256 (x - y), 128 (x + y)); it is on screen
    // when it meets the screen with 256 pixels of slack below. Solved for x - y and x + y with a
    // tile of margin; the tile job applies the exact test.
    const FactoryFrameView& v = view;
    const float z = std::max(v.zoom, 0.0001f);
    const float uLow = ((-v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f - 1.0f - 1.0f;
    const float uHigh = ((v.screenWidth * 0.5f) / z + v.cameraX) / 256.0f + 1.0f + 1.0f;
    const float sLow = ((-v.screenHeight * 0.5f) / z + v.cameraY) / 128.0f - 1.0f - 1.0f;
    const float sHigh = ((v.screenHeight * 0.5f + 256.0f) / z + v.cameraY) / 128.0f + 1.0f + 1.0f;
    // y = x - u and y = s - x.
    const double x = row;
    double lo = std::max(x - static_cast<double>(uHigh), static_cast<double>(sLow) - x);
    double hi = std::min(x - static_cast<double>(uLow), static_cast<double>(sHigh) - x);
    lo = std::max(lo, 0.0);
    hi = std::min(hi, static_cast<double>(m_height - 1));
    if (lo > hi)
    {
        first = 0;
        last = -1;
        return;
    }
    first = static_cast<int>(std::floor(lo));
    last = static_cast<int>(std::ceil(hi));
    last = std::min(last, m_height - 1);
}
