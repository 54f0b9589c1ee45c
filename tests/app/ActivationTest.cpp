// Losing the window's focus stops the game: frames stop and no timer time passes until the
// focus comes back.
#include "AppEntry.h"
#include "engine/GGame.h"
#include "engine/core/GTimer.h"
#include "platform/core/PClock.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint64_t kMs = 1000000ull;

void Activate(uint64_t wParam)
{
    PWindowMessage m;
    m.message = PMSG_ACTIVATEAPP;
    m.wParam = wParam;
    WndProc(m);
}
} // namespace

TEST(Activation, BackgroundTimeDoesNotCountOnAnyTimer)
{
    PClock::SetManual(true, 1000 * kMs);
    GGame::SetRunning(true);
    GTimer timer;
    timer.Start();

    struct Step
    {
        const char* what;
        bool message;    // send an activation message first
        uint64_t wParam; // 0 inactive, 1 or 2 active
        uint64_t advanceMs;
        bool running;
        double total;
    };
    const Step steps[] = {
        {"running", false, 0, 100, true, 100.0},
        {"focus lost", true, 0, 5000, false, 100.0},
        {"focus back", true, 1, 20, true, 120.0},
        {"focus lost again", true, 0, 60000, false, 120.0},
        {"activation by click counts too", true, 2, 30, true, 150.0},
    };
    for (const Step& s : steps)
    {
        if (s.message)
            Activate(s.wParam);
        PClock::AdvanceManual(s.advanceMs * kMs);
        timer.Update();
        EXPECT_EQ(GGame::IsRunning(), s.running) << s.what;
        EXPECT_NEAR(timer.GetTotal(), s.total, 0.01) << s.what;
    }
    PClock::SetManual(false);
    GGame::SetRunning(false);
}
