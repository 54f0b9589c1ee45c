// The delete tool's cursor file: bitmap and PNG pictures, hot spots, transparency from the alpha
// channel or the mask, and files that are cut short or lie about their sizes.
#include "platform/video/PCursorFile.h"
#include "platform/video/PImageCodec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
void Put16(std::vector<uint8_t>& b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A cursor file of one picture: the directory, then the payload.
std::vector<uint8_t> CursorFile(int side, int hotX, int hotY, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> b;
    Put16(b, 0);
    Put16(b, 2);
    Put16(b, 1);
    b.push_back(static_cast<uint8_t>(side));
    b.push_back(static_cast<uint8_t>(side));
    b.push_back(0);
    b.push_back(0);
    Put16(b, static_cast<uint16_t>(hotX));
    Put16(b, static_cast<uint16_t>(hotY));
    Put32(b, static_cast<uint32_t>(payload.size()));
    Put32(b, 22);
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

// A bottom-up bitmap of side x side: pixel (x, y) from the top has colour(x, y) (B, G, R, A) and
// is masked out when masked(x, y).
template <class Colour, class Masked>
std::vector<uint8_t> Bitmap(int side, int bits, Colour colour, Masked masked)
{
    std::vector<uint8_t> b;
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(side));
    Put32(b, static_cast<uint32_t>(side * 2));
    Put16(b, 1);
    Put16(b, static_cast<uint16_t>(bits));
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    const size_t stride = (static_cast<size_t>(side) * bits + 31) / 32 * 4;
    for (int y = side - 1; y >= 0; --y)
    {
        std::vector<uint8_t> row;
        for (int x = 0; x < side; ++x)
        {
            const uint32_t c = colour(x, y);
            row.push_back(static_cast<uint8_t>(c));
            row.push_back(static_cast<uint8_t>(c >> 8));
            row.push_back(static_cast<uint8_t>(c >> 16));
            if (bits == 32)
                row.push_back(static_cast<uint8_t>(c >> 24));
        }
        row.resize(stride, 0);
        b.insert(b.end(), row.begin(), row.end());
    }
    const size_t maskStride = (static_cast<size_t>(side) + 31) / 32 * 4;
    for (int y = side - 1; y >= 0; --y)
    {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < side; ++x)
            if (masked(x, y))
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

uint32_t Rgba(const PCursorImage& image, int x, int y)
{
    const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}
} // namespace

TEST(CursorFile, BitmapPicturesKeepColoursHotSpotAndTransparency)
{
    // Top-left quarter red, the rest blue; the right half masked.
    auto colour = [](int x, int y) { return x < 16 && y < 16 ? 0xFFFF0000u : 0xFF0000FFu; };
    auto masked = [](int x, int) { return x >= 16; };
    const struct
    {
        int bits;
        bool alphaFromMask;
    } cases[] = {{32, false}, {24, true}};
    for (const auto& c : cases)
    {
        const std::vector<uint8_t> file = CursorFile(32, 5, 7, Bitmap(32, c.bits, colour, masked));
        PCursorImage image;
        ASSERT_TRUE(PCursorFile::Decode(file.data(), file.size(), image)) << c.bits;
        EXPECT_EQ(image.width, 32);
        EXPECT_EQ(image.height, 32);
        EXPECT_EQ(image.hotX, 5);
        EXPECT_EQ(image.hotY, 7);
        EXPECT_EQ(Rgba(image, 2, 2), 0xFF0000FFu) << c.bits << ": rows are read from the top";
        EXPECT_EQ(Rgba(image, 2, 30), 0x0000FFFFu) << c.bits;
        // A picture with its own alpha ignores the mask; one without takes it.
        EXPECT_EQ(Rgba(image, 20, 30) & 0xFF, c.alphaFromMask ? 0u : 0xFFu) << c.bits;
    }
}

TEST(CursorFile, PngPicturesAreDecoded)
{
    PImage picture;
    picture.levels.resize(1);
    picture.levels[0].width = 48;
    picture.levels[0].height = 48;
    picture.levels[0].rgba.assign(48 * 48 * 4, 0);
    picture.levels[0].rgba[0] = 0x11;
    picture.levels[0].rgba[3] = 0xFF;
    std::vector<uint8_t> png;
    ASSERT_TRUE(PImageCodec::Encode(picture, PImageFileFormat::Png, png));
    const std::vector<uint8_t> file = CursorFile(48, 60, 1, png);
    PCursorImage image;
    ASSERT_TRUE(PCursorFile::Decode(file.data(), file.size(), image));
    EXPECT_EQ(image.width, 48);
    EXPECT_EQ(Rgba(image, 0, 0), 0x110000FFu);
    EXPECT_EQ(image.hotX, 47) << "a hot spot outside the picture is kept on its edge";
}

TEST(CursorFile, DamagedFilesAreRefused)
{
    auto colour = [](int, int) { return 0xFFFFFFFFu; };
    auto masked = [](int, int) { return false; };
    const std::vector<uint8_t> good = CursorFile(16, 0, 0, Bitmap(16, 32, colour, masked));
    PCursorImage image;
    ASSERT_TRUE(PCursorFile::Decode(good.data(), good.size(), image));
    // Cut anywhere, the file is refused rather than read past its end.
    for (size_t size = 0; size < good.size(); size += 7)
        EXPECT_FALSE(PCursorFile::Decode(good.data(), size, image)) << size;
    struct Patch
    {
        size_t at;
        uint8_t value;
        const char* what;
    } patches[] = {
        {2, 1, "an icon, not a cursor"},
        {4, 0, "no pictures"},
        {18, 0xF0, "payload offset past the end"},
        {14, 0xFF, "payload larger than the file"},
        {22 + 4, 0xFF, "negative width"},
        {22 + 14, 16, "16 bits per pixel"},
        {22 + 16, 1, "compressed"},
    };
    for (const Patch& p : patches)
    {
        std::vector<uint8_t> bad = good;
        bad[p.at] = p.value;
        if (p.at == 22 + 4)
            bad[p.at + 3] = 0xFF;
        EXPECT_FALSE(PCursorFile::Decode(bad.data(), bad.size(), image)) << p.what;
        EXPECT_TRUE(image.rgba.empty()) << p.what;
    }
}
