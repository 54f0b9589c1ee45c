// Turns the desktop's input and window events into the game's window messages: key codes,
// typed characters as Windows-1252 bytes, double clicks, wheel direction, activation, close.
#pragma once
#include "platform/video/PWindowMessage.h"

#include <SDL.h>

#include <string>
#include <vector>

class PEventTranslator
{
public:
    // Appends the messages one event produces (none, one or several) to out.
    static void Translate(const SDL_Event& event, std::vector<PWindowMessage>& out);

    // The virtual key of a key symbol, or 0 when the game has no code for it.
    static uint32_t KeyToVirtualKey(SDL_Keycode key);

    // UTF-8 text to Windows-1252 bytes; characters without a code there are dropped,
    // as are malformed sequences and control characters.
    static std::string Utf8ToWindows1252(const char* text);

private:
    static uint8_t CodePointToWindows1252(uint32_t codePoint);
};
