// The facility a dialog points at.
#include "gui/screens/facilities/GUI_FacilityAnchor.h"

#include <algorithm>

#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Tile.h"

bool GUI_FacilityAnchor::IsGone() const
{
    if (!m_slot)
        return false;
    const std::vector<SIM_PlaceableSlot*>& placed = SlotQueries::Instance().GetAllSlots();
    return std::find(placed.begin(), placed.end(), m_slot) == placed.end();
}

bool GUI_FacilityAnchor::GetScreenPosition(float& x, float& y) const
{
    const SIM_Tile* tile = m_slot ? m_slot->GetTile() : nullptr;
    if (!tile)
        return false;
    const GUI_Camera& camera = GUI_Camera::Instance();
    x = camera.WorldToScreenX(tile->m_worldX);
    y = camera.WorldToScreenY(tile->m_worldY);
    return true;
}

std::unique_ptr<GUI_WindowBase> GUI_FacilityAnchor::CreateUpgradesPanel()
{
    return nullptr;
}
