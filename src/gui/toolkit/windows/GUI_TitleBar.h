// A dialog's title: the text in the large bold face along the dialog's top, cut with dots when it
// would not fit.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_TitleBar : public GUI_WindowBase
{
public:
    // Needs the bar's width (asserted); measures and cuts the text to the room it has.
    void SetTitle(const std::string& text);
    // The strip the title stands in, from the bar's top down to stripBottom (where the dialog's
    // client area begins), and the x the text must end before (the close box, or the dialog's
    // right edge). The dialog sets both whenever it is placed.
    void SetStrip(int stripBottom, int textRight);
    void Draw() override;
    const std::string& GetShownTitle() const { return m_shown; }
    // The y the title is printed at: its whole line, accents to descenders, centred in the strip.
    float TextTop() const;
    int GetStripBottom() const { return m_stripBottom; }
    int GetTextRight() const { return m_textRight; }

private:
    std::string m_text;
    float m_titleWidth = 0.0f;
    std::string m_shown;
    int m_stripBottom = 0;
    int m_textRight = 0;
    int m_textRoom = 0; // m_textRight from the bar's left edge
};
