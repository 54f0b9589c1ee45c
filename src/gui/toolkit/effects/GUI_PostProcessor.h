// Redirects drawing into one of the cached render targets and back to the screen, and keeps the
// full-screen quad through which a render target's picture is drawn onto the screen.
#pragma once

class BaseSprite;

class GUI_PostProcessor
{
public:
    // Prepares the quad for a screen of width x height whose render targets are targetWidth x
    // targetHeight (the screen-sized top-left part of a target fills the quad), then remembers
    // the current target as the back buffer. Main thread, after GUI_TextureCache::Init.
    static void Init(int width, int height, int targetWidth, int targetHeight);
    // Remembers the target drawing goes to now as the one to come back to.
    static void SaveBackBuffer();
    // Makes the cached texture at index the render target. False when the device refused; the
    // drawing then goes on wherever the device keeps it.
    static bool SetRenderTarget(int index);
    // Draws to the remembered target again.
    static bool RestoreBackBuffer();
    // The shared full-screen quad.
    static BaseSprite& GetRenderTargetQuad();
};
