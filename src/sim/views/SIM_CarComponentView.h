// What the simulation asks of the sprites of one part fitted to a car. Owned by the component;
// headless there is none.
#pragma once

class SIM_CarComponentView
{
public:
    virtual ~SIM_CarComponentView() = default;
    // The car was painted: tint the colourable layers (0..255 each).
    virtual void SetColor(int r, int g, int b, int a)
    {
        (void)r;
        (void)g;
        (void)b;
        (void)a;
    }
};
