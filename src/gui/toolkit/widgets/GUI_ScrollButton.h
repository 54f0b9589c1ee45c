// An arrow at one end of a scroll bar: a click moves the bar one row, silently.
#pragma once

#include "gui/toolkit/widgets/GUI_IconButton.h"

class GUI_ScrollButton : public GUI_IconButton
{
public:
    // direction 0 towards the first row, 1 towards the last.
    GUI_ScrollButton(const std::string& texture, const std::string& hoverTexture, int direction);

    void Click() override;

private:
    int m_direction;
};
