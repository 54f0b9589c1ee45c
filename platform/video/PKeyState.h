// Whether a key is held down right now (not a key message): the camera scrolls for as long as an
// arrow key or W, A, S, D is held. Keys are the game's virtual key codes; letters follow the
// player's keyboard layout. Main thread only.
#pragma once

#include <cstdint>
#include <functional>

class PKeyState
{
public:
    // False without a display, and for keys the game has no code for.
    static bool IsHeld(uint32_t virtualKey);
    // Tests replace the desktop's keyboard with their own; an empty source restores it.
    static void SetSource(std::function<bool(uint32_t)> source);
};
