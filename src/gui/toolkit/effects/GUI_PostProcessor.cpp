// Render-target switching and the full-screen quad.
#include "gui/toolkit/effects/GUI_PostProcessor.h"

#include "engine/BaseSprite.h"
#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"

namespace
{
PTexture* s_savedBackBuffer = nullptr; // not owned: the device's own target, or null for the screen
} // namespace

BaseSprite& GUI_PostProcessor::GetRenderTargetQuad()
{
    static BaseSprite quad;
    return quad;
}

void GUI_PostProcessor::Init(int width, int height, int targetWidth, int targetHeight)
{
    BaseSprite& quad = GetRenderTargetQuad();
    const float u = targetWidth > 0 ? static_cast<float>(width) / static_cast<float>(targetWidth) : 1.0f;
    const float v = targetHeight > 0 ? static_cast<float>(height) / static_cast<float>(targetHeight) : 1.0f;
    const float us[4] = {0.0f, u, 0.0f, u};
    const float vs[4] = {0.0f, 0.0f, v, v};
    for (int i = 0; i < 4; ++i)
    {
        quad.m_vertices[i].u = us[i];
        quad.m_vertices[i].v = vs[i];
    }
    quad.m_width = static_cast<float>(width);
    quad.m_height = static_cast<float>(height);
    // Centred on the whole pixel at half the size, as the screen's own centre is.
    const int centreX = width / 2, centreY = height / 2;
    quad.SetPosition(static_cast<float>(centreX), static_cast<float>(centreY));
    SaveBackBuffer();
}

void GUI_PostProcessor::SaveBackBuffer()
{
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    PTexture* current = nullptr;
    const bool ok = device && !PFailed(device->GetRenderTarget(0, &current));
    FV_ASSERT(ok);
    s_savedBackBuffer = ok ? current : nullptr;
}

bool GUI_PostProcessor::SetRenderTarget(int index)
{
    CLoadedTexture* target = GUI_TextureCache::Get(index);
    FV_ASSERT(target && target->m_texture);
    // Quads already queued belong to the picture being drawn now, not to the new target.
    SharedVertexBatch().Flush();
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    PResult r = PRES_INVALIDCALL;
    if (device && target && target->m_texture)
        r = device->SetRenderTarget(0, target->m_texture);
    if (PFailed(r))
        LogD3DError(r, "Failed to set render target");
    // The bound texture may be the new target itself; the next bind must reach the device.
    GTextureManager::Instance().SetForceRebind();
    return !PFailed(r);
}

bool GUI_PostProcessor::RestoreBackBuffer()
{
    SharedVertexBatch().Flush();
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    const PResult r = device ? device->SetRenderTarget(0, s_savedBackBuffer) : PRES_INVALIDCALL;
    if (PFailed(r))
        LogD3DError(r, "Failed to set render target");
    GTextureManager::Instance().SetForceRebind();
    return !PFailed(r);
}
