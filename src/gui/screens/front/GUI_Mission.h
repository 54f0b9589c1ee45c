// One mission in the mission list: its picture, name, building size and starting cash, and the
// buttons that start a new game on it or open it in the mission editor. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_ButtonText;
class SIM_Mission;

class GUI_Mission : public GUI_WindowBase
{
public:
    explicit GUI_Mission(SIM_Mission* mission);

    void Layout() override;
    void Draw() override;

    // The new game on the panel's mission, through the loading screen into the game.
    static void OnPlay(GUI_Mission* panel);
    // The mission editor on the panel's mission.
    static void OnEdit(GUI_Mission* panel);
    // The new-game sequence itself; false (staying on the list) when the mission cannot be set up.
    static bool StartNewGame(SIM_Mission* mission);

    // "<height> X <width>" of the building zone the mission starts with.
    static std::string SizeText(int width, int height);

    SIM_Mission* GetMission() const { return m_mission; }
    const std::string& GetSizeText() const { return m_sizeText; }
    const std::string& GetCashText() const { return m_cashText; }
    GUI_ButtonText* GetPlayButton() const { return m_play; }
    GUI_ButtonText* GetEditButton() const { return m_edit; }
    const CTexturedSprite& GetIcon() const { return m_icon; }

private:
    GUI_ButtonText* m_play = nullptr; // owned by the button list
    GUI_ButtonText* m_edit = nullptr; // owned by the button list
    SIM_Mission* m_mission;           // not owned: the mission manager's
    PRect m_inner;
    std::string m_sizeText;
    std::string m_cashText;
    CTexturedSprite m_icon;
};
