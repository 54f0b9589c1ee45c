// What a click on the floor does, and selling.
#include "gui/factory/view/FloorClicks.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PWindowMessage.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Tile.h"

bool FloorClicks::OnLeftClick(float x, float y, const GUI_FactoryTools& tools)
{
    SIM_Tile* tile = GUI_Tile::SimTileUnderMouse();
    if (!tile)
        return false;
    if (tools.deleteMode)
    {
        RemoveAt(tile);
        return true;
    }
    if (GUI_Tile* view = GUI_Tile::ViewOf(tile); view && view->OnClick(x, y, tools))
        return true;
    if (!tools.conveyorPlacerArmed && !tools.slotChainArmed)
        GUI_Camera::Instance().BeginDrag();
    return true;
}

bool FloorClicks::OnRightClick()
{
    SIM_Tile* tile = GUI_Tile::SimTileUnderMouse();
    if (!tile)
        return false;
    RemoveAt(tile);
    return true;
}

void FloorClicks::RemoveAt(SIM_Tile* tile)
{
    FV_ASSERT(tile != nullptr);
    if (!tile)
        return;
    const bool shift = PKeyState::IsHeld(PVK_SHIFT);
    const bool conveyorFirst = tile->m_conveyor && (shift || !tile->m_builtOn);
    // An import bay, the conveyor piece under it and its importer slot are one purchase: they go
    // together and are paid back once, whichever of them the player removes. Otherwise the slot
    // or the bay left behind would be refunded a second time later.
    SIM_PlaceableSlot* importer = tile->m_occupant;
    const bool isImporter =
        importer && importer->GetTask() && importer->GetTask()->m_name == SIM_DataNames::kTaskResourceImporter;
    SIM_Tile* bayTile = isImporter ? importer->GetTile() : nullptr;
    if (bayTile && SIM_ResourceConveyorManager::Instance().GetImportBayOn(bayTile) &&
        (tile == bayTile || !conveyorFirst))
    {
        if (bayTile->m_conveyor)
        {
            SIM_Placement::RemoveConveyor(bayTile, true);
            if (bayTile->m_occupant == importer)
                SIM_Placement::RemoveSlot(importer, true, false);
        }
        else
        {
            SIM_Placement::RemoveSlot(importer, false, true, tile);
        }
        return;
    }
    SIM_Placement::RemoveAt(tile, shift);
}
