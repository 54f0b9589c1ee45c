// The audio device of a machine without sound output (and of SDL_AUDIODRIVER=dummy): nothing is
// heard, but every sound starts, plays for the length of its file and ends as it would through
// the mixer, so the game keeps the same books. Time is the platform's millisecond clock and
// stands still while everything is paused.
#pragma once
#include "platform/audio/PAudioDevice.h"

#include <cstdint>
#include <unordered_map>

class PSilentAudioDevice : public PAudioDevice
{
public:
    explicit PSilentAudioDevice(int voiceCount = kDefaultVoices);
    ~PSilentAudioDevice() override;

protected:
    bool StartVoice(int voice, const std::string& path, bool loop, const PVoiceMix& mix) override;
    void StopVoice(int voice) override;
    void MixVoice(int, const PVoiceMix&) override {}
    void PauseVoices(bool paused) override;
    void PollVoices() override;
    bool StartMusic(const std::string& path, bool loop, float volume) override;
    void EndMusic() override {}
    void MixMusic(float) override {}
    void PauseMusic(bool) override {}

private:
    struct Timing
    {
        bool playing = false;
        bool loop = false;
        double endsAt = 0.0; // in playing time
    };

    // Brings the playing time up to the clock; it does not advance while paused.
    void AdvanceClock();

    std::vector<Timing> m_timings;
    // File lengths by path; a file that cannot be read or is no sound is remembered as -1.
    std::unordered_map<std::string, double> m_lengths;
    double m_playingTime = 0.0;
    uint32_t m_lastClock = 0;
    bool m_paused = false;
};
