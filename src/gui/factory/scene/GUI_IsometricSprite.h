// The plain scene object: one textured quad on the floor (a wall, a prop, a marker, one cell of an
// animated prop, a layer of a car). The draw queue batches runs of them that share a texture and
// an effect.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/factory/scene/GUI_IsometricObject.h"

#include <string>

class GShaderEffect;

class GUI_IsometricSprite : public GUI_IsometricObject
{
public:
    GUI_IsometricSprite() { m_type = kTypeSprite; }

    // Draws the quad at once with its texture, through its effect if it has one (main thread).
    void Draw() override;
    // The sprite takes the texture of that name (found or loaded once, then shared).
    void SetTexture(const std::string& name);

    CTexturedSprite m_sprite;
    // Drawn through this effect instead of plainly (a painted car layer through the paint), or
    // null; the queue batches the sprite only with others of the same texture and effect. Not
    // owned: the shader manager keeps its effects.
    GShaderEffect* m_effect = nullptr;
};

// Moves every corner onto the pixel grid the way the floor's sprites are drawn texel-exact:
// x := truncate(x) - 0.5, likewise y.
void SnapSpriteToPixels(BaseSprite& sprite);
