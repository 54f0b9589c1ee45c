// What a test starts from and leaves behind. A game ends through the one call that a new game, a
// load and the menu use, so a test that ends its game ends all of it; the program-wide services a
// test refills by hand (the file cache, the settings, a definition table, the fonts, the workers,
// a view's cache) are emptied through here too. Tests reset nothing else by hand, so what a reset
// covers grows in one place and no test leaves its state to the next.
#pragma once
#include "sim/SIM_Game.h"

class FreshState
{
public:
    // Ends the running game and what it holds: its floor and slots, cars, staff, routes, bays,
    // books, research, designs, stock and the views of it.
    static void EndGame() { SIM_Game::Instance().Reset(); }

    // Empties one program-wide service as a fresh run would find it, by the way it offers:
    // Clear, else Reset, else Unload, else Shutdown.
    template <class Service>
    static void Forget()
    {
        auto& service = Service::Instance();
        if constexpr (requires { service.Clear(); })
            service.Clear();
        else if constexpr (requires { service.Reset(); })
            service.Reset();
        else if constexpr (requires { service.Unload(); })
            service.Unload();
        else
            service.Shutdown();
    }
};
