// The sound manager as the game uses it, on the silent device of a machine without sound
// output: which effects start at which volume, side and loop setting, how the volumes follow the
// settings, the music track, queued robot sounds, and the listener above the camera.
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GOptions.h"
#include "gui/toolkit/sound/SoundRequestQueue.h"
#include "platform/audio/PSilentAudioDevice.h"
#include "platform/core/PClock.h"
#include "platform/core/PFile.h"
#include "platform/core/PThread.h"
#include "support/SoundTestFiles.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
constexpr uint64_t kSoundNs = 1000000ull;

} // namespace

class SoundManager : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PThread::MarkMainThread();
        PClock::SetManual(true, 1000 * kSoundNs);
        SetVolumes(0.5f, 0.8f, 1.0f);
        folder.AddWav("fv_gui_click.ogg", 50);
        folder.AddWav("fv_servo_1.ogg", 300);
        folder.AddWav("fv_weld_2.ogg", 300);
        folder.AddWav("ambience.ogg", 2000);
        folder.AddWav("music/fv_music.ogg", 3000);
        folder.AddWav("music/other.ogg", 3000);
        sounds = std::make_unique<GUI_Sounds>(std::make_unique<PSilentAudioDevice>(8), folder.Path());
    }
    void TearDown() override
    {
        sounds.reset();
        FreshState::Forget<GOptions>();
        PClock::SetManual(false);
    }
    static void SetVolumes(float sfx, float music, float master)
    {
        GOptions& options = GOptions::Instance();
        options.Clear();
        options.AddFloat("OPTIONS_SFX", sfx);
        options.AddFloat("OPTIONS_MUSIC", music);
        options.AddFloat("OPTIONS_MASTERVOLUME", master);
    }
    PSoundState State(PSoundHandle sound)
    {
        PSoundState state;
        EXPECT_TRUE(sounds->GetDevice().GetSoundState(sound, state));
        return state;
    }
    void Frame(uint64_t ms)
    {
        PClock::AdvanceManual(ms * kSoundNs);
        sounds->Update();
    }

    SoundTestFolder folder;
    std::unique_ptr<GUI_Sounds> sounds;
};

TEST_F(SoundManager, EffectsStartAtTheirVolumeSideAndLoopSetting)
{
    const PSoundHandle click = sounds->PlayUISound(UI_SOUND_CLICK);
    const PSoundHandle ambience = sounds->PlaySound("ambience.ogg", true, true, sounds->EffectVolume() * 0.1f);
    sounds->SetListenerView({0.0f, 0.0f, 1.0f, 0.125f, 1.0f});
    sounds->Update();
    const PSoundHandle weld = sounds->PlaySoundAt("fv_weld_2.ogg", false, 900.0f, 0.0f, 1.0f);
    ASSERT_TRUE(click.IsValid() && ambience.IsValid() && weld.IsValid());

    struct Expect
    {
        PSoundHandle sound;
        const char* file;
        bool loop, positional;
        float volume;
    };
    const Expect expected[] = {
        {click, "/fv_gui_click.ogg", false, false, 0.5f},
        {ambience, "/ambience.ogg", true, false, 0.05f},
        {weld, "/fv_weld_2.ogg", false, true, 1.0f},
    };
    for (const Expect& e : expected)
    {
        const PSoundState state = State(e.sound);
        EXPECT_EQ(state.path, folder.Path() + e.file);
        EXPECT_EQ(state.loop, e.loop) << e.file;
        EXPECT_EQ(state.positional, e.positional) << e.file;
        EXPECT_FLOAT_EQ(state.volume, e.volume) << e.file;
    }
    // The weld stands to the right of the camera, beyond the distance at which sounds fade.
    const PSoundState weldState = State(weld);
    EXPECT_GT(weldState.mix.right, weldState.mix.left);
    EXPECT_LT(weldState.mix.gain, 0.5f);
    EXPECT_FLOAT_EQ(State(click).mix.left, State(click).mix.right);
    EXPECT_EQ(sounds->GetTrackedSounds().size(), 3u);

    // While muted the interface plays nothing.
    sounds->SetMuted(true);
    EXPECT_FALSE(sounds->PlayUISound(UI_SOUND_ROTATE).IsValid());
}

TEST_F(SoundManager, TrackedEffectsLeaveTheListWhenTheyEndOrAreStopped)
{
    const PSoundHandle click = sounds->PlayEffect("fv_gui_click.ogg");
    const PSoundHandle loop = sounds->PlaySound("ambience.ogg", true, true, 1.0f);
    EXPECT_TRUE(sounds->IsSoundPlaying("fv_gui_click.ogg"));
    Frame(49);
    EXPECT_TRUE(sounds->IsSoundPlaying("fv_gui_click.ogg"));
    Frame(1);
    EXPECT_FALSE(sounds->IsSoundPlaying("fv_gui_click.ogg"));
    EXPECT_TRUE(sounds->IsSoundPlaying("ambience.ogg"));

    // An ended sound's handle, the invalid handle and a double stop are all harmless.
    sounds->StopSound(click);
    sounds->StopSound(PSoundHandle{});
    sounds->StopSound(loop);
    sounds->StopSound(loop);
    Frame(0);
    EXPECT_TRUE(sounds->GetTrackedSounds().empty());
    EXPECT_TRUE(sounds->GetDevice().GetPlayingSounds().empty());
}

