// A picture button (menu icons, scroll arrows): one picture normally and another while the mouse
// is over it, faint while disabled.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"

#include <string>

class GUI_IconButton : public GUI_ButtonBase
{
public:
    // Both pictures take the texture when its name has two characters or more; a shorter name
    // leaves the button without a picture.
    GUI_IconButton(const std::string& textureName, GUI_Callback callback = nullptr, intptr_t argument = 0);

    void Draw() override;
    void SetHoverTexture(const std::string& textureName);
    // Both pictures change (a button that shows its state, such as expand and collapse).
    void SetTextures(const std::string& textureName);
    // Turns both pictures (degrees); scroll arrows of a horizontal bar are turned by 270.
    void SetPictureAngle(float degrees);
    const CTexturedSprite& GetNormalSprite() const { return m_normal; }

protected:
    CTexturedSprite m_normal;
    CTexturedSprite m_hover;
    bool m_drawHoverSprite = true;
    bool m_drawNormalSprite = true;
};
