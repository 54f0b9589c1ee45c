// The sound engine's bookkeeping, on the silent device that machines without sound output use:
// sounds start with their volume, side and loop setting, last as long as their files, end
// exactly once, pause with the window, and handles outlive their sounds harmlessly.
#include "platform/audio/PSilentAudioDevice.h"
#include "platform/audio/PSoundFileInfo.h"
#include "platform/audio/PSoundStopListener.h"
#include "platform/core/PClock.h"
#include "support/SoundTestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr uint64_t kAudioNs = 1000000ull;

struct EndLog : PSoundStopListener
{
    void OnSoundStopped(PSoundHandle sound) override { ended.push_back(sound); }
    std::vector<PSoundHandle> ended;
};

} // namespace

class SilentAudio : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PClock::SetManual(true, 5000 * kAudioNs);
        device.SetStopListener(&log);
        shortSound = folder.AddWav("short.wav", 100);
        longSound = folder.AddWav("long.wav", 1000);
    }
    void TearDown() override { PClock::SetManual(false); }
    void Advance(uint64_t ms)
    {
        PClock::AdvanceManual(ms * kAudioNs);
        device.Update();
    }

    SoundTestFolder folder;
    PSilentAudioDevice device{4};
    EndLog log;
    std::string shortSound, longSound;
};

TEST(VoiceMix, VolumeAndSideFollowTheSoundsPlaceFromTheListener)
{
    struct Case
    {
        const char* what;
        PVoiceMix mix;
        float gain, left, right;
    };
    const float nan = std::nanf("");
    const Case cases[] = {
        {"flat at its volume", PVoiceMix::Flat(0.4f), 0.4f, 1.0f, 1.0f},
        {"flat above 1 is held at 1", PVoiceMix::Flat(1.7f), 1.0f, 1.0f, 1.0f},
        {"at the listener", PVoiceMix::Positional(0.5f, 10, 20, 0, 10, 20, 0, 400, 10), 0.5f, 1.0f, 1.0f},
        {"within the minimum distance", PVoiceMix::Positional(1, 0, 0, 0, 0, 300, 0, 400, 10), 1.0f, 1.0f, 1.0f},
        {"800 above: 400 / (400 + 10 x 400)", PVoiceMix::Positional(1, 0, 0, 0, 0, 0, 800, 400, 10), 400.0f / 4400.0f,
         1.0f, 1.0f},
        {"far right leans right", PVoiceMix::Positional(1, 1000, 0, 0, 0, 0, 0, 400, 0), 1.0f, 0.2f, 1.0f},
        {"far left leans left", PVoiceMix::Positional(1, -1000, 0, 0, 0, 0, 0, 400, 0), 1.0f, 1.0f, 0.2f},
        {"a broken position is silent", PVoiceMix::Positional(1, nan, 0, 0, 0, 0, 0, 400, 10), 0.0f, 1.0f, 1.0f},
    };
    for (const Case& c : cases)
    {
        EXPECT_NEAR(c.mix.gain, c.gain, 1e-4) << c.what;
        EXPECT_NEAR(c.mix.left, c.left, 1e-4) << c.what;
        EXPECT_NEAR(c.mix.right, c.right, 1e-4) << c.what;
    }
}

TEST_F(SilentAudio, SoundsStartAsAskedLastAsLongAsTheirFileAndEndOnce)
{
    const PSoundHandle flat = device.Play2D(shortSound, false, 0.3f, 180.0f);
    const PSoundHandle loop = device.Play2D(longSound, true, 0.8f, 180.0f);
    device.SetListener(0, 0, 0);
    const PSoundHandle placed = device.Play3D(shortSound, 2000, 0, 0, false, 1.0f, 400.0f);
    ASSERT_TRUE(flat.IsValid() && loop.IsValid() && placed.IsValid());

    PSoundState state;
    ASSERT_TRUE(device.GetSoundState(flat, state));
    EXPECT_EQ(state.path, shortSound);
    EXPECT_FALSE(state.loop);
    EXPECT_FLOAT_EQ(state.mix.gain, 0.3f);
    ASSERT_TRUE(device.GetSoundState(loop, state));
    EXPECT_TRUE(state.loop);
    ASSERT_TRUE(device.GetSoundState(placed, state));
    EXPECT_TRUE(state.positional);
    EXPECT_LT(state.mix.left, state.mix.right);

    Advance(99);
    EXPECT_FALSE(device.IsFinished(flat));
    EXPECT_TRUE(log.ended.empty());
    Advance(1);
    EXPECT_TRUE(device.IsFinished(flat));
    EXPECT_TRUE(device.IsFinished(placed));
    EXPECT_EQ(log.ended, (std::vector<PSoundHandle>{flat, placed}));

    // A loop plays on well past its length until it is stopped; then it ends once.
    Advance(5000);
    EXPECT_FALSE(device.IsFinished(loop));
    device.Stop(loop);
    device.Stop(loop);
    Advance(0);
    Advance(0);
    EXPECT_EQ(log.ended.size(), 3u);
    EXPECT_EQ(log.ended.back(), loop);
    EXPECT_TRUE(device.GetPlayingSounds().empty());
}

