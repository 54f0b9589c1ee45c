// Check box look and toggle.
#include "gui/toolkit/widgets/GUI_CheckButton.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"

GUI_CheckButton::GUI_CheckButton(const std::string& caption, GUI_Callback callback, intptr_t argument)
    : GUI_ButtonBase(std::move(callback), argument), m_caption(caption)
{
    m_frame.m_width = static_cast<float>(kFrameSide);
    m_frame.m_height = static_cast<float>(kFrameSide);
    m_tick.SetTexture(kTickTexture);
    m_tick.m_width = static_cast<float>(kTickSide);
    m_tick.m_height = static_cast<float>(kTickSide);
}

bool GUI_CheckButton::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    m_ticked = !m_ticked;
    Click();
    return true;
}

void GUI_CheckButton::Draw()
{
    DrawTooltipAndResetHover();
    GD3DDevice& device = GD3DDevice::Instance();
    const float cx = static_cast<float>(m_left + 37);
    const float cy = static_cast<float>(m_top + 21);
    m_frame.SetPosition(cx, cy);
    const PRect frame{static_cast<int>(m_frame.m_vertices[0].x), static_cast<int>(m_frame.m_vertices[0].y),
                      static_cast<int>(m_frame.m_vertices[3].x), static_cast<int>(m_frame.m_vertices[3].y)};
    device.FillRect(frame, 0xFF000000u);
    device.DrawRectLines(frame, 0xC8FFFFFFu);
    if (m_ticked)
    {
        m_tick.SetPosition(cx, cy);
        m_tick.Draw();
    }
    if (!m_showCaption)
        return;
    m_captionRect = PRect{m_left + 64, m_top + 5, m_right - 10, m_bottom - 5};
    device.FillRect(m_captionRect, 0x20FFFFFFu);
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectSemibold16();
    fonts.Print(m_caption, 0xFF000000u, static_cast<float>(m_captionRect.left + 10), static_cast<float>(m_top + 8),
                0.0f, 0);
}
