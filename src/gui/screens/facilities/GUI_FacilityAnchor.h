// What the research popup and the facility dialog need of the facility they were opened for: its
// simulation slot, where its main tile is on screen, the highlight that ties the dialog to it
// (outlined tiles and the name label) and the panel of its upgrades. The factory view gives the
// dialogs an anchor made from its facility view; this base answers from the simulation alone
// (the tile's place through the camera, no highlight, no upgrades panel). Main thread only.
#pragma once

#include <memory>

class GUI_WindowBase;
class SIM_FacilitySlot;

class GUI_FacilityAnchor
{
public:
    explicit GUI_FacilityAnchor(SIM_FacilitySlot* slot) : m_slot(slot) {}
    virtual ~GUI_FacilityAnchor() = default;
    GUI_FacilityAnchor(const GUI_FacilityAnchor&) = delete;
    GUI_FacilityAnchor& operator=(const GUI_FacilityAnchor&) = delete;

    SIM_FacilitySlot* GetSlot() const { return m_slot; }
    // The facility has left the floor (its slot is no longer placed). Compares addresses only,
    // so it is safe to ask after the slot was deleted.
    bool IsGone() const;
    // The screen position of the facility's main tile this frame; false when it has none.
    virtual bool GetScreenPosition(float& x, float& y) const;
    // This frame the facility's tiles are outlined and its name label shows.
    virtual void Highlight() {}
    // The panel listing the facility's upgrades with its button to buy more; null when there
    // is none to show.
    virtual std::unique_ptr<GUI_WindowBase> CreateUpgradesPanel();

private:
    SIM_FacilitySlot* m_slot; // not owned: the slot registry's; the dialogs close when it goes
};
