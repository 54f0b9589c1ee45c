// Camera transforms, scrolling, dragging, limits and zoom range.
#include "gui/toolkit/camera/GUI_Camera.h"

#include "engine/CBaseInputManager.h"
#include "engine/GGameMode.h"
#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PKeyState.h"
#include "platform/video/PWindowMessage.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr uint32_t kCameraKeyA = PVK_A;
constexpr uint32_t kCameraKeyD = PVK_A + ('D' - 'A');
constexpr uint32_t kCameraKeyS = PVK_A + ('S' - 'A');
constexpr uint32_t kCameraKeyW = PVK_A + ('W' - 'A');
} // namespace

GUI_Camera& GUI_Camera::Instance()
{
    return GLifetime::Get<GUI_Camera>();
}

float GUI_Camera::WorldToScreenX(float worldX) const
{
    return (worldX - m_x) * m_zoom + static_cast<float>(GScreenSize::Width()) * 0.5f;
}

float GUI_Camera::WorldToScreenY(float worldY) const
{
    return (worldY - m_y) * m_zoom + static_cast<float>(GScreenSize::Height()) * 0.5f;
}

bool GUI_Camera::IsRectOnScreen(int left, int top, int right, int bottom) const
{
    return !(right < 0 || left > GScreenSize::Width() || top > GScreenSize::Height() || bottom < 0);
}

bool GUI_Camera::IsPointOnScreen(float x, float y) const
{
    return x >= 0.0f && x <= static_cast<float>(GScreenSize::Width()) && y >= 0.0f &&
           y <= static_cast<float>(GScreenSize::Height());
}

void GUI_Camera::Reset()
{
    const GUI_Camera start;
    m_minZoom = start.m_minZoom;
    m_maxZoom = start.m_maxZoom;
    m_x = start.m_x;
    m_y = start.m_y;
    m_zoom = start.m_zoom;
    m_scrollStep = start.m_scrollStep;
    m_anchorX = start.m_anchorX;
    m_anchorY = start.m_anchorY;
    m_dragging = start.m_dragging;
    m_hasLimits = start.m_hasLimits;
    m_limitWidth = start.m_limitWidth;
    m_limitHeight = start.m_limitHeight;
}

void GUI_Camera::ComputeMinZoom(int gridWidth, int gridHeight)
{
    const bool hasFactory = gridWidth > 0 && gridHeight > 0;
    DebugAssert(hasFactory, "GUI_Camera", 63);
    if (!hasFactory)
        return;
    const double fit = static_cast<double>(GScreenSize::Width()) /
                       (std::max(gridWidth, gridHeight) * static_cast<double>(kTileWorldWidth));
    // Cut, not rounded, to two decimals; the small bias keeps 0.29 from becoming 0.28 when the
    // quotient lands a hair under it.
    double cut = std::floor(fit * 100.0 + 1e-9) / 100.0;
    // Large factories would cut to 0.00; a zero zoom divides by zero in every scroll step.
    cut = std::max(cut, static_cast<double>(kZoomFloor));
    m_minZoom = std::min(static_cast<float>(cut), m_maxZoom);
}

void GUI_Camera::SetLimits(int gridWidth, int gridHeight)
{
    m_limitWidth = std::max(gridWidth, 1);
    m_limitHeight = std::max(gridHeight, 1);
    m_hasLimits = true;
}

void GUI_Camera::SetZoom(float zoom)
{
    m_zoom = std::clamp(zoom, kZoomFloor, std::max(kZoomFloor, m_maxZoom));
}

void GUI_Camera::StepZoom(bool in)
{
    const float zoom = m_zoom + (in ? kZoomStep : -kZoomStep);
    m_zoom = std::clamp(zoom, std::max(m_minZoom, kZoomFloor), m_maxZoom);
}

void GUI_Camera::BeginDrag()
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input)
        return;
    m_dragging = true;
    m_anchorX = (input->GetMouseX() - static_cast<float>(GScreenSize::Width()) / 2.0f) / m_zoom + m_x;
    m_anchorY = (input->GetMouseY() - static_cast<float>(GScreenSize::Height()) / 2.0f) / m_zoom + m_y;
}

void GUI_Camera::Update(float frameFactor)
{
    m_scrollStep = frameFactor * 8.0f / m_zoom;
    if (GUI_WindowManager::Instance().HasModal())
        return;
    const CBaseInputManager* input = CBaseInputManager::Active();
    const float width = static_cast<float>(GScreenSize::Width());
    const float height = static_cast<float>(GScreenSize::Height());
    if (input && !input->IsMouseTaken())
    {
        const float margin = width / 60.0f;
        const float mx = input->GetMouseX();
        const float my = input->GetMouseY();
        if (mx >= 0.0f && mx < margin)
            m_x -= m_scrollStep;
        else if (mx > width - margin && mx <= width)
            m_x += m_scrollStep;
        if (my >= 0.0f && my < margin)
            m_y -= m_scrollStep;
        else if (my > height - margin && my <= height)
            m_y += m_scrollStep;
    }
    const GGameMode* mode = GGameMode::Current();
    // Typing into a text field must not scroll the factory.
    if (!mode || !mode->GetKeyboardHandler())
    {
        if (PKeyState::IsHeld(PVK_LEFT) || PKeyState::IsHeld(kCameraKeyA))
            m_x -= m_scrollStep;
        if (PKeyState::IsHeld(PVK_RIGHT) || PKeyState::IsHeld(kCameraKeyD))
            m_x += m_scrollStep;
        if (PKeyState::IsHeld(PVK_UP) || PKeyState::IsHeld(kCameraKeyW))
            m_y -= m_scrollStep;
        if (PKeyState::IsHeld(PVK_DOWN) || PKeyState::IsHeld(kCameraKeyS))
            m_y += m_scrollStep;
    }
    if (m_dragging && input)
    {
        if (input->IsLeftHeld())
        {
            m_x = m_anchorX - (input->GetMouseX() - width / 2.0f) / m_zoom;
            m_y = m_anchorY - (input->GetMouseY() - height / 2.0f) / m_zoom;
        }
        else
        {
            m_dragging = false;
        }
    }
    if (m_hasLimits)
    {
        // Held in the floor's own grid coordinates: the floor is a diamond on screen, and a
        // rectangle around it would let the view settle on an empty corner.
        const float gridX = (2.0f * m_y + m_x) / kTileWorldWidth;
        const float gridY = (2.0f * m_y - m_x) / kTileWorldWidth;
        const float heldX = std::clamp(gridX, 0.0f, static_cast<float>(m_limitWidth - 1));
        const float heldY = std::clamp(gridY, 0.0f, static_cast<float>(m_limitHeight - 1));
        // Only a view that left the floor is moved, so a resting view does not drift by rounding.
        if (heldX != gridX || heldY != gridY)
        {
            const float half = kTileWorldWidth / 2.0f;
            m_x = half * (heldX - heldY);
            m_y = half / 2.0f * (heldX + heldY);
        }
    }
}