TEST_F(SoundManager, AMissingFileIsTracedByNameAndPlaysNothing)
{
    SoundTestFolder logFolder;
    GDebugLog::Instance().Open(logFolder.Path());
    EXPECT_FALSE(sounds->PlaySound("fv_nothing.ogg", false, true, 1.0f).IsValid());
    EXPECT_FALSE(sounds->PlaySoundAt("fv_nowhere.ogg", false, 0, 0, 1.0f).IsValid());
    GDebugLog::Instance().Close();
    std::string log;
    ASSERT_TRUE(PFile::ReadAll(GDebugLog::Instance().GetDebugPath(), log));
    EXPECT_NE(log.find("Sound not found:[fv_nothing.ogg]"), std::string::npos);
    EXPECT_NE(log.find("Sound not found:[fv_nowhere.ogg]"), std::string::npos);
    EXPECT_TRUE(sounds->GetTrackedSounds().empty());
}

TEST_F(SoundManager, VolumesFollowTheSettingsAndMusicIsHeldAtOne)
{
    sounds->PlayMusic(false, true, "fv_music.ogg");
    const PMusicState& music = sounds->GetDevice().GetMusicState();
    EXPECT_EQ(music.path, folder.Path() + "/music/fv_music.ogg");
    EXPECT_TRUE(music.loop);
    EXPECT_FLOAT_EQ(music.volume, 0.8f);
    const PSoundHandle click = sounds->PlayEffect("fv_gui_click.ogg");

    struct Step
    {
        float sfx, music, master;
        float musicVolume, effectVolume;
    };
    const Step steps[] = {
        {0.5f, 1.0f, 0.5f, 0.5f, 0.25f},
        {1.0f, 1.0f, 1.0f, 1.0f, 1.0f},
        {2.0f, 1.5f, 1.0f, 1.0f, 2.0f}, // music is held at 1, effects are not
        {0.3f, 0.0f, 1.0f, 0.0f, 0.3f},
    };
    for (const Step& s : steps)
    {
        SetVolumes(s.sfx, s.music, s.master);
        sounds->ApplyVolumes();
        EXPECT_FLOAT_EQ(music.volume, s.musicVolume);
        EXPECT_FLOAT_EQ(sounds->EffectVolume(), s.effectVolume);
    }
    // An effect already playing keeps the volume it started with.
    EXPECT_FLOAT_EQ(State(click).volume, 0.5f);
}

TEST_F(SoundManager, MusicKeepsPlayingForTheSameNameAndARefusedTrackCanBeRetried)
{
    sounds->PlayMusic(false, true, "fv_music.ogg");
    Frame(500);
    sounds->PlayMusic(false, true, "fv_music.ogg");
    EXPECT_EQ(sounds->GetMusicName(), "fv_music.ogg");
    sounds->PlayMusic(false, true, "other.ogg");
    EXPECT_EQ(sounds->GetDevice().GetMusicState().path, folder.Path() + "/music/other.ogg");

    sounds->PlayMusic(false, true, "late.ogg");
    EXPECT_EQ(sounds->GetMusicName(), "");
    EXPECT_EQ(sounds->GetDevice().GetMusicState().path, "");
    folder.AddWav("music/late.ogg", 1000);
    sounds->PlayMusic(false, true, "late.ogg");
    EXPECT_EQ(sounds->GetMusicName(), "late.ogg");

    sounds->StopMusic();
    EXPECT_EQ(sounds->GetDevice().GetMusicState().path, "");
}

TEST_F(SoundManager, QueuedRobotSoundsPlayOncePerFileAndNotWhileMuted)
{
    SoundRequestQueue queue;
    // Workers queue while the main thread waits for them.
    std::thread worker([&queue] {
        QueueSoundRequest(queue, 1, "fv_servo_1.ogg", 100.0f, 50.0f, 0.5f);
        QueueSoundRequest(queue, 1, "fv_servo_1.ogg", 200.0f, 50.0f, 0.5f);
        QueueSoundRequest(queue, 1, "fv_weld_2.ogg", 300.0f, 50.0f, 1.0f);
    });
    worker.join();
    PlayQueuedSoundRequests(queue, *sounds);
    EXPECT_EQ(queue.GetSize(), 0u);
    ASSERT_EQ(sounds->GetTrackedSounds().size(), 2u);
    const PSoundState servo = State(sounds->GetTrackedSounds()[0].sound);
    EXPECT_FLOAT_EQ(servo.x, 100.0f);
    EXPECT_FLOAT_EQ(servo.volume, 0.25f); // master 1 x effects 0.5 x the request's 0.5

    // Still sounding from last frame: the same file is not started again.
    QueueSoundRequest(queue, 1, "fv_servo_1.ogg", 0.0f, 0.0f, 0.5f);
    PlayQueuedSoundRequests(queue, *sounds);
    EXPECT_EQ(sounds->GetTrackedSounds().size(), 2u);

    Frame(300);
    sounds->SetMuted(true);
    QueueSoundRequest(queue, 1, "fv_servo_1.ogg", 0.0f, 0.0f, 0.5f);
    PlayQueuedSoundRequests(queue, *sounds);
    sounds->SetMuted(false);
    PlayQueuedSoundRequests(queue, *sounds);
    EXPECT_TRUE(sounds->GetTrackedSounds().empty());
}

TEST(SoundListener, StandsHigherTheFartherTheCameraIsZoomedOut)
{
    struct Case
    {
        float zoom, minZoom, maxZoom, height;
    };
    const Case cases[] = {
        {0.125f, 0.125f, 1.0f, 2000.0f}, {1.0f, 0.125f, 1.0f, 0.0f}, {0.5625f, 0.125f, 1.0f, 1000.0f},
        {1.2f, 0.125f, 1.0f, 0.0f},      {1.0f, 1.0f, 1.0f, 0.0f}, // a factory too small to zoom
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(GUI_Sounds::ListenerHeight(c.zoom, c.minZoom, c.maxZoom), c.height) << c.zoom;
}
