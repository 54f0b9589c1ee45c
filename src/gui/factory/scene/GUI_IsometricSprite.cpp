// The plain scene object.
#include "gui/factory/scene/GUI_IsometricSprite.h"

void GUI_IsometricSprite::Draw()
{
    m_sprite.Draw();
}

void GUI_IsometricSprite::SetTexture(const std::string& name)
{
    m_sprite.SetTexture(name);
}

void SnapSpriteToPixels(BaseSprite& sprite)
{
    for (PVertex& v : sprite.m_vertices)
    {
        v.x = static_cast<float>(static_cast<int>(v.x)) - 0.5f;
        v.y = static_cast<float>(static_cast<int>(v.y)) - 0.5f;
    }
}
