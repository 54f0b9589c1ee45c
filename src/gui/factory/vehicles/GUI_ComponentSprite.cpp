// A car part's layer drawn on its own, painted when it takes the car's colour.
#include "gui/factory/vehicles/GUI_ComponentSprite.h"

#include "engine/GUI_ShaderManager.h"

void GUI_ComponentSprite::Draw()
{
    if (CLoadedTexture* texture = m_sprite.m_texture.Get())
        texture->Bind();
    GShaderEffect* effect = m_overlay ? GUI_ShaderManager::Instance().FindShader("overlay.fx") : nullptr;
    if (effect)
        effect->Begin();
    m_sprite.DrawQuad();
    if (effect)
        effect->End();
}
