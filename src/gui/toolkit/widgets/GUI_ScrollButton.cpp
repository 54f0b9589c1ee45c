// Scroll arrows.
#include "gui/toolkit/widgets/GUI_ScrollButton.h"

#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"

GUI_ScrollButton::GUI_ScrollButton(const std::string& texture, const std::string& hoverTexture, int direction)
    : GUI_IconButton(texture), m_direction(direction)
{
    SetHoverTexture(hoverTexture);
}

void GUI_ScrollButton::Click()
{
    auto* bar = dynamic_cast<GUI_ScrollingWindow*>(GetOwner());
    if (!bar)
        return;
    if (m_direction == 0)
        bar->StepUp();
    else
        bar->StepDown();
}
