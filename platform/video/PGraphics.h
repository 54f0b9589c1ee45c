// Entry of the graphics layer: the game window the device presents to, and the choice of back end.
//
// The device presents to the game's window (PWindow, created with SDL_WINDOW_OPENGL) unless another
// window was set here; it makes its OpenGL 3.3 context on it at start-up.
// Tests install the recording back end with SetSystemFactory.
#pragma once

#include "platform/video/PGraphicsSystem.h"

#include <functional>

class PGraphics
{
public:
    using SystemFactory = std::function<PGraphicsSystem*(PWindowHandle window)>;

    static void SetGameWindow(PWindowHandle window);
    static PWindowHandle GetGameWindow();

    // Creates the graphics system for a window (the OpenGL back end unless a factory is installed);
    // null on failure.
    static PGraphicsSystem* CreateSystem(PWindowHandle window);
    // Installs a factory; an empty one restores the OpenGL back end.
    static void SetSystemFactory(SystemFactory factory);
    // The OpenGL back end itself.
    static PGraphicsSystem* CreateGLSystem(PWindowHandle window);
};
