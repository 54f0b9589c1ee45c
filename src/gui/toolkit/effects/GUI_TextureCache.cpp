// Filling the table of off-screen textures.
#include "gui/toolkit/effects/GUI_TextureCache.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"

namespace
{
const char* const kCacheNames[GUI_TextureCache::COUNT] = {
    "rt_dynamic_sprite_sheet",    "rt_car_sprite_cache",       "rt_offscreen", "rt_lightmaps",
    "Open Sans ExtraBold_36.dds", "Open Sans Semibold_20.dds",
};

CLoadedTexture* s_cacheEntries[GUI_TextureCache::COUNT] = {};
} // namespace

void GUI_TextureCache::CreateRenderTargets(int targetWidth, int targetHeight)
{
    GD3DDevice& device = GD3DDevice::Instance();
    device.CreateRenderTarget(kCacheNames[DYNAMIC_SPRITE_SHEET], kSpriteSheetWidth, kSpriteSheetHeight,
                              PFormat::A8R8G8B8);
    device.CreateRenderTarget(kCacheNames[OFFSCREEN], targetWidth, targetHeight, PFormat::A8R8G8B8);
    device.CreateRenderTarget(kCacheNames[LIGHTMAPS], targetWidth, targetHeight, PFormat::A8R8G8B8);
}

void GUI_TextureCache::Init()
{
    for (int i = 0; i < COUNT; ++i)
        s_cacheEntries[i] = CLoadedTexture::FindOrLoad(kCacheNames[i]);
    for (int i = 0; i < COUNT; ++i)
        DebugAssert(s_cacheEntries[i] && s_cacheEntries[i]->m_texture, "GUI_TextureCache", __LINE__);
}

CLoadedTexture* GUI_TextureCache::Get(int index)
{
    return index >= 0 && index < COUNT ? s_cacheEntries[index] : nullptr;
}

const char* GUI_TextureCache::GetName(int index)
{
    return index >= 0 && index < COUNT ? kCacheNames[index] : "";
}

void GUI_TextureCache::Reset()
{
    for (CLoadedTexture*& entry : s_cacheEntries)
        entry = nullptr;
}
