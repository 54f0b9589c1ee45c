// The overhead-conveyor placement tool.
#include "gui/factory/placement/GUI_ConveyorPlacer.h"

#include "engine/core/GLifetime.h"
#include "engine/core/GOptions.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/placement/PlacementGhost.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/world/SIM_Tile.h"

namespace
{
constexpr const char* kOverheadGhost = "overhead_NW.dds";
} // namespace

GUI_ConveyorPlacer& GUI_ConveyorPlacer::Instance()
{
    return GLifetime::Get<GUI_ConveyorPlacer>();
}

void GUI_ConveyorPlacer::Arm()
{
    if (m_flags)
        m_flags->conveyorPlacerArmed = true;
}

void GUI_ConveyorPlacer::Disarm()
{
    if (m_flags)
        m_flags->conveyorPlacerArmed = false;
}

bool GUI_ConveyorPlacer::IsArmed() const
{
    return m_flags && m_flags->conveyorPlacerArmed;
}

bool GUI_ConveyorPlacer::OnLeftDown()
{
    if (!IsArmed())
        return false;
    if (m_drag.Begin(GUI_Tile::SimTileUnderMouse()) && GOptions::Instance().GetFloat("OPT_CONVEYOR_GUI") > 0.0f)
        m_flags->conveyorMode = true;
    return true;
}

void GUI_ConveyorPlacer::PlanPath(SIM_Tile* end)
{
    m_drag.Plan(end, SIM_PathFinder::MODE_CONVEYOR, true);
}

void GUI_ConveyorPlacer::Update()
{
    SIM_Tile* tile = GUI_Tile::SimTileUnderMouse();
    if (m_drag.IsDragging())
    {
        m_drag.Follow(tile, SIM_PathFinder::MODE_CONVEYOR, true);
        return;
    }
    if (IsArmed() && tile)
        DrawHover(tile);
}

void GUI_ConveyorPlacer::DrawHover(const SIM_Tile* tile) const
{
    GUI_Tile* owner = GUI_Tile::ViewOf(tile);
    if (!owner)
        return;
    // The ghost hangs where a laid piece would: the same picture, size and height.
    GUI_Prop ghost(owner, false, kOverheadGhost, 512.0f, 512.0f, 0.0f, -128.0f);
    const FactoryFrameView view = FactoryFrameView::FromCamera();
    ghost.PreDrawAt(view, view.ToScreenX(tile->m_worldX), view.ToScreenY(tile->m_worldY));
    const GhostColour& colour = PlacementGhost::kValid;
    ghost.DrawNow(colour.r, colour.g, colour.b, colour.a);
}

float GUI_ConveyorPlacer::GetTileCost(const SIM_Tile* tile)
{
    return SIM_PlacementQueries::GetConveyorTileCost(tile);
}

void GUI_ConveyorPlacer::Commit()
{
    if (!m_drag.GetPath().empty())
        SIM_Placement::LayConveyorPath(m_drag.GetPath());
    Reset();
}

void GUI_ConveyorPlacer::Reset()
{
    m_drag.Reset();
    if (m_flags)
        m_flags->conveyorMode = false;
}
