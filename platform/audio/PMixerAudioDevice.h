// Sound through SDL_mixer: each voice is a mixer channel, effects are decoded once and kept,
// music is streamed. The mixer tells of a channel's end on its audio thread (or from inside a
// halt); that report only goes into the shared queue, so no lock of the game's is ever taken
// while the mixer holds its own.
#pragma once
#include "platform/audio/PAudioDevice.h"

#include <unordered_map>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music; // NOLINT(bugprone-reserved-identifier): SDL_mixer names it so

class PMixerAudioDevice : public PAudioDevice
{
public:
    // Opens the default output with voiceCount channels; null with the reason in error when no
    // output can be opened or another mixer device is open.
    static std::unique_ptr<PAudioDevice> Open(int voiceCount, std::string& error);
    ~PMixerAudioDevice() override;

protected:
    bool StartVoice(int voice, const std::string& path, bool loop, const PVoiceMix& mix) override;
    void StopVoice(int voice) override;
    void MixVoice(int voice, const PVoiceMix& mix) override;
    void PauseVoices(bool paused) override;
    bool StartMusic(const std::string& path, bool loop, float volume) override;
    void EndMusic() override;
    void MixMusic(float volume) override;
    void PauseMusic(bool paused) override;

private:
    explicit PMixerAudioDevice(int voiceCount);
    static void OnChannelFinished(int channel);
    Mix_Chunk* LoadChunk(const std::string& path);

    // Decoded effects by path; a file that failed to load is kept as null so it is not retried
    // (and logged) every time it is asked for.
    std::unordered_map<std::string, Mix_Chunk*> m_chunks;
    Mix_Music* m_music = nullptr;
};
