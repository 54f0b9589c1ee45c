// Mouse pointer shapes on the desktop: its own arrow, wait, hand and cross, and pointers made from
// a decoded cursor picture. Without a display every operation is harmless and gives no handle.
// Main thread only.
#pragma once

#include "platform/video/PCursorFile.h"

struct SDL_Cursor;

enum class PSystemCursor
{
    Arrow,
    Wait,
    Hand,
    Cross,
};

class PCursor
{
public:
    // The desktop's own shape; null without a display.
    static SDL_Cursor* CreateSystem(PSystemCursor shape);
    // A pointer from a decoded picture; null without a display or when the desktop refuses it.
    static SDL_Cursor* CreateFromImage(const PCursorImage& image);
    // Shows the pointer (null is ignored).
    static void Set(SDL_Cursor* cursor);
};
