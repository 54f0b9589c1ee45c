// Dialog title.
#include "gui/toolkit/windows/GUI_TitleBar.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>
#include <cmath>

void GUI_TitleBar::SetTitle(const std::string& text)
{
    DebugAssert(m_width > 0, "GUI_TitleBar", 16);
    m_text = text;
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
    {
        m_shown = text;
        return;
    }
    GUI_Fonts::SelectExtraBold36();
    // The text ends before the close box (or the dialog's edge), never under it.
    const int textRight = m_textRight > m_left ? m_textRight : m_right - 10;
    const float room = static_cast<float>(textRight - (m_left + GUI_Metrics::kTitleTextInset));
    m_titleWidth = std::min(static_cast<float>(fonts.GetTextWidth(text) + 40), room);
    m_shown = fonts.TruncateToWidth(m_titleWidth, text);
}

void GUI_TitleBar::SetStrip(int stripBottom, int textRight)
{
    // Measured again only when the room changed, not when the dialog merely moved.
    const bool resized = textRight - m_left != m_textRoom;
    m_stripBottom = stripBottom;
    m_textRight = textRight;
    m_textRoom = textRight - m_left;
    if (resized && m_width > 0 && !m_text.empty())
        SetTitle(m_text);
}

float GUI_TitleBar::TextTop() const
{
    const float strip = static_cast<float>(std::max(m_stripBottom, m_bottom) - m_top);
    return GFontManager::Instance().LineYIn(static_cast<float>(m_top), strip);
}

void GUI_TitleBar::Draw()
{
    GFontManager& fonts = GFontManager::Instance();
    if (m_shown.empty() || !fonts.IsInitialised())
        return;
    GUI_Fonts::SelectExtraBold36();
    fonts.Print(m_shown, 0xFF000000u, static_cast<float>(m_left + GUI_Metrics::kTitleTextInset), TextTop(), 0.0f, 0);
    fonts.Flush();
}
