// The plain scene object: one textured quad on the floor (a wall, a prop, a marker, one cell of an
// animated prop). The draw queue batches runs of them that share a texture.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/factory/scene/GUI_IsometricObject.h"

#include <string>

class GUI_IsometricSprite : public GUI_IsometricObject
{
public:
    GUI_IsometricSprite() { m_type = kTypeSprite; }

    // Draws the quad at once with its texture (main thread).
    void Draw() override;
    // The sprite takes the texture of that name (found or loaded once, then shared).
    void SetTexture(const std::string& name);

    CTexturedSprite m_sprite;
};

// Moves every corner onto the pixel grid the way the floor's sprites are drawn texel-exact:
// x := truncate(x) - 0.5, likewise y.
void SnapSpriteToPixels(BaseSprite& sprite);
