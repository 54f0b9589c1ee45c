// The facility placement tool.
#include "gui/factory/placement/GUI_FacilityPlacer.h"

#include "engine/core/GLifetime.h"
#include "gui/factory/placement/PlacementGhost.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_PlacementQueries.h"

GUI_FacilityPlacer& GUI_FacilityPlacer::Instance()
{
    return GLifetime::Get<GUI_FacilityPlacer>();
}

void GUI_FacilityPlacer::Start(const SIM_FacilityTask* task)
{
    Arm(task);
}

void GUI_FacilityPlacer::Rotate()
{
    if (!m_pending)
        return;
    GUI_SlotPlacerBase::Rotate();
    m_pending->SetFacing(m_facing);
}

bool GUI_FacilityPlacer::IsGhostValid(const SIM_Tile* anchor) const
{
    const SIM_BaseTask* task = GetPendingTask();
    return task && anchor && SIM_PlacementQueries::IsFacilityGhostValid(*task, anchor, m_facing);
}

void GUI_FacilityPlacer::DrawGhost()
{
    const SIM_BaseTask* task = GetPendingTask();
    SIM_Tile* anchor = task ? TileUnderMouse() : nullptr;
    if (!anchor)
        return;
    DrawFootprint(*task, anchor, PlacementGhost::ValidityColour(IsGhostValid(anchor)), nullptr, true);
}

bool GUI_FacilityPlacer::OnClick()
{
    const SIM_BaseTask* task = GetPendingTask();
    if (!task)
        return false;
    SIM_Tile* anchor = TileUnderMouse();
    if (anchor && SIM_PlacementQueries::CanPlaceFacilityNow(*task, anchor, m_facing))
        Place(anchor);
    return true;
}

SIM_PlaceableSlot* GUI_FacilityPlacer::Place(SIM_Tile* anchor)
{
    if (!m_pending || !anchor)
        return nullptr;
    return CommitPlacement(std::move(m_pending), anchor, false);
}
