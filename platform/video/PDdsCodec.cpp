// DDS reading and writing. Every size in the header is checked against the bytes that follow it
// before any pixel is touched, since modders hand-edit these files.
#include "platform/video/PDdsCodec.h"

#include <algorithm>
#include <cstring>

#include <stb_dxt.h>

namespace
{
constexpr uint32_t kDdsMagic = 0x20534444; // "DDS "
constexpr size_t kHeaderBytes = 128;       // magic + 124-byte header
constexpr uint32_t kFlagMipCount = 0x20000;
constexpr uint32_t kPfAlphaPixels = 0x1;
constexpr uint32_t kPfAlpha = 0x2;
constexpr uint32_t kPfFourCC = 0x4;
constexpr uint32_t kPfRgb = 0x40;
constexpr uint32_t kPfLuminance = 0x20000;

uint32_t DdsRead32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void DdsWrite32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
    out[at + 2] = static_cast<uint8_t>(v >> 16);
    out[at + 3] = static_cast<uint8_t>(v >> 24);
}

// Extracts the bits of mask from a pixel and scales them to 0..255.
uint8_t DdsChannel(uint32_t pixel, uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    const uint32_t bits = mask >> shift;
    const uint32_t value = (pixel & mask) >> shift;
    if (bits == 0xFFu)
        return static_cast<uint8_t>(value);
    return static_cast<uint8_t>((static_cast<uint64_t>(value) * 255u + bits / 2) / bits);
}

void DdsColour565(uint16_t c, uint8_t* rgb)
{
    const uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    rgb[0] = static_cast<uint8_t>((r * 255 + 15) / 31);
    rgb[1] = static_cast<uint8_t>((g * 255 + 31) / 63);
    rgb[2] = static_cast<uint8_t>((b * 255 + 15) / 31);
}

// Colour part shared by the three block layouts; fourColour forces the opaque four-colour palette.
void DdsColourBlock(const uint8_t* block, uint8_t* rgba, bool fourColour, bool alphaFromColourKey)
{
    const uint16_t c0 = static_cast<uint16_t>(block[0] | block[1] << 8);
    const uint16_t c1 = static_cast<uint16_t>(block[2] | block[3] << 8);
    uint8_t palette[4][4];
    DdsColour565(c0, palette[0]);
    DdsColour565(c1, palette[1]);
    palette[0][3] = palette[1][3] = 255;
    if (fourColour || c0 > c1)
    {
        for (int c = 0; c < 3; ++c)
        {
            palette[2][c] = static_cast<uint8_t>((2 * palette[0][c] + palette[1][c] + 1) / 3);
            palette[3][c] = static_cast<uint8_t>((palette[0][c] + 2 * palette[1][c] + 1) / 3);
        }
        palette[2][3] = palette[3][3] = 255;
    }
    else
    {
        for (int c = 0; c < 3; ++c)
        {
            palette[2][c] = static_cast<uint8_t>((palette[0][c] + palette[1][c]) / 2);
            palette[3][c] = 0;
        }
        palette[2][3] = 255;
        palette[3][3] = alphaFromColourKey ? 0 : 255;
    }
    const uint32_t indices = DdsRead32(block + 4);
    for (int i = 0; i < 16; ++i)
        std::memcpy(rgba + static_cast<ptrdiff_t>(i) * 4, palette[(indices >> (2 * i)) & 3], 4);
}

size_t DdsLevelBytes(PFormat format, int width, int height, uint32_t bitCount)
{
    const size_t bw = static_cast<size_t>(width + 3) / 4, bh = static_cast<size_t>(height + 3) / 4;
    switch (format)
    {
    case PFormat::DXT1:
        return bw * bh * 8;
    case PFormat::DXT3:
    case PFormat::DXT5:
        return bw * bh * 16;
    default:
        return static_cast<size_t>(width) * height * (bitCount / 8);
    }
}
} // namespace

bool PDdsCodec::IsDds(const uint8_t* data, size_t size)
{
    return data && size >= 4 && DdsRead32(data) == kDdsMagic;
}

