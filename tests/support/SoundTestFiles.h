// Small sound files for the sound tests: a folder of their own with PCM WAV files of a chosen
// length, which both the mixer and the silent device play.
#pragma once
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class SoundTestFolder
{
public:
    SoundTestFolder()
    {
        m_path = std::filesystem::temp_directory_path() /
                 ("fv_sound_test_" + std::to_string(getpid()) + "_" + std::to_string(s_counter++));
        std::filesystem::create_directories(m_path / "music");
    }
    ~SoundTestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    SoundTestFolder(const SoundTestFolder&) = delete;
    SoundTestFolder& operator=(const SoundTestFolder&) = delete;

    std::string Path() const { return m_path.string(); }

    // Writes name (relative to the folder) as a 44.1 kHz stereo 16-bit tone of ms milliseconds;
    // returns its full path.
    std::string AddWav(const std::string& name, int ms) const
    {
        const uint32_t frames = static_cast<uint32_t>(44100LL * ms / 1000);
        const uint32_t dataBytes = frames * 4;
        std::string b;
        auto u32 = [&b](uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b.push_back(static_cast<char>(v >> (8 * i)));
        };
        auto u16 = [&b](uint16_t v) {
            b.push_back(static_cast<char>(v));
            b.push_back(static_cast<char>(v >> 8));
        };
        b += "RIFF";
        u32(36 + dataBytes);
        b += "WAVEfmt ";
        u32(16);
        u16(1);
        u16(2);
        u32(44100);
        u32(44100 * 4);
        u16(4);
        u16(16);
        b += "data";
        u32(dataBytes);
        for (uint32_t i = 0; i < frames; ++i)
        {
            const int16_t s = static_cast<int16_t>(3000.0 * std::sin(i * 0.06));
            u16(static_cast<uint16_t>(s));
            u16(static_cast<uint16_t>(s));
        }
        const std::filesystem::path file = m_path / name;
        std::ofstream(file, std::ios::binary).write(b.data(), static_cast<std::streamsize>(b.size()));
        return file.string();
    }

private:
    static inline int s_counter = 0;
    std::filesystem::path m_path;
};
