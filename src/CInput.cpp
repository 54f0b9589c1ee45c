// The game's input manager: mouse state plus routing to the current game mode.
#include "CInput.h"

#include "Game.h"
#include "engine/core/GLifetime.h"
#include "platform/video/PWindowMessage.h"

CInput& CInput::Instance()
{
    return GLifetime::Get<CInput>();
}

CInput::CInput()
{
    SetActive(this);
}

void CInput::Update()
{
    m_takingWindow = nullptr;
    UpdateMouse();
    m_mouseTaken = false;
}

void CInput::OnWheelUp()
{
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnWheelUp();
}

void CInput::OnWheelDown()
{
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnWheelDown();
}

void CInput::OnLeftDown()
{
    m_leftHeld = true;
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnLeftDown();
}

void CInput::OnLeftUp()
{
    m_leftHeld = false;
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnLeftUp();
}

void CInput::OnRightDown()
{
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnRightDown();
}

void CInput::OnMiddleDown()
{
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnMiddleDown();
}

void CInput::OnKeyDown(uint32_t virtualKey)
{
    if (virtualKey == PVK_SNAPSHOT)
    {
        Game::Instance().TakeScreenshot();
        return;
    }
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnKeyDown(virtualKey);
}

void CInput::OnChar(uint32_t character)
{
    if (GGameMode* mode = Game::Instance().GetGameMode())
        mode->OnChar(character);
}