void PDdsCodec::DecodeDxt1Block(const uint8_t* block, uint8_t* rgba, bool alphaFromColourKey)
{
    DdsColourBlock(block, rgba, false, alphaFromColourKey);
}

void PDdsCodec::DecodeDxt3Block(const uint8_t* block, uint8_t* rgba)
{
    DdsColourBlock(block + 8, rgba, true, false);
    for (int i = 0; i < 16; ++i)
    {
        const uint8_t nibble = static_cast<uint8_t>((block[i / 2] >> ((i & 1) * 4)) & 0xF);
        rgba[i * 4 + 3] = static_cast<uint8_t>(nibble * 17);
    }
}

void PDdsCodec::DecodeDxt5Block(const uint8_t* block, uint8_t* rgba)
{
    DdsColourBlock(block + 8, rgba, true, false);
    const int a0 = block[0], a1 = block[1];
    int alpha[8] = {a0, a1, 0, 0, 0, 0, 0, 0};
    if (a0 > a1)
    {
        for (int i = 1; i < 7; ++i)
            alpha[i + 1] = ((7 - i) * a0 + i * a1 + 3) / 7;
    }
    else
    {
        for (int i = 1; i < 5; ++i)
            alpha[i + 1] = ((5 - i) * a0 + i * a1 + 2) / 5;
        alpha[6] = 0;
        alpha[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i)
        bits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i)
        rgba[i * 4 + 3] = static_cast<uint8_t>(alpha[(bits >> (3 * i)) & 7]);
}

