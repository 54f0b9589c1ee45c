// Voices, handles, placement and end notifications shared by every audio back end.
#include "platform/audio/PAudioDevice.h"

#include "platform/audio/PMixerAudioDevice.h"
#include "platform/audio/PSilentAudioDevice.h"
#include "platform/audio/PSoundStopListener.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

PAudioDevice::PAudioDevice(int voiceCount) : m_voices(static_cast<size_t>(std::max(voiceCount, 1)))
{
    m_ended.reserve(m_voices.size());
}

PAudioDevice::~PAudioDevice() = default;

std::unique_ptr<PAudioDevice> PAudioDevice::OpenDefault(std::string& note)
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver && std::strcmp(driver, "dummy") == 0)
    {
        note = "Sound output switched off (SDL_AUDIODRIVER=dummy): playing silently";
        return std::make_unique<PSilentAudioDevice>();
    }
    std::string error;
    std::unique_ptr<PAudioDevice> mixer = PMixerAudioDevice::Open(kDefaultVoices, error);
    if (mixer)
    {
        note = "Sound output opened";
        return mixer;
    }
    // A machine without sound still runs the game; it just plays nothing.
    note = "No sound output could be opened (" + error + "): playing silently";
    return std::make_unique<PSilentAudioDevice>();
}

PSoundHandle PAudioDevice::Play2D(const std::string& path, bool loop, float volume, float minDistance)
{
    PSoundState state;
    state.path = path;
    state.loop = loop;
    state.volume = volume;
    state.minDistance = minDistance;
    return Start(state);
}

PSoundHandle PAudioDevice::Play3D(const std::string& path, float x, float y, float z, bool loop, float volume,
                                  float minDistance)
{
    PSoundState state;
    state.path = path;
    state.loop = loop;
    state.positional = true;
    state.volume = volume;
    state.x = x;
    state.y = y;
    state.z = z;
    state.minDistance = minDistance;
    return Start(state);
}

PSoundHandle PAudioDevice::Start(const PSoundState& state)
{
    TakeEndedVoices();
    auto freeVoice = std::find_if(m_voices.begin(), m_voices.end(), [](const Voice& v) { return !v.busy; });
    // Every voice busy: the sound is refused rather than cutting off another or waiting.
    if (freeVoice == m_voices.end())
        return {};
    const int index = static_cast<int>(freeVoice - m_voices.begin());
    Voice& voice = *freeVoice;
    voice.state = state;
    voice.state.mix = MixFor(state);
    if (!StartVoice(index, state.path, state.loop, voice.state.mix))
        return {};
    voice.busy = true;
    voice.stopping = false;
    if (++voice.generation == 0)
        voice.generation = 1;
    return PSoundHandle{static_cast<uint32_t>(index), voice.generation};
}

PAudioDevice::Voice* PAudioDevice::Find(PSoundHandle sound)
{
    if (!sound.IsValid() || sound.voice >= m_voices.size())
        return nullptr;
    Voice& voice = m_voices[sound.voice];
    return voice.busy && voice.generation == sound.generation ? &voice : nullptr;
}

const PAudioDevice::Voice* PAudioDevice::Find(PSoundHandle sound) const
{
    return const_cast<PAudioDevice*>(this)->Find(sound);
}

void PAudioDevice::Stop(PSoundHandle sound)
{
    Voice* voice = Find(sound);
    if (!voice || voice->stopping)
        return;
    voice->stopping = true;
    StopVoice(static_cast<int>(sound.voice));
}

void PAudioDevice::StopAll()
{
    for (size_t i = 0; i < m_voices.size(); ++i)
        if (m_voices[i].busy)
            Stop(PSoundHandle{static_cast<uint32_t>(i), m_voices[i].generation});
}

bool PAudioDevice::IsFinished(PSoundHandle sound)
{
    TakeEndedVoices();
    return Find(sound) == nullptr;
}

void PAudioDevice::SetVolume(PSoundHandle sound, float volume)
{
    Voice* voice = Find(sound);
    if (!voice)
        return;
    voice->state.volume = volume;
    const PVoiceMix mix = MixFor(voice->state);
    if (mix == voice->state.mix)
        return;
    voice->state.mix = mix;
    MixVoice(static_cast<int>(sound.voice), mix);
}

