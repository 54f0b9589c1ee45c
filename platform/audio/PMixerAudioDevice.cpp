// SDL_mixer back end.
#include "platform/audio/PMixerAudioDevice.h"

#include "platform/core/PDebugOutput.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace
{
// The mixer's end callback carries only the channel; this is the device it belongs to. SDL_mixer
// is one global mixer, so only one device may be open at a time.
std::atomic<PMixerAudioDevice*> s_openDevice{nullptr};

int MixVolume(float gain)
{
    return std::clamp(static_cast<int>(std::lround(gain * MIX_MAX_VOLUME)), 0, MIX_MAX_VOLUME);
}

Uint8 PanByte(float share)
{
    return static_cast<Uint8>(std::clamp(static_cast<int>(std::lround(share * 255.0f)), 0, 255));
}
} // namespace

PMixerAudioDevice::PMixerAudioDevice(int voiceCount) : PAudioDevice(voiceCount)
{
}

std::unique_ptr<PAudioDevice> PMixerAudioDevice::Open(int voiceCount, std::string& error)
{
    if (s_openDevice.load() != nullptr)
    {
        error = "a mixer device is already open";
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        error = SDL_GetError();
        return nullptr;
    }
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0)
    {
        error = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    std::unique_ptr<PMixerAudioDevice> device(new PMixerAudioDevice(voiceCount));
    Mix_AllocateChannels(device->GetVoiceCount());
    s_openDevice.store(device.get());
    Mix_ChannelFinished(&PMixerAudioDevice::OnChannelFinished);
    return device;
}

PMixerAudioDevice::~PMixerAudioDevice()
{
    // Halting reports every channel's end through the callback; the reports are dropped with the
    // device, since nobody is left to be told.
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    if (m_music)
        Mix_FreeMusic(m_music);
    Mix_ChannelFinished(nullptr);
    Mix_CloseAudio();
    s_openDevice.store(nullptr);
    ForgetEndedVoices();
    for (auto& entry : m_chunks)
        if (entry.second)
            Mix_FreeChunk(entry.second);
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void PMixerAudioDevice::OnChannelFinished(int channel)
{
    if (PMixerAudioDevice* device = s_openDevice.load())
        device->VoiceEnded(channel);
}

Mix_Chunk* PMixerAudioDevice::LoadChunk(const std::string& path)
{
    auto found = m_chunks.find(path);
    if (found != m_chunks.end())
        return found->second;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk)
        PDebugOutput::Write("Sound could not be loaded: " + path + " (" + Mix_GetError() + ")\n");
    m_chunks.emplace(path, chunk);
    return chunk;
}

bool PMixerAudioDevice::StartVoice(int voice, const std::string& path, bool loop, const PVoiceMix& mix)
{
    Mix_Chunk* chunk = LoadChunk(path);
    if (!chunk)
        return false;
    // Mixed before it starts, so the first samples already play at the right level and side.
    Mix_Volume(voice, MixVolume(mix.gain));
    Mix_SetPanning(voice, PanByte(mix.left), PanByte(mix.right));
    return Mix_PlayChannel(voice, chunk, loop ? -1 : 0) == voice;
}

void PMixerAudioDevice::StopVoice(int voice)
{
    Mix_HaltChannel(voice);
}

void PMixerAudioDevice::MixVoice(int voice, const PVoiceMix& mix)
{
    Mix_Volume(voice, MixVolume(mix.gain));
    Mix_SetPanning(voice, PanByte(mix.left), PanByte(mix.right));
}

void PMixerAudioDevice::PauseVoices(bool paused)
{
    if (paused)
        Mix_Pause(-1);
    else
        Mix_Resume(-1);
}

bool PMixerAudioDevice::StartMusic(const std::string& path, bool loop, float volume)
{
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music)
    {
        PDebugOutput::Write("Music could not be loaded: " + path + " (" + Mix_GetError() + ")\n");
        return false;
    }
    Mix_VolumeMusic(MixVolume(volume));
    if (Mix_PlayMusic(music, loop ? -1 : 1) != 0)
    {
        Mix_FreeMusic(music);
        return false;
    }
    m_music = music;
    return true;
}

void PMixerAudioDevice::EndMusic()
{
    Mix_HaltMusic();
    if (m_music)
        Mix_FreeMusic(m_music);
    m_music = nullptr;
}

void PMixerAudioDevice::MixMusic(float volume)
{
    Mix_VolumeMusic(MixVolume(volume));
}

void PMixerAudioDevice::PauseMusic(bool paused)
{
    if (paused)
        Mix_PauseMusic();
    else
        Mix_ResumeMusic();
}
