// Sound lengths from Ogg Vorbis and WAV headers.
#include "platform/audio/PSoundFileInfo.h"

#include "platform/core/PFile.h"

#include <cstdint>
#include <cstring>

namespace
{
uint32_t ReadU32(const std::string& b, size_t at)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t ReadU16(const std::string& b, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// An Ogg page: "OggS", version, flags, granule position (8 bytes), serial, sequence, checksum,
// segment count, segment table, then the segments.
constexpr size_t kOggHeader = 27;

bool OggLength(const std::string& b, double& ms)
{
    // The first page carries the identification packet: 0x01 "vorbis", version, channels, rate.
    if (b.size() < kOggHeader)
        return false;
    const size_t segments = static_cast<unsigned char>(b[26]);
    const size_t packet = kOggHeader + segments;
    if (b.size() < packet + 16 || b.compare(packet, 7, "\x01vorbis") != 0)
        return false;
    const uint32_t rate = ReadU32(b, packet + 12);
    if (rate == 0)
        return false;
    // The last page's granule position is the stream's sample count.
    size_t at = b.rfind("OggS");
    while (at != std::string::npos)
    {
        if (at + kOggHeader <= b.size())
        {
            uint64_t granule = 0;
            for (int i = 7; i >= 0; --i)
                granule = granule << 8 | static_cast<unsigned char>(b[at + 6 + static_cast<size_t>(i)]);
            // All bits set marks a page on which no packet ends; look further back.
            if (granule != ~uint64_t{0})
            {
                ms = static_cast<double>(granule) * 1000.0 / rate;
                return true;
            }
        }
        if (at == 0)
            break;
        at = b.rfind("OggS", at - 1);
    }
    return false;
}

bool WavLength(const std::string& b, double& ms)
{
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return false;
    uint32_t byteRate = 0;
    size_t at = 12;
    while (at + 8 <= b.size())
    {
        const uint32_t size = ReadU32(b, at + 4);
        const size_t body = at + 8;
        if (b.compare(at, 4, "fmt ") == 0 && size >= 16 && body + 16 <= b.size())
        {
            if (ReadU16(b, body) != 1 && ReadU16(b, body) != 3 && ReadU16(b, body) != 0xFFFE)
                return false;
            byteRate = ReadU32(b, body + 8);
        }
        else if (b.compare(at, 4, "data") == 0)
        {
            if (byteRate == 0)
                return false;
            // A data chunk cut short (a file still being written) plays what is there.
            const size_t available = b.size() - body;
            ms = static_cast<double>(size < available ? size : available) * 1000.0 / byteRate;
            return true;
        }
        // Chunks are padded to an even size.
        const uint64_t next = static_cast<uint64_t>(body) + size + (size & 1u);
        if (next > b.size())
            break;
        at = static_cast<size_t>(next);
    }
    return false;
}
} // namespace

bool PSoundFileInfo::LengthFromBytes(const std::string& bytes, double& milliseconds)
{
    if (bytes.compare(0, 4, "OggS") == 0)
        return OggLength(bytes, milliseconds);
    return WavLength(bytes, milliseconds);
}

bool PSoundFileInfo::LengthOfFile(const std::string& path, double& milliseconds)
{
    std::string bytes;
    if (!PFile::ReadAll(path, bytes))
        return false;
    return LengthFromBytes(bytes, milliseconds);
}