bool PDdsCodec::Decode(const uint8_t* data, size_t size, PImage& image, PFormat* fileFormat)
{
    image.levels.clear();
    if (!IsDds(data, size) || size < kHeaderBytes || DdsRead32(data + 4) != 124)
        return false;
    const uint32_t flags = DdsRead32(data + 8);
    const uint32_t height = DdsRead32(data + 12);
    const uint32_t width = DdsRead32(data + 16);
    const uint32_t mipCount = DdsRead32(data + 28);
    const uint32_t pfFlags = DdsRead32(data + 80);
    const uint32_t fourCC = DdsRead32(data + 84);
    const uint32_t bitCount = DdsRead32(data + 88);
    const uint32_t masks[4] = {DdsRead32(data + 92), DdsRead32(data + 96), DdsRead32(data + 100),
                               DdsRead32(data + 104)};
    const uint32_t caps2 = DdsRead32(data + 112);
    if (width == 0 || height == 0 || width > static_cast<uint32_t>(kMaxSide) ||
        height > static_cast<uint32_t>(kMaxSide))
        return false;
    if (caps2 & 0x200u) // cube maps are not textures the renderer draws
        return false;

    PFormat format = PFormat::Unknown;
    if (pfFlags & kPfFourCC)
    {
        if (fourCC == static_cast<uint32_t>(PFormat::DXT1) || fourCC == static_cast<uint32_t>(PFormat::DXT3) ||
            fourCC == static_cast<uint32_t>(PFormat::DXT5))
            format = static_cast<PFormat>(fourCC);
        else
            return false;
    }
    else
    {
        if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            return false;
        if (!(pfFlags & (kPfRgb | kPfLuminance | kPfAlpha)))
            return false;
        if (pfFlags & kPfLuminance)
            format = (pfFlags & kPfAlphaPixels) ? PFormat::A8L8 : PFormat::L8;
        else if (pfFlags & kPfRgb)
            format = (pfFlags & kPfAlphaPixels) ? PFormat::A8R8G8B8 : PFormat::X8R8G8B8;
        else
            format = PFormat::A8;
    }

    const int fullChain = PImage::FullChainLength(static_cast<int>(width), static_cast<int>(height));
    int levels = 1;
    if ((flags & kFlagMipCount) && mipCount > 1)
    {
        if (mipCount > 32)
            return false;
        levels = static_cast<int>(mipCount) < fullChain ? static_cast<int>(mipCount) : fullChain;
    }

    // Check the whole data length before decoding anything.
    size_t needed = kHeaderBytes;
    {
        int w = static_cast<int>(width), h = static_cast<int>(height);
        for (int l = 0; l < levels; ++l)
        {
            needed += DdsLevelBytes(format, w, h, bitCount);
            w = w > 1 ? w / 2 : 1;
            h = h > 1 ? h / 2 : 1;
        }
    }
    if (needed > size)
        return false;

    const bool hasAlpha = (pfFlags & (kPfAlphaPixels | kPfAlpha)) != 0;
    const uint8_t* src = data + kHeaderBytes;
    int w = static_cast<int>(width), h = static_cast<int>(height);
    image.levels.resize(static_cast<size_t>(levels));
    for (int l = 0; l < levels; ++l)
    {
        PImageLevel& level = image.levels[static_cast<size_t>(l)];
        level.width = w;
        level.height = h;
        level.rgba.assign(static_cast<size_t>(w) * h * 4, 0);
        if (format == PFormat::DXT1 || format == PFormat::DXT3 || format == PFormat::DXT5)
        {
            const size_t blockBytes = format == PFormat::DXT1 ? 8 : 16;
            uint8_t pixels[64];
            for (int by = 0; by < (h + 3) / 4; ++by)
            {
                for (int bx = 0; bx < (w + 3) / 4; ++bx)
                {
                    if (format == PFormat::DXT1)
                        DecodeDxt1Block(src, pixels, true);
                    else if (format == PFormat::DXT3)
                        DecodeDxt3Block(src, pixels);
                    else
                        DecodeDxt5Block(src, pixels);
                    src += blockBytes;
                    for (int py = 0; py < 4; ++py)
                    {
                        const int y = by * 4 + py;
                        if (y >= h)
                            break;
                        for (int px = 0; px < 4; ++px)
                        {
                            const int x = bx * 4 + px;
                            if (x >= w)
                                break;
                            std::memcpy(&level.rgba[(static_cast<size_t>(y) * w + x) * 4],
                                        pixels + static_cast<ptrdiff_t>(py * 4 + px) * 4, 4);
                        }
                    }
                }
            }
        }
        else
        {
            const uint32_t bytesPerPixel = bitCount / 8;
            for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i)
            {
                uint32_t pixel = 0;
                for (uint32_t b = 0; b < bytesPerPixel; ++b)
                    pixel |= static_cast<uint32_t>(src[b]) << (8 * b);
                src += bytesPerPixel;
                uint8_t* out = &level.rgba[i * 4];
                if (format == PFormat::A8)
                {
                    out[0] = out[1] = out[2] = 255;
                    out[3] = DdsChannel(pixel, masks[3] ? masks[3] : 0xFFu);
                }
                else if (format == PFormat::L8 || format == PFormat::A8L8)
                {
                    out[0] = out[1] = out[2] = DdsChannel(pixel, masks[0] ? masks[0] : 0xFFu);
                    out[3] = hasAlpha ? DdsChannel(pixel, masks[3]) : 255;
                }
                else
                {
                    out[0] = DdsChannel(pixel, masks[0]);
                    out[1] = DdsChannel(pixel, masks[1]);
                    out[2] = DdsChannel(pixel, masks[2]);
                    out[3] = hasAlpha ? DdsChannel(pixel, masks[3]) : 255;
                }
            }
        }
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    if (fileFormat)
        *fileFormat = format;
    return true;
}

namespace
{
// One level as DXT blocks; pixels past the right or bottom edge repeat the last row or column, so
// sizes that are not multiples of four still encode.
void DdsEncodeBlocks(const PImageLevel& level, bool dxt5, std::vector<uint8_t>& out, size_t& at)
{
    uint8_t pixels[64];
    for (int by = 0; by < (level.height + 3) / 4; ++by)
        for (int bx = 0; bx < (level.width + 3) / 4; ++bx)
        {
            for (int py = 0; py < 4; ++py)
                for (int px = 0; px < 4; ++px)
                {
                    const int x = std::min(bx * 4 + px, level.width - 1);
                    const int y = std::min(by * 4 + py, level.height - 1);
                    std::memcpy(&pixels[static_cast<size_t>(py * 4 + px) * 4],
                                &level.rgba[(static_cast<size_t>(y) * level.width + x) * 4], 4);
                }
            stb_compress_dxt_block(&out[at], pixels, dxt5 ? 1 : 0, STB_DXT_HIGHQUAL);
            at += dxt5 ? 16 : 8;
        }
}
} // namespace

