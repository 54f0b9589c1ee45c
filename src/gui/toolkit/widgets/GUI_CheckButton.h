// A check box with its caption: a click ticks or unticks it, then runs the callback, which reads
// the new state.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"

#include <string>

class GUI_CheckButton : public GUI_ButtonBase
{
public:
    static constexpr const char* kTickTexture = "checkbox.dds";
    static constexpr int kFrameSide = 34;
    static constexpr int kTickSide = 26;

    // The caption is shown as given (callers look keys up themselves).
    GUI_CheckButton(const std::string& caption, GUI_Callback callback = nullptr, intptr_t argument = 0);

    // Over the button (at the mouse position): the tick flips, then Click; true. Else false.
    bool OnClick(float x, float y) override;
    void Draw() override;

    bool IsTicked() const { return m_ticked; }
    void SetTicked(bool ticked) { m_ticked = ticked; }

private:
    std::string m_caption;
    BaseSprite m_frame;
    CTexturedSprite m_tick;
    bool m_ticked = false;
    bool m_showCaption = true;
    PRect m_captionRect;
};
