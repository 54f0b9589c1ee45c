// Menu entry look.
#include "gui/toolkit/widgets/GUI_MenuButton.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"

GUI_MenuButton::GUI_MenuButton(const std::string& textKey, GUI_Callback callback, intptr_t argument)
    : GUI_ButtonText(textKey, std::move(callback), argument)
{
    m_captionColour = 0xFFFFFFFFu;
    m_chevron.SetTexture(kChevronTexture);
    m_chevron.m_height = kChevronHeight;
}

void GUI_MenuButton::Draw()
{
    GD3DDevice::Instance().FillRect(PRect{m_left, m_top, m_right, m_bottom}, m_hovered ? 0xFFD2331Eu : 0xFF1B1B1Bu);
    m_chevron.m_width = static_cast<float>(m_width);
    m_chevron.SetPosition(static_cast<float>(m_left + m_right) / 2.0f, static_cast<float>(m_bottom) - 4.0f);
    // The strip repeats its picture rather than stretching it across wide buttons.
    const float u = static_cast<float>(m_width) / kChevronRepeat;
    m_chevron.m_vertices[1].u = u;
    m_chevron.m_vertices[3].u = u;
    m_chevron.Draw();
    GUI_Fonts::SelectSemibold20OnBlack();
    const int captionY = (m_top + m_bottom) / 2 - 17;
    DrawCaption(m_captionColour, (m_captionColour & 0x00FFFFFFu) | 0x40000000u, static_cast<float>(captionY));
    DrawTooltipAndResetHover();
}