bool PDdsCodec::Encode(const PImage& image, PFormat format, std::vector<uint8_t>& out)
{
    out.clear();
    const bool blocks = format == PFormat::DXT1 || format == PFormat::DXT5;
    if (image.IsEmpty() || (format != PFormat::A8R8G8B8 && format != PFormat::A8L8 && !blocks))
        return false;
    const uint32_t bytesPerPixel = format == PFormat::A8R8G8B8 ? 4 : 2;
    size_t total = kHeaderBytes;
    for (const PImageLevel& level : image.levels)
    {
        if (level.width <= 0 || level.height <= 0 ||
            level.rgba.size() != static_cast<size_t>(level.width) * level.height * 4)
            return false;
        total += blocks ? DdsLevelBytes(format, level.width, level.height, 0)
                        : static_cast<size_t>(level.width) * level.height * bytesPerPixel;
    }
    out.assign(total, 0);
    const bool mips = image.levels.size() > 1;
    DdsWrite32(out, 0, kDdsMagic);
    DdsWrite32(out, 4, 124);
    // Caps, height, width and pixel format, plus the pitch of a row or the size of the first level.
    DdsWrite32(out, 8, 0x1 | 0x2 | 0x4 | 0x1000 | (blocks ? 0x80000 : 0x8) | (mips ? kFlagMipCount : 0));
    DdsWrite32(out, 12, static_cast<uint32_t>(image.Height()));
    DdsWrite32(out, 16, static_cast<uint32_t>(image.Width()));
    DdsWrite32(out, 20,
               blocks ? static_cast<uint32_t>(DdsLevelBytes(format, image.Width(), image.Height(), 0))
                      : static_cast<uint32_t>(image.Width()) * bytesPerPixel);
    DdsWrite32(out, 28, mips ? static_cast<uint32_t>(image.levels.size()) : 0);
    DdsWrite32(out, 76, 32);
    if (blocks)
    {
        DdsWrite32(out, 80, kPfFourCC);
        DdsWrite32(out, 84, static_cast<uint32_t>(format));
    }
    else if (format == PFormat::A8R8G8B8)
    {
        DdsWrite32(out, 80, kPfRgb | kPfAlphaPixels);
        DdsWrite32(out, 88, 32);
        DdsWrite32(out, 92, 0x00FF0000);
        DdsWrite32(out, 96, 0x0000FF00);
        DdsWrite32(out, 100, 0x000000FF);
        DdsWrite32(out, 104, 0xFF000000);
    }
    else
    {
        DdsWrite32(out, 80, kPfLuminance | kPfAlphaPixels);
        DdsWrite32(out, 88, 16);
        DdsWrite32(out, 92, 0x00FF);
        DdsWrite32(out, 104, 0xFF00);
    }
    DdsWrite32(out, 108, 0x1000 | (mips ? 0x400008 : 0));
    size_t at = kHeaderBytes;
    for (const PImageLevel& level : image.levels)
    {
        if (blocks)
        {
            DdsEncodeBlocks(level, format == PFormat::DXT5, out, at);
            continue;
        }
        for (size_t i = 0; i < static_cast<size_t>(level.width) * level.height; ++i)
        {
            const uint8_t* p = &level.rgba[i * 4];
            if (format == PFormat::A8R8G8B8)
            {
                out[at++] = p[2];
                out[at++] = p[1];
                out[at++] = p[0];
                out[at++] = p[3];
            }
            else
            {
                out[at++] = p[0];
                out[at++] = p[3];
            }
        }
    }
    return true;
}
