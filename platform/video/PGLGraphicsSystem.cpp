// The OpenGL system: context creation, adapter facts and display modes through SDL.
#include "platform/video/PGLGraphicsSystem.h"

#include "platform/video/PGLDevice.h"
#include "platform/video/PGraphics.h"

#include <SDL.h>
#include <epoxy/gl.h>

PGraphicsSystem* PGraphics::CreateGLSystem(PWindowHandle window)
{
    return PGLGraphicsSystem::Create(window);
}

PGLGraphicsSystem* PGLGraphicsSystem::Create(PWindowHandle window)
{
    if (!window)
        return nullptr;
    auto* sdlWindow = static_cast<SDL_Window*>(window);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
    if (!context)
        return nullptr;
    if (SDL_GL_MakeCurrent(sdlWindow, context) != 0 || epoxy_gl_version() < 33)
    {
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    return new PGLGraphicsSystem(window, context);
}

PGLGraphicsSystem::~PGLGraphicsSystem()
{
    if (m_context && SDL_WasInit(SDL_INIT_VIDEO) != 0)
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_context));
}

PResult PGLGraphicsSystem::GetAdapterIdentifier(int adapter, uint32_t, PAdapterIdentifier& out)
{
    if (adapter != 0)
        return PRES_INVALIDCALL;
    auto text = [](GLenum name) {
        const auto* s = reinterpret_cast<const char*>(glGetString(name));
        return std::string(s ? s : "");
    };
    out.driver = text(GL_VENDOR);
    out.description = text(GL_RENDERER);
    out.deviceName = text(GL_VERSION);
    return PRES_OK;
}

PResult PGLGraphicsSystem::GetDeviceCaps(int adapter, PDeviceCaps& out)
{
    if (adapter != 0)
        return PRES_INVALIDCALL;
    out = PDeviceCaps();
    GLint drawBuffers = 1, maxTexture = 0;
    glGetIntegerv(GL_MAX_DRAW_BUFFERS, &drawBuffers);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    out.numSimultaneousRTs = drawBuffers;
    out.pixelShaderVersion = PShaderVersion(3, 0);
    out.hwTransformAndLight = true;
    out.maxTextureSize = maxTexture;
    return PRES_OK;
}

PResult PGLGraphicsSystem::GetAdapterDisplayMode(int adapter, PDisplayMode& out)
{
    SDL_DisplayMode mode;
    if (adapter != 0 || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return PRES_NOTAVAILABLE;
    out = {static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h), static_cast<uint32_t>(mode.refresh_rate),
           static_cast<uint32_t>(PFormat::X8R8G8B8)};
    return PRES_OK;
}

int PGLGraphicsSystem::GetAdapterModeCount(int adapter, uint32_t format)
{
    if (adapter != 0 || format != static_cast<uint32_t>(PFormat::X8R8G8B8))
        return 0;
    const int count = SDL_GetNumDisplayModes(0);
    return count > 0 ? count : 0;
}

PResult PGLGraphicsSystem::EnumAdapterModes(int adapter, uint32_t format, int index, PDisplayMode& out)
{
    SDL_DisplayMode mode;
    if (adapter != 0 || format != static_cast<uint32_t>(PFormat::X8R8G8B8) || SDL_GetDisplayMode(0, index, &mode) != 0)
        return PRES_INVALIDCALL;
    out = {static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h), static_cast<uint32_t>(mode.refresh_rate),
           format};
    return PRES_OK;
}

PResult PGLGraphicsSystem::CheckDeviceFormat(int adapter, uint32_t, bool, PFormat format)
{
    if (adapter != 0)
        return PRES_INVALIDCALL;
    return format == PFormat::A8R8G8B8 || format == PFormat::X8R8G8B8 ? PRES_OK : PRES_NOTAVAILABLE;
}

PResult PGLGraphicsSystem::CreateDevice(int adapter, PWindowHandle window, bool, PPresentParams& params,
                                        PGraphicsDevice** out)
{
    if (!out)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (adapter != 0 || !window || window != m_window)
        return PRES_INVALIDCALL;
    auto* sdlWindow = static_cast<SDL_Window*>(window);
    if (!params.windowed)
    {
        SDL_DisplayMode mode = {};
        mode.format = SDL_PIXELFORMAT_RGB888;
        mode.w = static_cast<int>(params.backBufferWidth);
        mode.h = static_cast<int>(params.backBufferHeight);
        if (mode.w <= 0 || mode.h <= 0)
            return PRES_NOTAVAILABLE;
        // A display without that mode switches to the nearest larger one, or stays as it is. The
        // window takes the size of what the display will show before it goes full screen: left
        // to a window manager, or to none, it could keep the size asked for while the picture is
        // drawn for the display's, shifted and cut off, and the pointer read against the wrong size.
        const int display = SDL_GetWindowDisplayIndex(sdlWindow);
        SDL_DisplayMode shown = {};
        if (!SDL_GetClosestDisplayMode(display, &mode, &shown) && SDL_GetDesktopDisplayMode(display, &shown) != 0)
            return PRES_NOTAVAILABLE;
        int windowW = 0, windowH = 0;
        SDL_GetWindowSize(sdlWindow, &windowW, &windowH);
        if (shown.w != windowW || shown.h != windowH)
            SDL_SetWindowSize(sdlWindow, shown.w, shown.h);
        if (SDL_SetWindowDisplayMode(sdlWindow, &mode) != 0 ||
            SDL_SetWindowFullscreen(sdlWindow, SDL_WINDOW_FULLSCREEN) != 0)
            return PRES_NOTAVAILABLE;
    }
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(sdlWindow, &w, &h);
    if (w <= 0 || h <= 0)
        return PRES_NOTAVAILABLE;
    params.backBufferWidth = static_cast<uint32_t>(w);
    params.backBufferHeight = static_cast<uint32_t>(h);
    if (params.backBufferFormat == PFormat::Unknown)
        params.backBufferFormat = PFormat::X8R8G8B8;
    SDL_GL_SetSwapInterval(params.vsync ? 1 : 0);
    auto* device = new PGLDevice(window, w, h);
    std::string error;
    if (!device->Init(error))
    {
        SDL_Log("graphics device: %s", error.c_str());
        delete device;
        return PRES_NOTAVAILABLE;
    }
    *out = device;
    return PRES_OK;
}
