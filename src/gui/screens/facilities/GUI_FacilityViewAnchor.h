// A facility as the factory view shows it, for the research popup and the facility dialog: the
// main tile's place on screen as the view last drew it, the view's outline and name label, and
// the slot's own upgrades panel. Main thread only.
#pragma once

#include "gui/screens/facilities/GUI_FacilityAnchor.h"

class GUI_Facility;

class GUI_FacilityViewAnchor : public GUI_FacilityAnchor
{
public:
    explicit GUI_FacilityViewAnchor(GUI_Facility& view);

    bool GetScreenPosition(float& x, float& y) const override;
    void Highlight() override;
    // The slot dialog's upgrades panel for the facility, whose button opens the upgrade picker.
    std::unique_ptr<GUI_WindowBase> CreateUpgradesPanel() override;

private:
    // Not owned: the facility's slot owns its view. The dialogs holding this anchor close once
    // the slot has left the floor, before they would draw again.
    GUI_Facility& m_view;
};
