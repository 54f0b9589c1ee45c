// Reader of Windows cursor files (.cur): the delete tool's pointer ships as one. A file holds one
// or more pictures, each a PNG or a bottom-up device-independent bitmap with a transparency mask,
// and the hot spot that marks the pixel the pointer clicks with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PCursorImage
{
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<uint8_t> rgba; // width * height * 4 bytes, rows from the top
};

class PCursorFile
{
public:
    // Largest picture side a cursor file may hold.
    static constexpr int kMaxSide = 256;

    // Decodes the largest picture of the file. False for anything that is not a readable
    // cursor; every count, offset and size in the file is checked against its length.
    static bool Decode(const uint8_t* data, size_t size, PCursorImage& out);
    // Reads and decodes a file; false when it cannot be read or decoded.
    static bool Load(const std::string& path, PCursorImage& out);
};
