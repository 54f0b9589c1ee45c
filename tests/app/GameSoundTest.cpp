// The game's sound as start-up, the window and shutdown drive it: everything pauses while the
// window is in the background and resumes with the focus, the music loops from start-up at the
// player's volumes, and shutdown leaves nothing playing.
#include "AppEntry.h"
#include "GameServices.h"
#include "engine/GGame.h"
#include "engine/core/GOptions.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
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

TEST(GameSound, MusicLoopsFromStartUpAtTheSetVolumesAndShutdownSilencesEverything)
{
    GameServices::InstallForGame();
    GGameServices& services = GGameServices::Get();
    GUI_Sounds& sounds = GUI_Sounds::Instance();
    GOptions& options = GOptions::Instance();
    options.Clear();
    options.SetDefaults();
    options.SetFloat("OPTIONS_MUSIC", 0.5f);
    options.SetFloat("OPTIONS_MASTERVOLUME", 0.8f);

    services.ApplyVolumes();
    services.PlayMusic(GUI_SoundNames::kMusic, true);
    const PMusicState& music = sounds.GetDevice().GetMusicState();
    EXPECT_EQ(music.path, "data/sounds/music/fv_music.ogg");
    EXPECT_TRUE(music.loop);
    EXPECT_FLOAT_EQ(music.volume, 0.4f);

    // The options screen moves a slider: the music follows at once.
    options.SetFloat("OPTIONS_MUSIC", 1.0f);
    services.ApplyVolumes();
    EXPECT_FLOAT_EQ(music.volume, 0.8f);

    services.PlaySound(GUI_SoundNames::kScreenshot);
    services.UpdateSound();
    ASSERT_TRUE(sounds.IsSoundPlaying(GUI_SoundNames::kScreenshot));
    PSoundState state;
    ASSERT_TRUE(sounds.GetDevice().GetSoundState(sounds.GetTrackedSounds().back().sound, state));
    EXPECT_FLOAT_EQ(state.volume, 0.8f);
    EXPECT_FALSE(state.loop);

    services.ShutdownSound();
    EXPECT_TRUE(sounds.IsMuted());
    EXPECT_EQ(music.path, "");
    EXPECT_EQ(sounds.GetMusicName(), "");
    const size_t tracked = sounds.GetTrackedSounds().size();
    services.PlaySound(GUI_SoundNames::kSelect);
    EXPECT_EQ(sounds.GetTrackedSounds().size(), tracked);

    sounds.SetMuted(false);
    options.Clear();
    GGameServices::Install(nullptr);
}
