// Sample buffers and WAV files for the sound generator: mono or stereo float samples at one rate,
// read from 16-bit or float WAV (what fluidsynth writes) and written as 16-bit PCM for oggenc.
#pragma once
#include <string>
#include <vector>

constexpr int kRate = 44100;

struct Wave
{
    int channels = 1;
    std::vector<float> samples; // interleaved

    size_t Frames() const { return samples.size() / static_cast<size_t>(channels); }
    float& At(size_t frame, int channel) { return samples[frame * static_cast<size_t>(channels) + channel]; }
    float At(size_t frame, int channel) const { return samples[frame * static_cast<size_t>(channels) + channel]; }
    double Seconds() const { return static_cast<double>(Frames()) / kRate; }

    static Wave Silence(double seconds, int channels);
};

// False with a message on stderr when the file cannot be read or is no 16/32-bit PCM or 32-bit
// float WAV at 44.1 kHz.
bool ReadWave(const std::string& path, Wave& out);
// Writes 16-bit PCM, rounding (no dither, so the output is the same on every run).
bool WriteWave(const std::string& path, const Wave& wave);
