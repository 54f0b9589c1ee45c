// The plain scene object.
#include "gui/factory/scene/GUI_IsometricSprite.h"

#include "engine/CLoadedTexture.h"
#include "engine/GShaderEffect.h"

void GUI_IsometricSprite::Draw()
{
    if (!m_effect)
    {
        m_sprite.Draw();
        return;
    }
    if (CLoadedTexture* texture = m_sprite.m_texture.Get())
        texture->Bind();
    m_effect->Begin();
    m_sprite.DrawQuad();
    m_effect->End();
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
