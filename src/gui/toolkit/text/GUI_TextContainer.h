// A block of text in a rectangle: printed whole, word-wrapped, when it fits; otherwise cut into
// lines with a scroll bar at its right edge. It prints in the font current when it draws (and
// measures in the one current when the text is set), so the owner selects the font.
// Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class GUI_ScrollingWindow;

class GUI_TextContainer : public GUI_WindowBase
{
public:
    GUI_TextContainer();

    // The text and the rectangle it fills; the text is wrapped again.
    void SetText(const std::string& text, float left, float top, float right, float bottom);
    void SetPosition(float x, float y) override;
    // A layout that gives the block a new rectangle wraps the text again too.
    void SetRect(float left, float top, float right, float bottom) override;
    void Draw() override;
    // Over the block: the bar moves a line, and one more when the text is cut into lines.
    void OnWheelUp() override;
    void OnWheelDown() override;

    const std::string& GetText() const { return m_text; }
    const std::vector<std::string>& GetLines() const { return m_lines; }
    bool Fits() const { return m_fits; }
    GUI_ScrollingWindow* GetScrollBar() const { return m_scrollBar; }
    void SetTextColour(uint32_t argb) { m_textColour = argb; }

private:
    void Wrap();

    std::vector<std::string> m_lines;
    GUI_ScrollingWindow* m_scrollBar = nullptr; // owned as a sub-window
    PRect m_textRect;
    bool m_fits = true;
    std::string m_text;
    uint32_t m_textColour = 0xFF000000u;
};
