// The keyboard side of a window: the focused element of a game mode receives typed keys
// and characters through it.
#pragma once
#include <cstdint>

class GKeyboardHandler
{
public:
    virtual ~GKeyboardHandler() = default;
    virtual void OnKeyDown(uint32_t virtualKey) { (void)virtualKey; }
    virtual void OnChar(uint32_t character) { (void)character; }
};
