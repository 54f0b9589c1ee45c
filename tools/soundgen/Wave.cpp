// WAV reading and writing.
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

Wave Wave::Silence(double seconds, int channels)
{
    Wave w;
    w.channels = channels;
    w.samples.assign(static_cast<size_t>(std::llround(seconds * kRate)) * static_cast<size_t>(channels), 0.0f);
    return w;
}

namespace
{
uint32_t U32(const std::string& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}

uint16_t U16(const std::string& b, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
} // namespace

bool ReadWave(const std::string& path, Wave& out)
{
    std::ifstream in(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
    {
        std::fprintf(stderr, "%s: not a WAV file\n", path.c_str());
        return false;
    }
    int format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    for (size_t at = 12; at + 8 <= b.size();)
    {
        const uint32_t size = U32(b, at + 4);
        const size_t body = at + 8;
        if (b.compare(at, 4, "fmt ") == 0 && body + 16 <= b.size())
        {
            format = U16(b, body);
            channels = U16(b, body + 2);
            rate = U32(b, body + 4);
            bits = U16(b, body + 14);
            if (format == 0xFFFE && size >= 26 && body + 26 <= b.size())
                format = U16(b, body + 24);
        }
        else if (b.compare(at, 4, "data") == 0)
        {
            if (rate != kRate || channels < 1 || channels > 2)
            {
                std::fprintf(stderr, "%s: needs 44100 Hz mono or stereo\n", path.c_str());
                return false;
            }
            const size_t bytes = std::min<size_t>(size, b.size() - body);
            const size_t width = static_cast<size_t>(bits / 8);
            out.channels = channels;
            out.samples.clear();
            out.samples.reserve(bytes / width);
            for (size_t p = body; p + width <= body + bytes; p += width)
            {
                if (format == 3 && bits == 32)
                {
                    float f;
                    const uint32_t raw = U32(b, p);
                    std::memcpy(&f, &raw, 4);
                    out.samples.push_back(f);
                }
                else if (format == 1 && bits == 16)
                    out.samples.push_back(static_cast<int16_t>(U16(b, p)) / 32768.0f);
                else if (format == 1 && bits == 32)
                    out.samples.push_back(static_cast<float>(static_cast<int32_t>(U32(b, p)) / 2147483648.0));
                else
                {
                    std::fprintf(stderr, "%s: unsupported sample format %d/%d\n", path.c_str(), format, bits);
                    return false;
                }
            }
            return true;
        }
        at = body + size + (size & 1u);
    }
    std::fprintf(stderr, "%s: no data chunk\n", path.c_str());
    return false;
}

bool WriteWave(const std::string& path, const Wave& wave)
{
    std::string b;
    auto u32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<char>(v >> (8 * i)));
    };
    auto u16 = [&b](uint16_t v) {
        b.push_back(static_cast<char>(v));
        b.push_back(static_cast<char>(v >> 8));
    };
    const uint32_t dataBytes = static_cast<uint32_t>(wave.samples.size() * 2);
    b += "RIFF";
    u32(36 + dataBytes);
    b += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(static_cast<uint16_t>(wave.channels));
    u32(kRate);
    u32(static_cast<uint32_t>(kRate * wave.channels * 2));
    u16(static_cast<uint16_t>(wave.channels * 2));
    u16(16);
    b += "data";
    u32(dataBytes);
    for (float s : wave.samples)
    {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        u16(static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(b.data(), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}
