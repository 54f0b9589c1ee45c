// Picture button look.
#include "gui/toolkit/widgets/GUI_IconButton.h"

GUI_IconButton::GUI_IconButton(const std::string& textureName, GUI_Callback callback, intptr_t argument)
    : GUI_ButtonBase(std::move(callback), argument)
{
    if (textureName.size() >= 2)
    {
        m_normal.SetTexture(textureName);
        m_hover.SetTexture(textureName);
    }
}

void GUI_IconButton::SetHoverTexture(const std::string& textureName)
{
    if (textureName.size() >= 2)
        m_hover.SetTexture(textureName);
}

void GUI_IconButton::SetTextures(const std::string& textureName)
{
    if (textureName.size() < 2)
        return;
    m_normal.SetTexture(textureName);
    m_hover.SetTexture(textureName);
}

void GUI_IconButton::SetPictureAngle(float degrees)
{
    m_normal.m_angle = degrees;
    m_hover.m_angle = degrees;
}

void GUI_IconButton::Draw()
{
    CTexturedSprite& sprite = m_hovered ? m_hover : m_normal;
    const bool wanted = m_hovered ? m_drawHoverSprite : m_drawNormalSprite;
    // No texture handle at all means no picture was asked for; a handle whose file is missing
    // still draws, plainly, so the gap is visible.
    if (wanted && sprite.m_texture.Get())
    {
        sprite.m_width = static_cast<float>(m_width);
        sprite.m_height = static_cast<float>(m_height);
        sprite.SetColour(255, 255, 255, m_enabled ? 255 : 32);
        sprite.SetPosition(static_cast<float>(m_left + m_right) / 2.0f, static_cast<float>(m_top + m_bottom) / 2.0f);
        sprite.Draw();
    }
    DrawTooltipAndResetHover();
}
