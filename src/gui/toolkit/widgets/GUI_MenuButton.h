// An entry of the dark menus (main menu, in-game menu): white caption on near-black that turns red
// under the mouse, with a chevron strip along its bottom edge.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"

class GUI_MenuButton : public GUI_ButtonText
{
public:
    static constexpr const char* kChevronTexture = "button_chevron.png";
    // The chevron picture repeats along the button every this many pixels.
    static constexpr float kChevronRepeat = 256.0f;
    static constexpr float kChevronHeight = 8.0f;

    GUI_MenuButton(const std::string& textKey, GUI_Callback callback = nullptr, intptr_t argument = 0);

    void Draw() override;

private:
    CTexturedSprite m_chevron;
};
