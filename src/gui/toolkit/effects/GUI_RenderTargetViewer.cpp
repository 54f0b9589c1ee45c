// The render-target debug overlay.
#include "gui/toolkit/effects/GUI_RenderTargetViewer.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"

GUI_RenderTargetViewer& GUI_RenderTargetViewer::Instance()
{
    return GLifetime::Get<GUI_RenderTargetViewer>();
}

void GUI_RenderTargetViewer::Draw()
{
    if (!m_shown)
        return;
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(m_rect, 0xFF000000u);
    m_sprite.Draw();
    device.DrawRectLines(m_rect, 0xFFFFFFFFu);
    GFontManager::Instance().Print(m_title, 0xFFFFFFFFu, static_cast<float>(m_rect.left),
                                   static_cast<float>(m_rect.top), 0.0f, 0);
}
