// Text button look.
#include "gui/toolkit/widgets/GUI_ButtonText.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/text/GUI_Fonts.h"

GUI_ButtonText::GUI_ButtonText(const std::string& textKey, GUI_Callback callback, intptr_t argument)
    : GUI_ButtonBase(std::move(callback), argument), m_caption(GTextTable::GetText(textKey)), m_captionKey(textKey)
{
}

void GUI_ButtonText::SetTextByKey(const std::string& key)
{
    m_caption = GTextTable::GetText(key);
    m_captionKey = key;
}

void GUI_ButtonText::DrawCaption(uint32_t enabledColour, uint32_t disabledColour, float y)
{
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    const float room = static_cast<float>(m_width - 2 * kCaptionPadding);
    std::string caption = m_caption;
    if (static_cast<float>(fonts.GetTextWidth(caption)) > room && !m_captionKey.empty() &&
        GTextTable::HasText(m_captionKey + "_SHORT"))
        caption = GTextTable::GetText(m_captionKey + "_SHORT");
    GUI_Fonts::PrintFitted(caption, m_enabled ? enabledColour : disabledColour, static_cast<float>(m_left), y,
                           static_cast<float>(m_width), 2, room, kSmallestCaption);
}

void GUI_ButtonText::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect r{m_left, m_top, m_right, m_bottom};
    device.FillRect(r, m_hovered ? 0xDCFFFFFFu : 0xA0FFFFFFu);
    device.DrawRectLines(r, 0xF0FFFFFFu);
    GUI_Fonts::SelectSemibold16();
    const int captionY = (m_top + m_bottom) / 2 - 9;
    DrawCaption(m_captionColour, (m_captionColour & 0x00FFFFFFu) | 0x40000000u, static_cast<float>(captionY));
    if (!m_deferredFlush && GFontManager::Instance().IsInitialised())
        GFontManager::Instance().Flush();
    DrawTooltipAndResetHover();
}
