// What the simulation asks of whatever shows it (the factory view, the screens, the sound).
// Headless nothing is attached and every call does nothing; the view and screens fill it in later.
// Calls are grouped by the part of the simulation that makes them; each group is extended
// by the code that needs it. Every operation has a do-nothing default.
#pragma once

class SIM_PresentationListener
{
public:
    virtual ~SIM_PresentationListener() = default;

    // --- simulation root, floor, zones, worker jobs ---

    // --- slots, cars, power, employees ---

    // --- resource flow: routes, objects, conveyors, bays, stockpiles ---

    // --- money, sales, research, upgrades, efficiency ---
};
