// One entry of the research-complete notice: what the finished item unlocked, wrapped to the
// notice's width over as many 20-pixel lines as it needs.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_ResearchUnlock : public GUI_WindowBase
{
public:
    static constexpr int kLineHeight = 20;

    explicit GUI_ResearchUnlock(std::string text);

    // The lines the text takes at that width in the body font (one for an empty text: an entry
    // that says nothing still takes its row).
    static int LinesAt(const std::string& text, float width);
    // The text in black from the entry's left edge, wrapped to its width, each line centred in
    // its 20 pixels, in the font chosen by the dialog.
    void Draw() override;

    const std::string& GetText() const { return m_text; }

private:
    std::string m_text;
};
