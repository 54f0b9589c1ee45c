// The conveyor-slot chain placement tool.
#include "gui/factory/placement/GUI_SlotChainPlacer.h"

#include "engine/CBaseInputManager.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/placement/PlacementGhost.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Tile.h"

#include <cmath>

namespace
{
constexpr const char* kChainGhost = "conveyor_SE.dds";

void ChainMousePosition(float& x, float& y)
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    x = input ? input->GetMouseX() : 0.0f;
    y = input ? input->GetMouseY() : 0.0f;
}
} // namespace

GUI_SlotChainPlacer& GUI_SlotChainPlacer::Instance()
{
    return GLifetime::Get<GUI_SlotChainPlacer>();
}

void GUI_SlotChainPlacer::Arm()
{
    if (m_flags)
        m_flags->slotChainArmed = true;
}

void GUI_SlotChainPlacer::Disarm()
{
    if (m_flags)
        m_flags->slotChainArmed = false;
}

bool GUI_SlotChainPlacer::IsArmed() const
{
    return m_flags && m_flags->slotChainArmed;
}

void GUI_SlotChainPlacer::OnLeftDown()
{
    if (!IsArmed())
        return;
    ChainMousePosition(m_pressX, m_pressY);
    m_drag.Begin(GUI_Tile::SimTileUnderMouse());
}

void GUI_SlotChainPlacer::PlanPath(SIM_Tile* end)
{
    m_drag.Plan(end, SIM_PathFinder::MODE_SLOT_CHAIN, false);
}

void GUI_SlotChainPlacer::Update()
{
    SIM_Tile* tile = GUI_Tile::SimTileUnderMouse();
    if (m_drag.IsDragging())
    {
        m_drag.Follow(tile, SIM_PathFinder::MODE_SLOT_CHAIN, false);
        return;
    }
    if (IsArmed() && tile)
        DrawHover(tile);
}

void GUI_SlotChainPlacer::DrawHover(const SIM_Tile* tile) const
{
    PlacementGhost::DrawTileQuad(kChainGhost, *tile, FactoryFrameView::FromCamera(), PlacementGhost::kValid);
}

int GUI_SlotChainPlacer::GetMouseFacing(float startX, float startY, float endX, float endY)
{
    if (startX == endX && startY == endY)
        return 1;
    const double dx = static_cast<double>(endX) - startX;
    const double dy = static_cast<double>(endY) - startY;
    // The screen angle turned so that the floor's four directions fall into quarters.
    double a = (std::atan2(dy, dx) + static_cast<double>(3.1415927f)) * static_cast<double>(57.29578f) - 90.0;
    if (a < 0.0)
        a += 360.0;
    if (a < 90.0)
        return 0;
    if (a < 180.0)
        return 1;
    if (a < 270.0)
        return 2;
    return 3;
}

void GUI_SlotChainPlacer::Commit()
{
    if (!m_drag.GetPath().empty())
    {
        float x = 0.0f, y = 0.0f;
        ChainMousePosition(x, y);
        SIM_Placement::PlaceChain(m_drag.GetPath(), GetMouseFacing(m_pressX, m_pressY, x, y));
    }
    Reset();
}

void GUI_SlotChainPlacer::Reset()
{
    m_drag.Reset();
}
