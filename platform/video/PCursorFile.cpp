// Cursor file decoding.
#include "platform/video/PCursorFile.h"

#include "platform/video/PImageCodec.h"

#include <algorithm>
#include <cstring>

namespace
{
uint16_t CurU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t CurU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

constexpr size_t kDirSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;

// A bitmap picture: header, palette (up to 8 bits per pixel), colour rows, then the 1-bit mask
// rows, both bottom-up and padded to four bytes. The header counts both halves in its height.
bool CurDecodeBitmap(const uint8_t* p, size_t size, PCursorImage& out)
{
    if (size < kInfoHeaderSize)
        return false;
    const uint32_t headerSize = CurU32(p);
    const int32_t width = static_cast<int32_t>(CurU32(p + 4));
    const int32_t doubleHeight = static_cast<int32_t>(CurU32(p + 8));
    const uint16_t bits = CurU16(p + 14);
    const uint32_t compression = CurU32(p + 16);
    uint32_t paletteCount = CurU32(p + 32);
    if (headerSize < kInfoHeaderSize || headerSize > size || compression != 0)
        return false;
    if (width <= 0 || width > PCursorFile::kMaxSide || doubleHeight <= 0 || doubleHeight % 2 != 0 ||
        doubleHeight / 2 > PCursorFile::kMaxSide)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return false;
    const int height = doubleHeight / 2;
    if (bits <= 8)
    {
        const uint32_t full = 1u << bits;
        if (paletteCount == 0 || paletteCount > full)
            paletteCount = full;
    }
    else
    {
        paletteCount = 0;
    }
    const size_t paletteOffset = headerSize;
    const size_t colourOffset = paletteOffset + static_cast<size_t>(paletteCount) * 4;
    const size_t colourStride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    const size_t maskOffset = colourOffset + colourStride * height;
    const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
    if (maskOffset + maskStride * height > size)
        return false;

    out.width = width;
    out.height = height;
    out.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y)
    {
        const uint8_t* row = p + colourOffset + colourStride * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x)
        {
            uint8_t* px = &out.rgba[(static_cast<size_t>(y) * width + x) * 4];
            if (bits == 32 || bits == 24)
            {
                const uint8_t* s = row + static_cast<size_t>(x) * (bits / 8);
                px[0] = s[2];
                px[1] = s[1];
                px[2] = s[0];
                px[3] = bits == 32 ? s[3] : 255;
                if (bits == 32 && s[3] != 0)
                    anyAlpha = true;
                continue;
            }
            const size_t bit = static_cast<size_t>(x) * bits;
            const uint8_t byte = row[bit / 8];
            const uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            if (index >= paletteCount)
                return false;
            const uint8_t* c = p + paletteOffset + static_cast<size_t>(index) * 4;
            px[0] = c[2];
            px[1] = c[1];
            px[2] = c[0];
            px[3] = 255;
        }
    }
    // Older pictures keep their transparency only in the mask; a 32-bit picture with an alpha
    // channel of its own ignores it.
    if (!anyAlpha)
    {
        for (int y = 0; y < height; ++y)
        {
            const uint8_t* row = p + maskOffset + maskStride * static_cast<size_t>(height - 1 - y);
            for (int x = 0; x < width; ++x)
                if ((row[x / 8] >> (7 - x % 8)) & 1)
                    out.rgba[(static_cast<size_t>(y) * width + x) * 4 + 3] = 0;
        }
    }
    return true;
}
} // namespace

bool PCursorFile::Decode(const uint8_t* data, size_t size, PCursorImage& out)
{
    out = PCursorImage();
    if (!data || size < kDirSize || CurU16(data) != 0 || CurU16(data + 2) != 2)
        return false;
    const size_t count = CurU16(data + 4);
    if (count == 0 || kDirSize + count * kEntrySize > size)
        return false;
    // The largest picture; a side of 0 in the directory means 256.
    size_t best = count;
    int bestSide = -1;
    for (size_t i = 0; i < count; ++i)
    {
        const uint8_t* e = data + kDirSize + i * kEntrySize;
        const int side = std::max(e[0] == 0 ? 256 : e[0], e[1] == 0 ? 256 : e[1]);
        if (side > bestSide)
        {
            bestSide = side;
            best = i;
        }
    }
    const uint8_t* e = data + kDirSize + best * kEntrySize;
    const uint32_t bytes = CurU32(e + 8);
    const uint32_t offset = CurU32(e + 12);
    if (offset > size || bytes > size - offset || bytes < 8)
        return false;
    const uint8_t* payload = data + offset;
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    bool ok = false;
    if (std::memcmp(payload, kPngSignature, sizeof kPngSignature) == 0)
    {
        PImage image;
        ok = PImageCodec::Decode(payload, bytes, image) && image.Width() <= kMaxSide && image.Height() <= kMaxSide;
        if (ok)
        {
            out.width = image.Width();
            out.height = image.Height();
            out.rgba = std::move(image.levels[0].rgba);
        }
    }
    else
    {
        ok = CurDecodeBitmap(payload, bytes, out);
    }
    if (!ok)
    {
        out = PCursorImage();
        return false;
    }
    out.hotX = std::min<int>(CurU16(e + 4), out.width - 1);
    out.hotY = std::min<int>(CurU16(e + 6), out.height - 1);
    return true;
}

bool PCursorFile::Load(const std::string& path, PCursorImage& out)
{
    std::vector<uint8_t> bytes;
    if (!PImageCodec::ReadFile(path, bytes))
        return false;
    return Decode(bytes.data(), bytes.size(), out);
}
