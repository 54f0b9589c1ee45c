// The small dialog a click on a research office opens beside it: the current research with a
// progress bar, its percentage and description, and a button to the research screen. Like the
// facility dialog it outlines the office and joins itself to it with a red line. The research is
// read once, at opening. Not modal. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <string>

class GUI_ButtonText;
class GUI_FacilityAnchor;
class GUI_TextContainer;
class SIM_PlaceableSlot;
class SIM_Researchable;

class GUI_ResearchPopup : public GUI_Dialog
{
public:
    static constexpr int kWidth = 550;
    static constexpr int kHeight = 200;

    explicit GUI_ResearchPopup(std::unique_ptr<GUI_FacilityAnchor> facility);
    ~GUI_ResearchPopup() override;

    // A click on a research office: closes an open popup and opens one for that office.
    static GUI_ResearchPopup* Show(std::unique_ptr<GUI_FacilityAnchor> facility);
    static GUI_ResearchPopup* GetOpen() { return s_single.Get(); }
    // Closes the popup when it belongs to that facility (the facility leaves the floor).
    static void CloseFor(const SIM_PlaceableSlot* slot);

    // The details button: the popup closes and the research screen opens.
    void OnShowDetails();
    // Closes the window before anything is drawn when its facility has left the floor, even if
    // nobody told it.
    void Update() override;
    void Draw() override;

    const std::string& GetPercentText() const { return m_percentText; }
    const std::string& GetItemName() const { return m_itemName; }
    const PRect& GetBarRect() const { return m_bar; }
    const PRect& GetFilledRect() const { return m_filled; }
    GUI_TextContainer* GetDescription() const { return m_description; }
    GUI_ButtonText* GetDetailsButton() const { return m_detailsButton; }
    GUI_FacilityAnchor& GetFacility() const { return *m_facility; }

private:
    // Percentage and filled part of the bar from the item's progress now.
    void UpdateProgress();

    static inline GUI_SingleWindow<GUI_ResearchPopup> s_single;

    std::unique_ptr<GUI_FacilityAnchor> m_facility;
    GUI_TextContainer* m_description = nullptr; // owned as a sub-window; only with an item
    SIM_Researchable* m_item = nullptr;         // not owned: the research manager's
    std::string m_progressLabel;
    std::string m_percentText;
    std::string m_titleLabel;
    std::string m_itemName;
    PRect m_bar;
    PRect m_filled;
    GUI_ButtonText* m_detailsButton = nullptr; // owned by the button list
};
