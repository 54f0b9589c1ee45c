// Writes a finished picture in the form the game reads it: DDS (uncompressed or block
// compressed), PNG, JPEG or a cursor file.
#pragma once

#include "platform/video/PImage.h"

#include <cstdint>
#include <string>
#include <vector>

class ArtWriter
{
public:
    // Formats: "argb" (32-bit DDS), "dxt" (DXT1 when opaque, else DXT5), "auto" (dxt for pictures
    // of at least 128 x 128 whose sides are multiples of four, else argb), "png", "jpg", "cur".
    static bool IsFormat(const std::string& format);
    // Encodes image; mips builds the full chain for DDS. hotX, hotY: the cursor's hot spot.
    static bool Encode(const PImage& image, const std::string& format, bool mips, int hotX, int hotY,
                       std::vector<uint8_t>& out);
    // Writes bytes to path (making its folder), leaving an identical file untouched.
    static bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

    // A Windows cursor file: one 32-bit image with its AND mask.
    static std::vector<uint8_t> EncodeCursor(const PImage& image, int hotX, int hotY);
    // The DDS layout "auto" chooses for this picture.
    static std::string ResolveDdsFormat(const PImage& image, const std::string& format);
};
