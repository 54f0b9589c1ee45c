// An entry of the research-complete notice.
#include "gui/screens/research/GUI_ResearchUnlock.h"

#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <utility>

GUI_ResearchUnlock::GUI_ResearchUnlock(std::string text) : m_text(std::move(text))
{
}

int GUI_ResearchUnlock::LinesAt(const std::string& text, float width)
{
    GFontManager& fonts = GFontManager::Instance();
    if (text.empty() || !fonts.IsInitialised())
        return 1;
    GUI_Fonts::SelectSemibold16();
    int lines = 0;
    std::string remaining = text;
    while (!remaining.empty())
    {
        std::string line = remaining, rest;
        fonts.SplitLine(width, line, rest);
        remaining = rest;
        ++lines;
    }
    return lines;
}

void GUI_ResearchUnlock::Draw()
{
    GFontManager& fonts = GFontManager::Instance();
    const int lines = LinesAt(m_text, static_cast<float>(m_width));
    float y = static_cast<float>(m_top);
    std::string remaining = m_text;
    for (int i = 0; i < lines && !remaining.empty(); ++i)
    {
        std::string line = remaining, rest;
        fonts.SplitLine(static_cast<float>(m_width), line, rest);
        fonts.Print(line, 0xFF000000u, static_cast<float>(m_left), fonts.LineYIn(y, kLineHeight), 0.0f, 0);
        remaining = rest;
        y += static_cast<float>(kLineHeight);
    }
}
