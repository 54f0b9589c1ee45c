// Message boxes drawn by the desktop through SDL. The game installs this presenter once at
// start-up, before anything can fail, so even a failed window creation reaches the player.
#pragma once

class PSdlMessageBox
{
public:
    // Main thread, once at start-up: boxes from now on are shown by SDL.
    static void Install();
};
