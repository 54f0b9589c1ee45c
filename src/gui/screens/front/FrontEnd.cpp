// Shared steps of the front-end screens.
#include "gui/screens/front/FrontEnd.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GGame.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PGraphicsDevice.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"

namespace FrontEnd
{
void ClearScreen(uint32_t colour)
{
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (!device)
        return;
    const PResult result = device->Clear(colour);
    if (result != PRES_OK)
        LogD3DError(result, "ClearScreen()");
}

void UpdateInput()
{
    if (CBaseInputManager* input = CBaseInputManager::Active())
        input->Update();
}

void DrawWindowsAndCursor()
{
    GUI_WindowManager::Instance().Draw();
    GUI_Tooltip::DrawQueuedTooltips();
    GUI_Cursor::Instance().Update();
}

void SwitchTo(const std::string& modeName)
{
    if (GGame* game = GGame::Active())
        game->SetGameMode(modeName);
}

void Quit()
{
    GGame::SetRunning(false);
    if (GGame* game = GGame::Active())
        game->Quit();
}

float MouseX()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    return input ? input->GetMouseX() : 0.0f;
}

float MouseY()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    return input ? input->GetMouseY() : 0.0f;
}

void HoldGame()
{
    SIM_Game::Instance().Hold();
    SIM_Presentation::Instance().Listener().SyncSpeedButtons();
}

void ReleaseGame()
{
    SIM_Game::Instance().Release();
    SIM_Presentation::Instance().Listener().SyncSpeedButtons();
}

bool IsDoubleClick()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    return input && input->IsDoubleClick();
}
} // namespace FrontEnd
