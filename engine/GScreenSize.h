// The size of the drawing surface in whole pixels, for code that has no application object
// at hand (widgets centring and clamping themselves). Set once the device is up.
#pragma once

class GScreenSize
{
public:
    static int Width() { return s_width; }
    static int Height() { return s_height; }
    static void Set(int width, int height)
    {
        s_width = width;
        s_height = height;
    }

private:
    static inline int s_width = 0;
    static inline int s_height = 0;
};
