// The offer to rent a locked zone of the site, opened by a click on one of its tiles: the zone's
// name, size and hourly rent, and a button that opens it for building once Factory Expansion is
// researched. Renting costs nothing at once; the rent is booked every game hour from then on.
// Modal. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>

class GUI_ButtonText;
class GUI_TextContainer;
class SIM_BuildingZone;

class GUI_ExpansionDialog : public GUI_Dialog
{
public:
    static constexpr int kWidth = 600;
    static constexpr int kBodyHeight = 96;
    static constexpr int kButtonArea = 50;
    static constexpr int kLineHeight = 16;
    // The research item that opens the offer.
    static constexpr const char* kGateResearch = "research_expansion";

    explicit GUI_ExpansionDialog(SIM_BuildingZone* zone);
    ~GUI_ExpansionDialog() override;

    // Closes an open expansion dialog and opens one for the zone.
    static GUI_ExpansionDialog* Show(SIM_BuildingZone* zone);
    static GUI_ExpansionDialog* GetOpen() { return s_single.Get(); }

    // The unlock button: the zone opens (tiles, sparkles, sound) and the dialog closes.
    void OnUnlock();
    void Draw() override;

    GUI_ButtonText* GetUnlockButton() const { return m_unlockButton; }
    const std::string& GetZoneName() const { return m_zoneName; }
    const std::string& GetSizeText() const { return m_sizeText; }
    const std::string& GetRentText() const { return m_rentText; }

private:
    static inline GUI_SingleWindow<GUI_ExpansionDialog> s_single;

    SIM_BuildingZone* m_zone; // not owned: the mission's
    std::string m_nameLabel;
    std::string m_sizeLabel;
    std::string m_rentLabel;
    std::string m_explanation;
    std::string m_zoneName;
    std::string m_sizeText;
    std::string m_rentText;
    GUI_ButtonText* m_unlockButton = nullptr;      // owned by the button list
    GUI_TextContainer* m_explanationBox = nullptr; // owned as a sub-window
};
