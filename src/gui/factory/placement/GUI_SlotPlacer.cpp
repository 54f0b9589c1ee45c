// The production-slot placement tool.
#include "gui/factory/placement/GUI_SlotPlacer.h"

#include "engine/core/GLifetime.h"
#include "gui/factory/placement/PlacementGhost.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

namespace
{
// The arrow picture points in direction 1 as stored.
constexpr const char* kArrowPicture = "slot_direction_SE.dds";
} // namespace

GUI_SlotPlacer& GUI_SlotPlacer::Instance()
{
    return GLifetime::Get<GUI_SlotPlacer>();
}

void GUI_SlotPlacer::Start(const SIM_ProductionTask* task)
{
    Arm(task);
}

void GUI_SlotPlacer::Rotate()
{
    if (!m_pending)
        return;
    GUI_SlotPlacerBase::Rotate();
    m_pending->SetFacing(m_facing);
    GUI_Sounds::Instance().PlayUISound(UI_SOUND_ROTATE);
}

const SIM_ProductionTask* GUI_SlotPlacer::GetPendingProductionTask() const
{
    return dynamic_cast<const SIM_ProductionTask*>(GetPendingTask());
}

bool GUI_SlotPlacer::CanPlaceAt(const SIM_Tile* anchor, const SIM_BaseTask& task) const
{
    const auto* production = dynamic_cast<const SIM_ProductionTask*>(&task);
    return anchor && production && SIM_PlacementQueries::CanPlaceSlotAt(*production, anchor, m_facing);
}

int GUI_SlotPlacer::GetShownFacing(const SIM_Tile* anchor) const
{
    const SIM_ProductionTask* task = GetPendingProductionTask();
    return task && anchor ? SIM_PlacementQueries::GetPlacementFacing(*task, anchor, m_facing) : m_facing;
}

bool GUI_SlotPlacer::IsGhostValid(const SIM_Tile* anchor) const
{
    const SIM_ProductionTask* task = GetPendingProductionTask();
    return task && anchor && SIM_PlacementQueries::IsSlotGhostValid(*task, anchor, m_facing);
}

void GUI_SlotPlacer::Update()
{
    const SIM_ProductionTask* task = GetPendingProductionTask();
    SIM_Tile* anchor = task ? TileUnderMouse() : nullptr;
    if (!anchor)
        return;
    const bool valid = IsGhostValid(anchor);
    // An importer faces into the hall and an export out of it: the player's turning does not
    // apply to them, and the ghost shows the facing they will get.
    m_facing = GetShownFacing(anchor);
    m_pending->SetFacing(m_facing);
    DrawFootprint(*task, anchor, PlacementGhost::ValidityColour(valid), task->m_sprites, false);
    DrawDirectionArrows(anchor, valid);
}

void GUI_SlotPlacer::DrawDirectionArrow(const SIM_Tile* tile, int direction, bool valid) const
{
    if (!tile)
        return;
    // Mirroring the stored arrow left-right points it to 2, top-bottom to 0, both to 3.
    const bool uMirror = direction == 2 || direction == 3;
    const bool vMirror = direction == 0 || direction == 3;
    PlacementGhost::DrawTileQuad(kArrowPicture, *tile, FactoryFrameView::FromCamera(),
                                 PlacementGhost::ValidityColour(valid), uMirror, vMirror);
}

void GUI_SlotPlacer::DrawDirectionArrows(const SIM_Tile* anchor, bool valid) const
{
    const SIM_ProductionTask* task = GetPendingProductionTask();
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    if (!task || !factory || !anchor)
        return;
    for (int offset : task->m_inputDirections)
    {
        const int d = ((offset + m_facing) % 4 + 4) % 4;
        DrawDirectionArrow(factory->GetNeighbourTile(anchor, d), (d + 2) % 4, valid);
    }
    for (int offset : task->m_exitDirections)
    {
        const int d = ((offset + m_facing) % 4 + 4) % 4;
        DrawDirectionArrow(factory->GetNeighbourTile(anchor, d), d, valid);
    }
}

bool GUI_SlotPlacer::OnClick()
{
    const SIM_ProductionTask* task = GetPendingProductionTask();
    if (!task)
        return false;
    SIM_Tile* anchor = TileUnderMouse();
    if (!anchor)
        return true;
    // Neighbours whose directions do not meet make the ghost red but do not stop the click.
    if (SIM_PlacementQueries::CanPlaceSlotNow(*task, anchor, m_facing))
        Place(anchor);
    if (task->IsConveyor() && !m_pending)
        Start(task);
    return true;
}

SIM_ProductionSlot* GUI_SlotPlacer::Place(SIM_Tile* anchor)
{
    if (!m_pending || !anchor)
        return nullptr;
    m_facing = GetShownFacing(anchor);
    return static_cast<SIM_ProductionSlot*>(CommitPlacement(std::move(m_pending), anchor, false));
}
