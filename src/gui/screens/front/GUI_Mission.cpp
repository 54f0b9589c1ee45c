// A mission panel and the new-game start.
#include "gui/screens/front/GUI_Mission.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GGameServices.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/front/GUI_LoadingScreen.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/world/SIM_Mission.h"

#include <cstdio>

GUI_Mission::GUI_Mission(SIM_Mission* mission) : m_mission(mission)
{
    m_play = CreateChild<GUI_ButtonText>("CHOOSE_MISSION_PLAY", [this] { OnPlay(this); });
    m_edit = CreateChild<GUI_ButtonText>("CHOOSE_MISSION_EDIT", [this] { OnEdit(this); });
    if (m_mission)
    {
        m_sizeText = SizeText(m_mission->m_startAreaWidth, m_mission->m_startAreaHeight);
        m_cashText = GTextTable::GetText("STARTING_CASH") + ": " +
                     SIM_FinanceManager::FormatMoney(static_cast<float>(m_mission->m_startingCash));
        m_icon.SetTexture(m_mission->m_icon);
    }
}

std::string GUI_Mission::SizeText(int width, int height)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d X %d", height, width);
    return text;
}

void GUI_Mission::Layout()
{
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    if (m_play)
        m_play->SetRect(static_cast<float>(m_inner.right - 220), static_cast<float>(m_inner.top + 5),
                        static_cast<float>(m_inner.right - 5), static_cast<float>(m_inner.bottom - 5));
    const float side = static_cast<float>(m_height - 8);
    m_icon.m_width = side;
    m_icon.m_height = side;
    m_icon.SetPosition(static_cast<float>(m_inner.left + 2) + side / 2.0f, static_cast<float>(m_top + m_bottom) / 2.0f);
    const float iconRight = m_icon.m_vertices[1].x;
    if (m_edit)
        m_edit->SetRect(iconRight + 10.0f, static_cast<float>(m_inner.bottom - 33), iconRight + 105.0f,
                        static_cast<float>(m_inner.bottom - 5));
}

void GUI_Mission::Draw()
{
    GD3DDevice::Instance().FillRect(m_inner, 0xFFC8C8C8u);
    m_icon.Draw();
    const float x = m_icon.m_vertices[1].x + 10.0f;
    const float y = static_cast<float>(m_inner.top + 10);
    GFontManager& fonts = GFontManager::Instance();
    if (m_mission)
        fonts.Print(m_mission->m_guiName, 0xFF000000u, x, y, 0.0f, 0);
    fonts.Print(m_sizeText, 0xFF000000u, x, y + 16.0f, 0.0f, 0);
    fonts.Print(m_cashText, 0xFF000000u, x, y + 32.0f, 0.0f, 0);
    DrawChildren();
}

void GUI_Mission::OnPlay(GUI_Mission* panel)
{
    if (panel)
        StartNewGame(panel->GetMission());
}

bool GUI_Mission::StartNewGame(SIM_Mission* mission)
{
    // The panel goes with the list when the screen changes; only the mission is kept.
    GUI_LoadingScreen& loading = GUI_LoadingScreen::Instance();
    loading.Layout();
    loading.ShowStage("LS_INIT_GAME", 0.0f);
    if (!SIM_Game::Instance().InitSimulation(mission))
    {
        // Entering the game without a floor would leave the player in an empty, broken screen.
        GDebugLog::Instance().LogError("The mission could not be set up; staying on the mission list");
        return false;
    }
    loading.ShowStage("LS_INIT_GUI", 0.25f);
    GGameServices::Get().BuildGameMode();
    loading.ShowStage("LS_SETGAMEMODE", 0.5f);
    FrontEnd::SwitchTo("game");
    loading.ShowStage("LS_START_SOUND", 0.75f);
    SIM_Presentation::Instance().Listener().StartAmbience();
    return true;
}

void GUI_Mission::OnEdit(GUI_Mission* panel)
{
    if (!panel || !panel->GetMission())
        return;
    const std::string missionName = panel->GetMission()->m_name;
    // Leaving the list closes it (after this click); the editor then opens on the mission.
    FrontEnd::SwitchTo("editor");
    GGameServices::Get().OpenMissionEditor(missionName);
}
