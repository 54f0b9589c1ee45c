// The mission editor mode.
#include "gui/editors/mission/GUI_MissionEditor.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GGame.h"
#include "engine/GGameServices.h"
#include "engine/core/GLifetime.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

#include <memory>
#include <string>

namespace
{
constexpr uint32_t kEditorEscapeKey = 27;
}

GUI_MissionEditor& GUI_MissionEditor::Instance()
{
    return GLifetime::Get<GUI_MissionEditor>();
}

GUI_MissionEditor::GUI_MissionEditor()
{
    Register(kModeName);
}

void GUI_MissionEditor::Edit(SIM_Mission& mission)
{
    // The mode is made before the switch, so the switch finds it on the first edit too. The
    // mission list's edit button has switched already.
    GUI_MissionEditor& mode = Instance();
    GGame* game = GGame::Active();
    if (game && game->GetGameMode() != &mode)
        game->SetGameMode(kModeName);
    if (GUI_MissionEditorDialog* open = GUI_MissionEditorDialog::GetOpen())
        GUI_WindowManager::Instance().Destroy(open);
    GUI_WindowManager::Create<GUI_MissionEditorDialog>(&mission);
}

bool GUI_MissionEditor::EditNamed(const std::string& missionName)
{
    SIM_Mission* mission = SIM_MissionManager::Instance().GetMission(missionName);
    if (!mission)
        return false;
    Edit(*mission);
    return true;
}

void GUI_MissionEditor::Process()
{
    if (CBaseInputManager* input = CBaseInputManager::Active())
        input->Update();
    GGameServices::Get().UpdateWindows();
}

void GUI_MissionEditor::Draw()
{
    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
    {
        const PResult result = device->Clear(kClearColour);
        if (result != PRES_OK)
            LogD3DError(result, "ClearScreen()");
    }
    GGameServices::Get().DrawWindows();
}

void GUI_MissionEditor::OnLeftDown()
{
    GGameServices::Get().WindowsLeftDown();
}

void GUI_MissionEditor::OnRightDown()
{
    GGameServices::Get().WindowsRightDown();
}

void GUI_MissionEditor::OnWheelUp()
{
    GGameServices::Get().WindowsWheel(true);
}

void GUI_MissionEditor::OnWheelDown()
{
    GGameServices::Get().WindowsWheel(false);
}

void GUI_MissionEditor::OnKeyDown(uint32_t virtualKey)
{
    // The mode sees the key before any field does: Escape leaves even while the player types.
    GGame* game = GGame::Active();
    if (virtualKey == kEditorEscapeKey && game)
        game->SetGameMode("mainmenu");
    GGameServices::Get().WindowsKeyDown(virtualKey);
}

void GUI_MissionEditor::Exit()
{
    GUI_MissionEditorDialog* open = GUI_MissionEditorDialog::GetOpen();
    if (!open)
        return;
    SIM_Mission* mission = open->GetMission();
    open->Release();
    GUI_WindowManager::Instance().Destroy(open);
    if (mission && !mission->m_file.empty())
        mission->Load(mission->m_file);
}
