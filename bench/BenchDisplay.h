// Opens the hidden window and the OpenGL device the drawing benchmarks draw into.
#pragma once

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "platform/video/PGraphics.h"

#include <SDL.h>

// False when no display or no OpenGL device can be had.
inline bool OpenBenchDisplay(int width, int height)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
        return false;
    PGraphics::SetGameWindow(window);
    GScreenSize::Set(width, height);
    return GD3DDevice::Instance().Init(width, height, true);
}
