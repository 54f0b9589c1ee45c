// Mouse state and mouse-message routing shared by every input manager.
#include "engine/CBaseInputManager.h"

#include "platform/video/PWindow.h"
#include "platform/video/PWindowMessage.h"

#include <cmath>

CBaseInputManager::CBaseInputManager()
    : m_pointerSource([](float& x, float& y) { PWindow::Instance().GetPointer(x, y); })
{
}

void CBaseInputManager::SetPointerSource(PointerSource source)
{
    m_pointerSource = std::move(source);
}

void CBaseInputManager::Update()
{
    UpdateMouse();
}

void CBaseInputManager::OnLeftDown()
{
    m_leftHeld = true;
}

void CBaseInputManager::OnLeftUp()
{
    m_leftHeld = false;
}

void CBaseInputManager::UpdateMouse()
{
    // The pointer counts as resting while it stays inside a box 24 pixels wide around where
    // it came to rest; tooltips wait on this count.
    if (std::fabs(m_stillRefX - m_mouseX) < 12.0f && std::fabs(m_stillRefY - m_mouseY) < 12.0f)
    {
        ++m_stillCounter;
    }
    else
    {
        m_stillRefX = m_mouseX;
        m_stillRefY = m_mouseY;
        m_stillCounter = 0;
    }
    if (m_pointerSource)
    {
        float x = m_mouseX, y = m_mouseY;
        m_pointerSource(x, y);
        m_mouseX = x;
        m_mouseY = y;
    }
}

void CBaseInputManager::DispatchMouseMessage(uint64_t wParam, uint32_t message)
{
    switch (message)
    {
    case PMSG_LBUTTONDOWN:
        m_doubleClick = false;
        OnLeftDown();
        break;
    case PMSG_LBUTTONDBLCLK:
        m_doubleClick = true;
        OnLeftDown();
        break;
    case PMSG_LBUTTONUP:
        OnLeftUp();
        break;
    case PMSG_RBUTTONDOWN:
        OnRightDown();
        break;
    case PMSG_MBUTTONDOWN:
        OnMiddleDown();
        break;
    case PMSG_MOUSEWHEEL:
        if (static_cast<int32_t>(static_cast<uint32_t>(wParam)) > 0)
            OnWheelUp();
        else
            OnWheelDown();
        break;
    default:
        break;
    }
}

int CharToVirtualKey(int character)
{
    if (character >= '0' && character <= '9')
        return 0x30 + (character - '0');
    if (character >= 'a' && character <= 'z')
        return 0x41 + (character - 'a');
    return -1;
}
