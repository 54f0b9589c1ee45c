// Held keys from the desktop's keyboard state.
#include "platform/video/PKeyState.h"

#include "platform/video/PWindowMessage.h"

#include <SDL.h>

namespace
{
std::function<bool(uint32_t)>& KeyStateSource()
{
    static std::function<bool(uint32_t)> source;
    return source;
}

SDL_Keycode KeyStateKeycode(uint32_t vk)
{
    if (vk >= PVK_A && vk < PVK_A + 26)
        return static_cast<SDL_Keycode>('a' + (vk - PVK_A));
    if (vk >= PVK_0 && vk < PVK_0 + 10)
        return static_cast<SDL_Keycode>('0' + (vk - PVK_0));
    switch (vk)
    {
    case PVK_LEFT:
        return SDLK_LEFT;
    case PVK_RIGHT:
        return SDLK_RIGHT;
    case PVK_UP:
        return SDLK_UP;
    case PVK_DOWN:
        return SDLK_DOWN;
    case PVK_PRIOR:
        return SDLK_PAGEUP;
    case PVK_NEXT:
        return SDLK_PAGEDOWN;
    case PVK_SPACE:
        return SDLK_SPACE;
    case PVK_ESCAPE:
        return SDLK_ESCAPE;
    case PVK_RETURN:
        return SDLK_RETURN;
    default:
        return SDLK_UNKNOWN;
    }
}
} // namespace

bool PKeyState::IsHeld(uint32_t virtualKey)
{
    if (KeyStateSource())
        return KeyStateSource()(virtualKey);
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return false;
    // Shift and Control count either key of the pair.
    if (virtualKey == PVK_SHIFT || virtualKey == PVK_CONTROL)
    {
        const SDL_Keymod mods = SDL_GetModState();
        return (mods & (virtualKey == PVK_SHIFT ? KMOD_SHIFT : KMOD_CTRL)) != 0;
    }
    const SDL_Keycode key = KeyStateKeycode(virtualKey);
    if (key == SDLK_UNKNOWN)
        return false;
    const SDL_Scancode scancode = SDL_GetScancodeFromKey(key);
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return keys && scancode > SDL_SCANCODE_UNKNOWN && scancode < count && keys[scancode] != 0;
}

void PKeyState::SetSource(std::function<bool(uint32_t)> source)
{
    KeyStateSource() = std::move(source);
}
