// A dialog's close box in its top-right corner: a click closes the window it is given.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"

class GUI_WindowBase;

class GUI_CloseButton : public GUI_ButtonBase
{
public:
    static constexpr const char* kTexture = "close_button.dds";

    explicit GUI_CloseButton(GUI_WindowBase* window);

    // The box and its "X", lit while the mouse is over it. It draws no tooltip.
    void Draw() override;

private:
    CTexturedSprite m_sprite;
};
