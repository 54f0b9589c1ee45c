// Wrapped, scrolling text block.
#include "gui/toolkit/text/GUI_TextContainer.h"

#include "engine/GFontManager.h"
#include "engine/LibFont.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"

#include <algorithm>

GUI_TextContainer::GUI_TextContainer()
{
    m_scrollBar = CreateSubWindow<GUI_ScrollingWindow>(true);
    m_scrollBar->SetVisible(false);
}

void GUI_TextContainer::SetText(const std::string& text, float left, float top, float right, float bottom)
{
    SetBounds(left, top, right, bottom);
    m_textRect = PRect{m_left, m_top, m_right, m_bottom};
    m_text = text;
    Wrap();
}

void GUI_TextContainer::SetPosition(float x, float y)
{
    MoveBounds(x, y);
    m_textRect = PRect{m_left, m_top, m_right, m_bottom};
    Wrap();
}

void GUI_TextContainer::SetRect(float left, float top, float right, float bottom)
{
    SetText(m_text, left, top, right, bottom);
}

void GUI_TextContainer::Wrap()
{
    m_lines.clear();
    GFontManager& fonts = GFontManager::Instance();
    const PRect& r = m_textRect;
    const float height =
        fonts.IsInitialised() ? fonts.GetWrappedTextHeight(m_text, static_cast<float>(r.right - r.left - 10)) : 0.0f;
    if (height < static_cast<float>(r.bottom - r.top - 10))
    {
        m_fits = true;
        m_scrollBar->SetVisible(false);
        return;
    }
    std::string rest = m_text;
    const float width = static_cast<float>(r.right - r.left - 20);
    while (!rest.empty())
    {
        std::string line = rest, after;
        fonts.SplitLine(width, line, after);
        // Whatever the font answers, every pass takes at least one character, so a line that
        // cannot be split still ends.
        if (after.size() >= rest.size())
        {
            line = rest.substr(0, 1);
            after = rest.substr(1);
        }
        if (!line.empty())
            m_lines.push_back(line);
        rest = after;
    }
    const int barWidth = GUI_Metrics::kTextScrollBarWidth;
    m_scrollBar->SetRect(static_cast<float>(r.right - barWidth), static_cast<float>(r.top), static_cast<float>(r.right),
                         static_cast<float>(r.bottom));
    m_scrollBar->SetVisible(true);
    m_fits = false;
}

void GUI_TextContainer::Draw()
{
    GFontManager& fonts = GFontManager::Instance();
    if (!IsVisible() || !fonts.IsInitialised())
        return;
    const PRect& r = m_textRect;
    if (m_fits)
    {
        fonts.PrintWrapped(m_textColour, -1, m_text, static_cast<float>(r.left + 5), static_cast<float>(r.top + 10),
                           static_cast<float>(r.right - r.left - 10));
        return;
    }
    const LibFont* font = fonts.GetCurrentFont();
    const float lineHeight = fonts.GetTextSize() + static_cast<float>(font ? font->m_lineGap : 0);
    float y = static_cast<float>(r.top + 10);
    int printed = 0;
    const int lines = static_cast<int>(m_lines.size());
    for (int i = std::max(0, m_scrollBar->GetFirstRow()); i < lines; ++i)
    {
        if (!(y < static_cast<float>(r.bottom) - lineHeight - 5.0f))
            break;
        fonts.Print(m_lines[static_cast<size_t>(i)], m_textColour, static_cast<float>(r.left + 5), y, 0.0f, 0);
        y += lineHeight;
        ++printed;
    }
    m_scrollBar->SetRows(static_cast<float>(lines), static_cast<float>(printed), std::max(0, lines - printed));
    DrawSubWindows();
}

void GUI_TextContainer::OnWheelUp()
{
    if (!IsMouseOver())
        return;
    GUI_WindowBase::OnWheelUp();
    if (!m_fits)
        m_scrollBar->StepUp();
}

void GUI_TextContainer::OnWheelDown()
{
    if (!IsMouseOver())
        return;
    GUI_WindowBase::OnWheelDown();
    if (!m_fits)
        m_scrollBar->StepDown();
}
