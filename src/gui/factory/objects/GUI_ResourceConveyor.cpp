// Overhead conveyor arms.
#include "gui/factory/objects/GUI_ResourceConveyor.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/props/GUI_Prop.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/world/SIM_Tile.h"

GUI_ResourceConveyor::GUI_ResourceConveyor(SIM_ResourceConveyor* conveyor, GUI_Tile* tile) : m_conveyor(conveyor)
{
    FV_ASSERT(tile != nullptr);
    if (!tile)
        return;
    const bool ends = tile->GetSimTile() && tile->GetSimTile()->m_hasStockpile;
    const char* const names[4] = {
        ends ? "overhead_terminate_NE.dds" : "overhead_NE.dds", ends ? "overhead_terminate_SE.dds" : "overhead_SE.dds",
        ends ? "overhead_terminate_SW.dds" : "overhead_SW.dds", ends ? "overhead_terminate_NW.dds" : "overhead_NW.dds"};
    // The arms hang a quarter of a tile above the floor's centre line.
    for (int side = 0; side < 4; ++side)
        m_pieces[side].emplace(tile, false, names[side], 512.0f, 512.0f, 0.0f, -128.0f);
}

GUI_ResourceConveyor::~GUI_ResourceConveyor() = default;

void GUI_ResourceConveyor::PreDraw(const FactoryFrameView& view, float tileX, float tileY,
                                   std::vector<IsometricDrawQueue::Staged>& out)
{
    if (!m_conveyor)
        return;
    for (int side = 0; side < 4; ++side)
        if (m_pieces[side] && m_conveyor->m_sides[side])
        {
            m_pieces[side]->PreDrawAt(view, tileX, tileY);
            m_pieces[side]->StageDraw(out);
        }
}
