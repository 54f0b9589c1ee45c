// Desktop events built by hand, as the window would deliver them, for the input tests.
#pragma once

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace sdltest
{
inline SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym, Uint16 mod = 0)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

inline SDL_Event ButtonEvent(Uint32 type, Uint8 button, Uint8 clicks, int x = 10, int y = 20)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}

inline SDL_Event WindowEvent(Uint8 what)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    return e;
}

inline SDL_Event WheelEvent(Sint32 y, Sint32 x = 0, Uint32 direction = SDL_MOUSEWHEEL_NORMAL)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    e.wheel.x = x;
    e.wheel.direction = direction;
    return e;
}

inline SDL_Event TextEvent(const char* utf8)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
    return e;
}
} // namespace sdltest
