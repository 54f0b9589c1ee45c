// What the game's clock reads: the running game time, the length of the last step, the speed and
// the hour. The game owns the one clock and hands it to the floor, so the things standing on the
// floor read the time from what they stand on.
#pragma once

struct SIM_Clock
{
    float gameTime = 0.0f;  // running game time, ms
    float frameTime = 0.0f; // game ms the last step covered
    float speed = 1.0f;     // 0 while paused
    int currentHour = 0;
};
