// The fixed table of textures that off-screen drawing uses by index: the render targets the
// animation compiler, the car sprite cache and the view draw into, and two font sheets.
#pragma once

class CLoadedTexture;

class GUI_TextureCache
{
public:
    enum Index
    {
        DYNAMIC_SPRITE_SHEET = 0,
        CAR_SPRITE_CACHE = 1,
        OFFSCREEN = 2,
        LIGHTMAPS = 3,
        FONT_EXTRABOLD_36 = 4,
        FONT_SEMIBOLD_20 = 5,
        COUNT = 6,
    };

    // The sprite-sheet target must hold the largest sheet the animation compiler makes.
    static constexpr int kSpriteSheetWidth = 2048;
    static constexpr int kSpriteSheetHeight = 4096;

    // Makes the render targets only this cache names: the sprite-sheet target at its fixed size and
    // the two screen-sized ones at the render-target size. The device makes the car sprite cache.
    static void CreateRenderTargets(int targetWidth, int targetHeight);
    // Finds or loads every entry, then checks that each has a device texture. Main thread.
    static void Init();
    // The entry at index, or null before Init or for an index out of range.
    static CLoadedTexture* Get(int index);
    static const char* GetName(int index);
    // Forgets every entry (the textures themselves belong to the texture manager).
    static void Reset();
};
