// The factory view's facility as a dialog's anchor.
#include "gui/screens/facilities/GUI_FacilityViewAnchor.h"

#include "gui/factory/dialogs/GUI_SlotUpgrades.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/slots/GUI_Facility.h"
#include "sim/slots/SIM_FacilitySlot.h"

GUI_FacilityViewAnchor::GUI_FacilityViewAnchor(GUI_Facility& view)
    : GUI_FacilityAnchor(dynamic_cast<SIM_FacilitySlot*>(view.GetSimSlot())), m_view(view)
{
}

bool GUI_FacilityViewAnchor::GetScreenPosition(float& x, float& y) const
{
    // The tile's own place is only kept while it is on screen; off screen the camera tells.
    const GUI_Tile* tile = m_view.GetMainTileView();
    if (!tile || !tile->IsOnScreen())
        return GUI_FacilityAnchor::GetScreenPosition(x, y);
    x = tile->GetScreenX();
    y = tile->GetScreenY();
    return true;
}

void GUI_FacilityViewAnchor::Highlight()
{
    m_view.RequestOutlines();
    m_view.ShowNameLabel();
}

std::unique_ptr<GUI_WindowBase> GUI_FacilityViewAnchor::CreateUpgradesPanel()
{
    return GetSlot() ? std::make_unique<GUI_SlotUpgrades>(GetSlot()) : nullptr;
}
