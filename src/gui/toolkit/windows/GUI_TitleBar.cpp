// Dialog title.
#include "gui/toolkit/windows/GUI_TitleBar.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>

void GUI_TitleBar::SetTitle(const std::string& text)
{
    DebugAssert(m_width > 0, "GUI_TitleBar", 16);
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
    {
        m_shown = text;
        return;
    }
    GUI_Fonts::SelectExtraBold36();
    m_titleWidth = std::min(static_cast<float>(fonts.GetTextWidth(text) + 40), static_cast<float>(m_width - 40));
    m_shown = fonts.TruncateToWidth(m_titleWidth, text);
}

void GUI_TitleBar::Draw()
{
    GFontManager& fonts = GFontManager::Instance();
    if (m_shown.empty() || !fonts.IsInitialised())
        return;
    GUI_Fonts::SelectExtraBold36();
    fonts.Print(m_shown, 0xFF000000u, static_cast<float>(m_left + GUI_Metrics::kTitleTextInset),
                static_cast<float>(m_top + GUI_Metrics::kTitleTextTop), 0.0f, 0);
    fonts.Flush();
}
