// The dialog of a placed facility that has none of its own (a power plant, for one): titled with
// the facility's name, it stands beside the facility with the facility's upgrades, and while it
// is open the facility's tiles are outlined and a red elbow line joins the two. The research
// popup draws the same link. Not modal. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>

class GUI_FacilityAnchor;
class SIM_PlaceableSlot;

class GUI_FacilityDialog : public GUI_Dialog
{
public:
    static constexpr int kWidth = 550;
    // The dialog's centre stands this far to the side of the facility, away from the screen's
    // nearer edge.
    static constexpr int kSideOffset = 475;
    static constexpr int kUpgradeRowHeight = 16;
    static constexpr int kPanelBase = 30;
    static constexpr uint32_t kLinkColour = 0xFFFF0505u;

    explicit GUI_FacilityDialog(std::unique_ptr<GUI_FacilityAnchor> facility);
    ~GUI_FacilityDialog() override;

    // A click on such a facility: closes an open facility dialog and opens one for it.
    static GUI_FacilityDialog* Show(std::unique_ptr<GUI_FacilityAnchor> facility);
    static GUI_FacilityDialog* GetOpen() { return s_single.Get(); }
    // The facility leaves the floor: its dialog and research popup close before its view goes.
    static void CloseWindowsOf(const SIM_PlaceableSlot* slot);
    // An upgrade was bought for the slot: its open dialog grows by the new row and lists it.
    static void RefreshOpen(const SIM_PlaceableSlot* slot);

    // The rectangle of a dialog of that height beside a facility whose main tile is at screen x:
    // to its right when it stands left of the screen centre, else to its left; centred at cy.
    static PRect PlaceBeside(float facilityX, int height, float centreY);
    // Highlights the facility and draws the red elbow from the rectangle's centre to its tile.
    static void DrawLink(GUI_FacilityAnchor& facility, const PRect& rect);

    // Closes the window before anything is drawn when its facility has left the floor, even if
    // nobody told it.
    void Update() override;
    void Draw() override;

    GUI_FacilityAnchor& GetFacility() const { return *m_facility; }
    GUI_WindowBase* GetUpgradesPanel() const { return m_upgrades; }

private:
    // Height from the slot's upgrades, centred at centreY, kept below the top strip; the panel
    // fills the client area and lists the upgrades again.
    void Place(float left, float centreY);

    static inline GUI_SingleWindow<GUI_FacilityDialog> s_single;

    std::unique_ptr<GUI_FacilityAnchor> m_facility;
    GUI_WindowBase* m_upgrades = nullptr; // owned as a sub-window; null without a panel
};
