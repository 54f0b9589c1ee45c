// One row of the task editor's side lists (tasks to load, props to place): a grey bar with an
// icon and a name, lit while the mouse is over it. Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_EditorStrip : public GUI_WindowBase
{
public:
    static constexpr uint32_t kStripColour = 0xFFB4B4B4u;
    static constexpr uint32_t kStripHoverColour = 0xFFDCDCDCu;

    GUI_EditorStrip(std::string label, std::string iconName);

    // Fill rectangle and the square icon at the strip's left end, from the strip's rectangle.
    void Layout() override;
    void Draw() override;
    // The hand while the mouse is over it.
    void Update() override;

    const std::string& GetLabel() const { return m_label; }

    // The lists' order: byte by byte, so upper case comes before lower case, and a label before
    // a longer one that begins with it.
    static bool StripLabelLess(const GUI_EditorStrip& a, const GUI_EditorStrip& b);

private:
    std::string m_label;
    std::string m_iconName;
    CTexturedSprite m_icon;
    PRect m_fill;
};
