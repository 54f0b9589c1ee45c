// The game's sound as start-up, the window and shutdown drive it: everything pauses while the
// window is in the background and resumes with the focus.
#include "AppEntry.h"
#include "GameServices.h"
#include "engine/GGame.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "platform/audio/PAudioDevice.h"

#include <gtest/gtest.h>

namespace
{
void ActivateWindowForSound(uint64_t wParam)
{
    PWindowMessage m;
    m.message = PMSG_ACTIVATEAPP;
    m.wParam = wParam;
    WndProc(m);
}
} // namespace

TEST(GameSound, EverySoundPausesWhileTheWindowIsInTheBackground)
{
    GameServices::InstallForGame();
    PAudioDevice& device = GUI_Sounds::Instance().GetDevice();
    const struct
    {
        uint64_t wParam;
        bool paused;
    } steps[] = {{0, true}, {1, false}, {0, true}, {2, false}};
    for (const auto& step : steps)
    {
        ActivateWindowForSound(step.wParam);
        EXPECT_EQ(device.IsAllPaused(), step.paused) << step.wParam;
    }
    GGame::SetRunning(false);
    GGameServices::Install(nullptr);
}
