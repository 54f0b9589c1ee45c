// The shared part of the slot and facility placers.
#include "gui/factory/placement/GUI_SlotPlacerBase.h"

#include "engine/CBaseInputManager.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/placement/PlacementGhost.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/TaskTileDef.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

namespace
{
bool IsOutsideTile(const SIM_Tile* tile)
{
    return !tile || tile->m_zoneState == SIM_Tile::ZONE_NONE;
}
} // namespace

GUI_SlotPlacerBase::~GUI_SlotPlacerBase() = default;

void GUI_SlotPlacerBase::Rotate()
{
    m_facing = (m_facing + 1) % 4;
}

bool GUI_SlotPlacerBase::CanPlaceAt(const SIM_Tile* anchor, const SIM_BaseTask& task) const
{
    return anchor && SIM_PlacementQueries::CanPlaceAt(task, anchor, m_facing);
}

SIM_Tile* GUI_SlotPlacerBase::GetLayoutTile(const TaskTileDef& def, const SIM_Tile* anchor) const
{
    return anchor ? SIM_PlacementQueries::GetLayoutTile(def, anchor, m_facing) : nullptr;
}

bool GUI_SlotPlacerBase::IsLayoutTileFree(const TaskTileDef& def, const SIM_Tile* anchor) const
{
    return anchor && SIM_PlacementQueries::IsLayoutTileFree(def, anchor, m_facing);
}

bool GUI_SlotPlacerBase::IsFootprintFree(const SIM_BaseTask& task, const SIM_Tile* anchor) const
{
    return anchor && SIM_PlacementQueries::IsFootprintFree(task, anchor, m_facing);
}

int GUI_SlotPlacerBase::GhostPropFacing(const TaskPropDef& prop, const SIM_Tile* tile) const
{
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    if (!prop.propType || prop.propType->GetName() != "import" || !factory || !tile)
        return m_facing;
    // The import door stands against the outside wall, whichever way the player turned the slot.
    static const struct
    {
        int dx, dy, facing;
    } kWalls[] = {{1, 0, 3}, {0, 1, 0}, {0, -1, 2}, {-1, 0, 1}};
    for (const auto& wall : kWalls)
        if (IsOutsideTile(factory->GetTile(tile->m_gridX + wall.dx, tile->m_gridY + wall.dy)))
            return wall.facing;
    return m_facing;
}

void GUI_SlotPlacerBase::DrawGhostProps(const TaskTileDef& def, SIM_Tile* tile, const GhostColour& colour,
                                        const FactoryFrameView& view) const
{
    GUI_Tile* owner = GUI_Tile::ViewOf(tile);
    if (!owner)
        return;
    for (const auto& prop : def.props)
    {
        if (!prop || !prop->propType)
            continue;
        // A prop of its own for one frame: the ghost is never part of the floor's prop lists.
        GUI_Prop ghost(PropPlacement{prop->position, prop->propType, prop->facing}, owner,
                       GhostPropFacing(*prop, tile));
        ghost.PreDraw(view);
        ghost.DrawNow(colour.r, colour.g, colour.b, colour.a);
    }
}

void GUI_SlotPlacerBase::DrawFootprint(const SIM_BaseTask& task, SIM_Tile* anchor, const GhostColour& colour,
                                       const std::string* conveyorPictures, bool propsLast) const
{
    const FactoryFrameView view = FactoryFrameView::FromCamera();
    for (const TaskTileDef& def : task.m_tiles)
    {
        SIM_Tile* tile = GetLayoutTile(def, anchor);
        if (!tile)
            continue;
        const bool conveyor = def.type == TT_CONVEYOR && conveyorPictures && !conveyorPictures[m_facing].empty();
        PlacementGhost::DrawTileQuad(conveyor ? conveyorPictures[m_facing] : def.texture, *tile, view, colour);
        if (!propsLast)
            DrawGhostProps(def, tile, colour, view);
    }
    if (!propsLast)
        return;
    for (const TaskTileDef& def : task.m_tiles)
        if (SIM_Tile* tile = GetLayoutTile(def, anchor))
            DrawGhostProps(def, tile, colour, view);
}

SIM_PlaceableSlot* GUI_SlotPlacerBase::CommitPlacement(std::unique_ptr<SIM_PlaceableSlot> slot, SIM_Tile* anchor,
                                                       bool loading)
{
    return SIM_Placement::PlaceSlot(std::move(slot), anchor, m_facing, loading);
}

const SIM_BaseTask* GUI_SlotPlacerBase::GetPendingTask() const
{
    return m_pending ? m_pending->GetTask() : nullptr;
}

void GUI_SlotPlacerBase::Arm(const SIM_BaseTask* task)
{
    m_pending.reset();
    m_pending = SIM_Placement::CreateSlot(task);
    if (m_pending)
        m_pending->SetFacing(m_facing);
}

SIM_Tile* GUI_SlotPlacerBase::TileUnderMouse()
{
    return CBaseInputManager::Active() ? GUI_Tile::SimTileUnderMouse() : nullptr;
}
