// Desktop pointer shapes through SDL.
#include "platform/video/PCursor.h"

#include <SDL.h>

SDL_Cursor* PCursor::CreateSystem(PSystemCursor shape)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return nullptr;
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    switch (shape)
    {
    case PSystemCursor::Arrow:
        id = SDL_SYSTEM_CURSOR_ARROW;
        break;
    case PSystemCursor::Wait:
        id = SDL_SYSTEM_CURSOR_WAIT;
        break;
    case PSystemCursor::Hand:
        id = SDL_SYSTEM_CURSOR_HAND;
        break;
    case PSystemCursor::Cross:
        id = SDL_SYSTEM_CURSOR_CROSSHAIR;
        break;
    }
    return SDL_CreateSystemCursor(id);
}

SDL_Cursor* PCursor::CreateFromImage(const PCursorImage& image)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || image.width <= 0 || image.height <= 0 ||
        image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4)
        return nullptr;
    // SDL only reads the pixels while it makes the cursor.
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(image.rgba.data()), image.width, image.height, 32,
                                           image.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface)
        return nullptr;
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hotX, image.hotY);
    SDL_FreeSurface(surface);
    return cursor;
}

void PCursor::Set(SDL_Cursor* cursor)
{
    if (cursor)
        SDL_SetCursor(cursor);
}
