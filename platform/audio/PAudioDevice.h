// The game's sound engine: flat and placed sound effects on a fixed set of voices, one music
// track, a listener, volumes, pause and resume of everything, and notifications when sounds end.
// This class keeps the bookkeeping every back end shares (voices, handles, placement, the queue
// of ended sounds); a back end only starts, stops and mixes voices. Two exist: the SDL mixer,
// and a silent one for machines without an audio device, which times sounds by their length so
// the game sees the same starts, ends and states.
//
// Every operation is for the main thread, except where a back end reports a voice's end.
#pragma once
#include "platform/audio/PSoundHandle.h"
#include "platform/audio/PVoiceMix.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class PSoundStopListener;

// What one playing sound is, as the game started it and as it is mixed now.
struct PSoundState
{
    std::string path;
    bool loop = false;
    bool positional = false;
    float volume = 1.0f; // as asked, before placement and clamping
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float minDistance = 0.0f;
    PVoiceMix mix;
};

struct PMusicState
{
    std::string path; // "" when no music plays
    bool loop = false;
    float volume = 0.0f;
};

class PAudioDevice
{
public:
    static constexpr int kDefaultVoices = 64;

    virtual ~PAudioDevice();
    PAudioDevice(const PAudioDevice&) = delete;
    PAudioDevice& operator=(const PAudioDevice&) = delete;

    // The device the game plays through: the SDL mixer, or the silent device when the mixer
    // cannot open an output or SDL_AUDIODRIVER is "dummy". note receives one line saying which
    // and, for the silent one, why. Never null.
    static std::unique_ptr<PAudioDevice> OpenDefault(std::string& note);

    // Starts a flat sound; the invalid handle when the file cannot be played or every voice is
    // busy. A sound that does not loop ends by itself.
    PSoundHandle Play2D(const std::string& path, bool loop, float volume, float minDistance);
    // Starts a sound placed at (x, y, z) in the world; mixed from the listener's position.
    PSoundHandle Play3D(const std::string& path, float x, float y, float z, bool loop, float volume, float minDistance);
    // Stops a playing sound; its end is notified at the next update. Stale and invalid handles
    // are ignored.
    void Stop(PSoundHandle sound);
    void StopAll();
    // True once the sound has ended (and for every stale or invalid handle).
    bool IsFinished(PSoundHandle sound);
    void SetVolume(PSoundHandle sound, float volume);

    void SetListener(float x, float y, float z);
    void SetRolloffFactor(float rolloff) { m_rolloff = rolloff; }
    // Pauses or resumes every sound and the music where they are.
    void SetAllPaused(bool paused);
    bool IsAllPaused() const { return m_allPaused; }

    // Replaces the music with the file (streamed); false when it cannot be played, and then no
    // music plays.
    bool PlayMusic(const std::string& path, bool loop, float volume);
    void StopMusic();
    void SetMusicVolume(float volume);
    const PMusicState& GetMusicState() const { return m_music; }

    // Once per frame: re-mixes placed sounds for the listener, frees the voices of ended
    // sounds and notifies the listener of each end.
    void Update();
    // Receives the end notifications; null for none. Not owned.
    void SetStopListener(PSoundStopListener* listener) { m_stopListener = listener; }

    // The playing sounds, in voice order, and what one of them is.
    std::vector<PSoundHandle> GetPlayingSounds() const;
    bool GetSoundState(PSoundHandle sound, PSoundState& out) const;
    int GetVoiceCount() const { return static_cast<int>(m_voices.size()); }

protected:
    explicit PAudioDevice(int voiceCount);

    // Back end. StartVoice plays the file on a free voice and answers whether it could; every
    // voice that started must later be reported through VoiceEnded exactly once, whether it
    // played out or StopVoice ended it.
    virtual bool StartVoice(int voice, const std::string& path, bool loop, const PVoiceMix& mix) = 0;
    virtual void StopVoice(int voice) = 0;
    virtual void MixVoice(int voice, const PVoiceMix& mix) = 0;
    virtual void PauseVoices(bool paused) = 0;
    // Called at the start of every update: a back end that times its voices itself ends them here.
    virtual void PollVoices() {}
    virtual bool StartMusic(const std::string& path, bool loop, float volume) = 0;
    virtual void EndMusic() = 0;
    virtual void MixMusic(float volume) = 0;
    virtual void PauseMusic(bool paused) = 0;

    // A voice has ended. Any thread: the mixer reports from its audio thread, and from inside
    // StopVoice. Only records the voice; the main thread frees it.
    void VoiceEnded(int voice);
    // Drops end reports not yet taken (a back end closing down).
    void ForgetEndedVoices();

private:
    struct Voice
    {
        uint32_t generation = 0;
        bool busy = false;
        bool stopping = false;
        PSoundState state;
    };

    PSoundHandle Start(const PSoundState& state);
    Voice* Find(PSoundHandle sound);
    const Voice* Find(PSoundHandle sound) const;
    PVoiceMix MixFor(const PSoundState& state) const;
    // Frees the voices reported ended and queues their notifications.
    void TakeEndedVoices();

    std::vector<Voice> m_voices;
    std::vector<PSoundHandle> m_pendingNotifications;
    PSoundStopListener* m_stopListener = nullptr;
    float m_listenerX = 0.0f, m_listenerY = 0.0f, m_listenerZ = 0.0f;
    float m_rolloff = 1.0f;
    bool m_allPaused = false;
    PMusicState m_music;

    // Voices reported ended and not yet taken by the main thread. Each voice stays busy until
    // taken, so this never holds more entries than there are voices and never grows while the
    // audio thread holds it.
    std::mutex m_endedLock;
    std::vector<int> m_ended;
};
