// What the simulation asks of a car's object in the factory view. Owned by the car; headless
// there is none. A car deleted inside the vehicles job hands its view to the main thread to delete.
#pragma once

class SIM_CarView
{
public:
    virtual ~SIM_CarView() = default;
    // The car's look changed (component fitted, painted): drop the cached sprite pair.
    virtual void ClearCachedSprites() {}
};
