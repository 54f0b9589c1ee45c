// One layer of one facing of a car part, drawn through the paint effect when the part takes the
// car's colour.
#pragma once

#include "gui/factory/scene/GUI_IsometricSprite.h"

class GUI_ComponentSprite : public GUI_IsometricSprite
{
public:
    // Binds its picture and draws its quad at once, painted through "overlay.fx" when overlay is
    // set (main thread).
    void Draw() override;

    bool m_overlay = false;
};
