// The SDL presenter of the game's message boxes.
#include "platform/video/PSdlMessageBox.h"
#include "platform/core/PMessageBox.h"

#include <SDL.h>

namespace
{
Uint32 PSdlMessageBoxFlags(PMessageBox::Icon icon)
{
    switch (icon)
    {
    case PMessageBox::ICON_WARNING:
        return SDL_MESSAGEBOX_WARNING;
    case PMessageBox::ICON_INFORMATION:
        return SDL_MESSAGEBOX_INFORMATION;
    default:
        return SDL_MESSAGEBOX_ERROR;
    }
}
}

void PSdlMessageBox::Install()
{
    PMessageBox::SetPresenter([](const std::string& caption, const std::string& text, PMessageBox::Icon icon) {
        return SDL_ShowSimpleMessageBox(PSdlMessageBoxFlags(icon), caption.c_str(), text.c_str(), nullptr) == 0;
    });
}
