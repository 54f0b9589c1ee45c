// The build menu's delete row: a click on it switches delete mode on, after which each click on
// the factory floor removes (and refunds) what stands there, until the right button, Escape or a
// task row switches it off; the cursor shows the delete cursor meanwhile. The task picker appends
// one below its task rows and owns it. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <memory>
#include <string>

class GUI_Tooltip;

class GUI_BulldozerTask : public GUI_WindowBase
{
public:
    GUI_BulldozerTask();
    ~GUI_BulldozerTask() override;

    // Inside the row: delete mode on and the select sound; true. Elsewhere false.
    bool OnClick(float x, float y) override;
    // Lighter while hovered, the icon and the text beside it.
    void Draw() override;
    // The row's rectangle; the icon is a square two pixels inside its height, near its left edge.
    void SetRect(float left, float top, float right, float bottom) override;
    // While hovered: the tooltip counts towards showing and the cursor shows the hand.
    void Update() override;
    bool IsDialog() override { return false; }

    // The background's alpha for this frame's hover state.
    static uint32_t BackgroundColour(bool hovered) { return hovered ? 0xFAFFFFFFu : 0xBEFFFFFFu; }

private:
    std::string m_text;
    CTexturedSprite m_icon;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
    PRect m_inner;
};
