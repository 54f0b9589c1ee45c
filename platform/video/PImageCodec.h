// Decoding of every picture file the game reads (DDS by our own reader; PNG, JPEG, TGA and BMP by
// stb_image) and encoding of screenshots and thumbnails (JPEG, PNG) and textures (DDS).
#pragma once

#include "platform/video/PGraphicsTypes.h"
#include "platform/video/PImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class PImageFileFormat : uint32_t
{
    Bmp = 0,
    Jpg = 1,
    Tga = 2,
    Png = 3,
    Dds = 4,
};

class PImageCodec
{
public:
    // Largest side accepted from any picture file.
    static constexpr int kMaxSide = 16384;
    // A picture may be long or wide, but not both: 64 million pixels (256 MB of colour) is far
    // beyond any picture the game ships and keeps a forged header from exhausting memory.
    static constexpr long long kMaxPixels = 8192LL * 8192LL;

    // Decodes by content (not by name). Returns false for anything unreadable or oversized.
    static bool Decode(const uint8_t* data, size_t size, PImage& image, PFormat* fileFormat = nullptr);

    // Encodes the first level of image. DDS is written as A8R8G8B8 with all levels.
    static bool Encode(const PImage& image, PImageFileFormat format, std::vector<uint8_t>& out);

    // Encodes and writes a file; false when encoding or writing fails.
    static bool SaveToFile(const std::string& path, const PImage& image, PImageFileFormat format);

    // Reads a whole file; false when it cannot be opened or read.
    static bool ReadFile(const std::string& path, std::vector<uint8_t>& out);
};
