// The OpenGL graphics system: owns the GL 3.3 core context made on the game window and reports the
// adapter, its capabilities and the display modes of the first display.
#pragma once

#include "platform/video/PGraphicsSystem.h"

class PGLGraphicsSystem : public PGraphicsSystem
{
public:
    // Makes the context on an SDL window created with SDL_WINDOW_OPENGL; null when that fails.
    static PGLGraphicsSystem* Create(PWindowHandle window);
    ~PGLGraphicsSystem() override;

    PResult GetAdapterIdentifier(int adapter, uint32_t flags, PAdapterIdentifier& out) override;
    PResult GetDeviceCaps(int adapter, PDeviceCaps& out) override;
    PResult GetAdapterDisplayMode(int adapter, PDisplayMode& out) override;
    int GetAdapterModeCount(int adapter, uint32_t format) override;
    PResult EnumAdapterModes(int adapter, uint32_t format, int index, PDisplayMode& out) override;
    PResult CheckDeviceFormat(int adapter, uint32_t adapterFormat, bool renderTarget, PFormat format) override;
    PResult CreateDevice(int adapter, PWindowHandle window, bool hardwareVertexProcessing, PPresentParams& params,
                         PGraphicsDevice** out) override;

private:
    PGLGraphicsSystem(PWindowHandle window, void* context) : m_window(window), m_context(context) {}
    PWindowHandle m_window;
    void* m_context;
};
