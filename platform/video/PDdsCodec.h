// Reader and writer of DDS texture files, the data's texture format: uncompressed colour, luminance
// and alpha layouts and the three block-compressed layouts are read; 32-bit ARGB and 16-bit
// alpha-luminance are written.
#pragma once

#include "platform/video/PGraphicsTypes.h"
#include "platform/video/PImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class PDdsCodec
{
public:
    // Largest side accepted from a file; anything bigger is treated as a lying header.
    static constexpr int kMaxSide = 16384;

    // True when the bytes start with the DDS magic.
    static bool IsDds(const uint8_t* data, size_t size);

    // Decodes every mip level the file declares. Returns false (and leaves image empty) for a
    // truncated file, a header whose sizes do not match the data, or a layout we do not read.
    // fileFormat receives the layout of the file when known.
    static bool Decode(const uint8_t* data, size_t size, PImage& image, PFormat* fileFormat = nullptr);

    // Encodes all levels of image as A8R8G8B8 or A8L8 (luminance from red, alpha from alpha).
    static bool Encode(const PImage& image, PFormat format, std::vector<uint8_t>& out);

    // Block decoders, exposed for tests: one 4 x 4 block into 16 RGBA pixels.
    static void DecodeDxt1Block(const uint8_t* block, uint8_t* rgba, bool alphaFromColourKey);
    static void DecodeDxt3Block(const uint8_t* block, uint8_t* rgba);
    static void DecodeDxt5Block(const uint8_t* block, uint8_t* rgba);
};