void PAudioDevice::SetListener(float x, float y, float z)
{
    m_listenerX = x;
    m_listenerY = y;
    m_listenerZ = z;
}

void PAudioDevice::SetAllPaused(bool paused)
{
    m_allPaused = paused;
    PauseVoices(paused);
    PauseMusic(paused);
}

bool PAudioDevice::PlayMusic(const std::string& path, bool loop, float volume)
{
    StopMusic();
    const float clamped = std::clamp(volume, 0.0f, 1.0f);
    if (!StartMusic(path, loop, clamped))
        return false;
    m_music.path = path;
    m_music.loop = loop;
    m_music.volume = clamped;
    return true;
}

void PAudioDevice::StopMusic()
{
    if (m_music.path.empty())
        return;
    EndMusic();
    m_music = PMusicState{};
}

void PAudioDevice::SetMusicVolume(float volume)
{
    if (m_music.path.empty())
        return;
    m_music.volume = std::clamp(volume, 0.0f, 1.0f);
    MixMusic(m_music.volume);
}

PVoiceMix PAudioDevice::MixFor(const PSoundState& state) const
{
    if (!state.positional)
        return PVoiceMix::Flat(state.volume);
    return PVoiceMix::Positional(state.volume, state.x, state.y, state.z, m_listenerX, m_listenerY, m_listenerZ,
                                 state.minDistance, m_rolloff);
}

void PAudioDevice::Update()
{
    PollVoices();
    TakeEndedVoices();
    // Placed sounds that loop keep sounding while the camera moves, so they follow the listener.
    for (size_t i = 0; i < m_voices.size(); ++i)
    {
        Voice& voice = m_voices[i];
        if (!voice.busy || !voice.state.positional)
            continue;
        const PVoiceMix mix = MixFor(voice.state);
        if (mix == voice.state.mix)
            continue;
        voice.state.mix = mix;
        MixVoice(static_cast<int>(i), mix);
    }
    if (m_pendingNotifications.empty())
        return;
    // The listener may start new sounds while it is told; those end in a later update.
    std::vector<PSoundHandle> ended;
    ended.swap(m_pendingNotifications);
    for (PSoundHandle sound : ended)
        if (m_stopListener)
            m_stopListener->OnSoundStopped(sound);
}

std::vector<PSoundHandle> PAudioDevice::GetPlayingSounds() const
{
    std::vector<PSoundHandle> playing;
    for (size_t i = 0; i < m_voices.size(); ++i)
        if (m_voices[i].busy)
            playing.push_back(PSoundHandle{static_cast<uint32_t>(i), m_voices[i].generation});
    return playing;
}

bool PAudioDevice::GetSoundState(PSoundHandle sound, PSoundState& out) const
{
    const Voice* voice = Find(sound);
    if (!voice)
        return false;
    out = voice->state;
    return true;
}

void PAudioDevice::VoiceEnded(int voice)
{
    if (voice < 0 || static_cast<size_t>(voice) >= m_voices.size())
        return;
    std::lock_guard<std::mutex> guard(m_endedLock);
    m_ended.push_back(voice);
}

void PAudioDevice::ForgetEndedVoices()
{
    std::lock_guard<std::mutex> guard(m_endedLock);
    m_ended.clear();
}

void PAudioDevice::TakeEndedVoices()
{
    std::vector<int> ended;
    {
        std::lock_guard<std::mutex> guard(m_endedLock);
        if (m_ended.empty())
            return;
        ended.assign(m_ended.begin(), m_ended.end());
        m_ended.clear();
    }
    for (int index : ended)
    {
        Voice& voice = m_voices[static_cast<size_t>(index)];
        // A report for a voice that is not playing cannot belong to any sound the game holds.
        if (!voice.busy)
            continue;
        voice.busy = false;
        voice.stopping = false;
        m_pendingNotifications.push_back(PSoundHandle{static_cast<uint32_t>(index), voice.generation});
    }
}
