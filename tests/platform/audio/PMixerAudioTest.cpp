// Every sound the game ships decodes and plays through the SDL mixer (on SDL's dummy driver,
// which mixes in real time without a sound card), and the music streams.
#include "platform/audio/PMixerAudioDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(MixerAudio, EveryShippedSoundAndTheMusicPlay)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    std::unique_ptr<PAudioDevice> device = PMixerAudioDevice::Open(PAudioDevice::kDefaultVoices, error);
    if (!device)
        GTEST_SKIP() << "no SDL audio (dummy driver): " << error;
    const std::filesystem::path sounds = std::filesystem::path(FV_SOURCE_DIR) / "data/sounds";
    int played = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sounds))
    {
        if (entry.path().extension() != ".ogg")
            continue;
        EXPECT_TRUE(device->Play2D(entry.path().string(), false, 0.5f, 180.0f).IsValid()) << entry.path();
        ++played;
    }
    EXPECT_GE(played, 30);
    EXPECT_TRUE(device->PlayMusic((sounds / "music/fv_music.ogg").string(), true, 0.5f));
    EXPECT_FALSE(device->PlayMusic((sounds / "music/none.ogg").string(), true, 0.5f));
    device->StopAll();
    device->Update();
    EXPECT_TRUE(device->GetPlayingSounds().empty());
}