TEST_F(SilentAudio, PlacedSoundsFollowTheListenerAsItMoves)
{
    device.SetRolloffFactor(10.0f);
    device.SetListener(0, 0, 0);
    const PSoundHandle hum = device.Play3D(longSound, 600, 0, 0, true, 1.0f, 400.0f);
    PSoundState before, after;
    ASSERT_TRUE(device.GetSoundState(hum, before));
    device.SetListener(600, 0, 2000);
    device.Update();
    ASSERT_TRUE(device.GetSoundState(hum, after));
    EXPECT_LT(after.mix.gain, before.mix.gain);
    EXPECT_FLOAT_EQ(after.mix.left, after.mix.right); // now straight below the listener
    EXPECT_GT(before.mix.right, before.mix.left);
}

TEST_F(SilentAudio, PausedSoundsDoNotRunOutAndResumeWhereTheyWere)
{
    const PSoundHandle sound = device.Play2D(shortSound, false, 1.0f, 180.0f);
    Advance(60);
    device.SetAllPaused(true);
    EXPECT_TRUE(device.IsAllPaused());
    Advance(10000);
    EXPECT_FALSE(device.IsFinished(sound));
    device.SetAllPaused(false);
    Advance(39);
    EXPECT_FALSE(device.IsFinished(sound));
    Advance(1);
    EXPECT_TRUE(device.IsFinished(sound));
}

TEST_F(SilentAudio, BusyVoicesRefuseNewSoundsAndOldHandlesNeverReachANewerSound)
{
    std::vector<PSoundHandle> sounds;
    for (int i = 0; i < 4; ++i)
        sounds.push_back(device.Play2D(shortSound, false, 1.0f, 180.0f));
    EXPECT_FALSE(device.Play2D(shortSound, false, 1.0f, 180.0f).IsValid());
    EXPECT_FALSE(device.Play2D(folder.Path() + "/missing.wav", false, 1.0f, 180.0f).IsValid());

    Advance(100);
    const PSoundHandle newer = device.Play2D(longSound, true, 1.0f, 180.0f);
    ASSERT_TRUE(newer.IsValid());
    // The newer sound reuses a voice of an ended one; that one's handle must not touch it.
    const PSoundHandle& stale = sounds[newer.voice];
    EXPECT_EQ(stale.voice, newer.voice);
    device.Stop(stale);
    device.SetVolume(stale, 0.0f);
    Advance(0);
    EXPECT_FALSE(device.IsFinished(newer));
    PSoundState state;
    ASSERT_TRUE(device.GetSoundState(newer, state));
    EXPECT_FLOAT_EQ(state.volume, 1.0f);
    device.Stop(PSoundHandle{});
}

TEST_F(SilentAudio, MusicReplacesMusicAndAMissingTrackLeavesNone)
{
    const std::string first = folder.AddWav("music/a.wav", 50);
    const std::string second = folder.AddWav("music/b.wav", 50);
    EXPECT_TRUE(device.PlayMusic(first, true, 1.4f));
    EXPECT_EQ(device.GetMusicState().path, first);
    EXPECT_FLOAT_EQ(device.GetMusicState().volume, 1.0f);
    EXPECT_TRUE(device.PlayMusic(second, false, 0.5f));
    EXPECT_EQ(device.GetMusicState().path, second);
    device.SetMusicVolume(0.25f);
    EXPECT_FLOAT_EQ(device.GetMusicState().volume, 0.25f);
    EXPECT_FALSE(device.PlayMusic(folder.Path() + "/music/none.ogg", true, 1.0f));
    EXPECT_EQ(device.GetMusicState().path, "");
}

TEST(SoundFileInfo, LengthsComeFromTheHeadersAndBrokenFilesAreRefused)
{
    SoundTestFolder folder;
    double ms = 0.0;
    ASSERT_TRUE(PSoundFileInfo::LengthOfFile(folder.AddWav("a.wav", 250), ms));
    EXPECT_NEAR(ms, 250.0, 0.1);

    // A minimal Ogg stream: the identification page at 22050 Hz, then a last page at sample 44100.
    std::string ogg = std::string("OggS\0\x02", 6) + std::string(8, '\0') + std::string(12, '\0') + "\x01" + "\x1e";
    ogg += std::string("\x01vorbis", 7) + std::string(4, '\0') + "\x01" + std::string("\x22\x56\0\0", 4);
    ogg += std::string(30 - 16, '\0');
    std::string last = std::string("OggS\0\x04", 6) + std::string("\x44\xac\0\0\0\0\0\0", 8) + std::string(13, '\0');
    ASSERT_TRUE(PSoundFileInfo::LengthFromBytes(ogg + last, ms));
    EXPECT_NEAR(ms, 2000.0, 0.1);

    const std::string broken[] = {"",
                                  "OggS",
                                  ogg.substr(0, 40),
                                  "RIFF\x10\0\0\0WAVEdata",
                                  "not a sound at all",
                                  std::string("RIFF\0\0\0\0WAVEfmt \xff\xff\xff\xff", 20)};
    for (const std::string& bytes : broken)
        EXPECT_FALSE(PSoundFileInfo::LengthFromBytes(bytes, ms)) << bytes.size();
}
