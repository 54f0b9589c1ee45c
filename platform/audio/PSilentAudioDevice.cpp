// Silent back end: sounds are timed, not heard.
#include "platform/audio/PSilentAudioDevice.h"

#include "platform/audio/PSoundFileInfo.h"
#include "platform/core/PClock.h"
#include "platform/core/PFile.h"

PSilentAudioDevice::PSilentAudioDevice(int voiceCount)
    : PAudioDevice(voiceCount), m_timings(static_cast<size_t>(GetVoiceCount())), m_lastClock(PClock::TimeGetTime())
{
}

PSilentAudioDevice::~PSilentAudioDevice()
{
    ForgetEndedVoices();
}

void PSilentAudioDevice::AdvanceClock()
{
    const uint32_t now = PClock::TimeGetTime();
    // Unsigned difference: the millisecond clock wraps.
    if (!m_paused)
        m_playingTime += static_cast<double>(static_cast<uint32_t>(now - m_lastClock));
    m_lastClock = now;
}

bool PSilentAudioDevice::StartVoice(int voice, const std::string& path, bool loop, const PVoiceMix&)
{
    auto found = m_lengths.find(path);
    if (found == m_lengths.end())
    {
        double ms = 0.0;
        if (!PSoundFileInfo::LengthOfFile(path, ms))
            ms = -1.0;
        found = m_lengths.emplace(path, ms).first;
    }
    // The mixer refuses what it cannot decode; so does its stand-in.
    if (found->second < 0.0)
        return false;
    AdvanceClock();
    Timing& timing = m_timings[static_cast<size_t>(voice)];
    timing.playing = true;
    timing.loop = loop;
    timing.endsAt = m_playingTime + found->second;
    return true;
}

void PSilentAudioDevice::StopVoice(int voice)
{
    Timing& timing = m_timings[static_cast<size_t>(voice)];
    if (!timing.playing)
        return;
    timing.playing = false;
    VoiceEnded(voice);
}

void PSilentAudioDevice::PauseVoices(bool paused)
{
    AdvanceClock();
    m_paused = paused;
}

void PSilentAudioDevice::PollVoices()
{
    AdvanceClock();
    for (size_t i = 0; i < m_timings.size(); ++i)
    {
        Timing& timing = m_timings[i];
        if (timing.playing && !timing.loop && m_playingTime >= timing.endsAt)
        {
            timing.playing = false;
            VoiceEnded(static_cast<int>(i));
        }
    }
}

bool PSilentAudioDevice::StartMusic(const std::string& path, bool, float)
{
    // Music streams from its file, so the mixer opens it at once; a missing file is refused.
    return PFile::Exists(path);
}
