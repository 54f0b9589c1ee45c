// The mixer back end under real threads: sounds end on the audio thread (SDL's dummy driver
// mixes in real time without a sound card) while the main thread starts and stops others.
#include "platform/audio/PMixerAudioDevice.h"
#include "platform/audio/PSoundStopListener.h"
#include "platform/core/PThread.h"
#include "support/SoundTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

namespace
{
struct EndCounter : PSoundStopListener
{
    void OnSoundStopped(PSoundHandle sound) override
    {
        if (!PThread::IsMainThread())
            offMainThread++;
        ends[{sound.voice, sound.generation}]++;
    }
    std::map<std::pair<uint32_t, uint32_t>, int> ends;
    int offMainThread = 0;
};

std::unique_ptr<PAudioDevice> OpenDummyMixer(int voices)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    return PMixerAudioDevice::Open(voices, error);
}
} // namespace

TEST(MixerAudio, ThousandOneShotsStartedAndStoppedWhileOthersEndOnTheAudioThreadEachEndOnce)
{
    PThread::MarkMainThread();
    SoundTestFolder folder;
    const std::string blip = folder.AddWav("blip.wav", 15);
    std::unique_ptr<PAudioDevice> device = OpenDummyMixer(32);
    if (!device)
        GTEST_SKIP() << "no SDL audio (dummy driver) on this machine";
    EndCounter counter;
    device->SetStopListener(&counter);

    int started = 0, refused = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (int i = 0; started < 1000 && std::chrono::steady_clock::now() < deadline; ++i)
    {
        const PSoundHandle sound = device->Play2D(blip, false, 0.5f, 180.0f);
        if (!sound.IsValid())
        {
            // Every voice busy: refused at once, never waited for.
            ++refused;
            device->Update();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        ++started;
        // Every third one is stopped at once, racing its own end on the audio thread.
        if (i % 3 == 0)
            device->Stop(sound);
        if (i % 7 == 0)
            device->Update();
    }
    ASSERT_EQ(started, 1000);
    while (!device->GetPlayingSounds().empty() && std::chrono::steady_clock::now() < deadline)
    {
        device->Update();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    device->Update();
    EXPECT_TRUE(device->GetPlayingSounds().empty());
    EXPECT_EQ(counter.ends.size(), 1000u);
    for (const auto& entry : counter.ends)
        EXPECT_EQ(entry.second, 1) << "voice " << entry.first.first << " generation " << entry.first.second;
    EXPECT_EQ(counter.offMainThread, 0);
    device->SetStopListener(nullptr);
}
