// DDS reading and writing: every layout the data uses, block decoding, and headers that lie.
#include "platform/video/PDdsCodec.h"
#include "platform/video/PImageCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
struct DdsLayout
{
    uint32_t pfFlags, fourCC, bits, r, g, b, a;
};

std::vector<uint8_t> DdsHeader(int w, int h, const DdsLayout& layout, uint32_t mips = 0)
{
    std::vector<uint8_t> out(128, 0);
    auto put = [&](size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
    put(0, 0x20534444);
    put(4, 124);
    put(8, 0x1007 | (mips ? 0x20000u : 0u));
    put(12, static_cast<uint32_t>(h));
    put(16, static_cast<uint32_t>(w));
    put(28, mips);
    put(76, 32);
    put(80, layout.pfFlags);
    put(84, layout.fourCC);
    put(88, layout.bits);
    put(92, layout.r);
    put(96, layout.g);
    put(100, layout.b);
    put(104, layout.a);
    return out;
}

std::vector<uint8_t> DdsPixelAt(const PImage& image, int x, int y)
{
    const PImageLevel& l = image.levels[0];
    const uint8_t* p = &l.rgba[(static_cast<size_t>(y) * l.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}
} // namespace

TEST(DdsCodec, UncompressedLayouts)
{
    struct Case
    {
        const char* name;
        DdsLayout layout;
        std::vector<uint8_t> pixel; // bytes of one pixel in the file
        PFormat format;
        std::vector<uint8_t> rgba;
    } cases[] = {
        {"A8R8G8B8",
         {0x41, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         {0x30, 0x20, 0x10, 0x80},
         PFormat::A8R8G8B8,
         {0x10, 0x20, 0x30, 0x80}},
        {"X8R8G8B8",
         {0x40, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0},
         {0x30, 0x20, 0x10, 0x00},
         PFormat::X8R8G8B8,
         {0x10, 0x20, 0x30, 0xFF}},
        {"A8L8", {0x20001, 0, 16, 0xFF, 0, 0, 0xFF00}, {0x40, 0xC0}, PFormat::A8L8, {0x40, 0x40, 0x40, 0xC0}},
        {"L8", {0x20000, 0, 8, 0xFF, 0, 0, 0}, {0x7F}, PFormat::L8, {0x7F, 0x7F, 0x7F, 0xFF}},
        {"A8", {0x2, 0, 8, 0, 0, 0, 0xFF}, {0x33}, PFormat::A8, {0xFF, 0xFF, 0xFF, 0x33}},
        {"R5G6B5", {0x40, 0, 16, 0xF800, 0x07E0, 0x001F, 0}, {0x00, 0xF8}, PFormat::X8R8G8B8, {0xFF, 0, 0, 0xFF}},
    };
    for (const Case& c : cases)
    {
        std::vector<uint8_t> file = DdsHeader(2, 1, c.layout);
        for (int i = 0; i < 2; ++i)
            file.insert(file.end(), c.pixel.begin(), c.pixel.end());
        PImage image;
        PFormat format;
        ASSERT_TRUE(PDdsCodec::Decode(file.data(), file.size(), image, &format)) << c.name;
        EXPECT_EQ(format, c.format) << c.name;
        EXPECT_EQ(DdsPixelAt(image, 1, 0), c.rgba) << c.name;
    }
}

TEST(DdsCodec, BlockCompressedLayouts)
{
    // One 4 x 4 block: colour 0 pure red, colour 1 pure blue, every index 0 except the last (1).
    const uint8_t colour[8] = {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x40};
    struct Case
    {
        const char* name;
        uint32_t fourCC;
        std::vector<uint8_t> alpha;
        uint8_t firstAlpha, lastAlpha;
    } cases[] = {
        {"DXT1", static_cast<uint32_t>(PFormat::DXT1), {}, 255, 255},
        {"DXT3", static_cast<uint32_t>(PFormat::DXT3), {0x0F, 0, 0, 0, 0, 0, 0, 0xF0}, 0xFF, 0xFF},
        {"DXT5", static_cast<uint32_t>(PFormat::DXT5), {0xFF, 0x00, 0, 0, 0, 0, 0, 0}, 0xFF, 0xFF},
    };
    for (const Case& c : cases)
    {
        std::vector<uint8_t> file = DdsHeader(4, 4, DdsLayout{0x4, c.fourCC, 0, 0, 0, 0, 0});
        file.insert(file.end(), c.alpha.begin(), c.alpha.end());
        file.insert(file.end(), colour, colour + 8);
        PImage image;
        ASSERT_TRUE(PDdsCodec::Decode(file.data(), file.size(), image)) << c.name;
        EXPECT_EQ(DdsPixelAt(image, 0, 0), (std::vector<uint8_t>{255, 0, 0, c.firstAlpha})) << c.name;
        EXPECT_EQ(DdsPixelAt(image, 3, 3), (std::vector<uint8_t>{0, 0, 255, c.lastAlpha})) << c.name;
    }
    // DXT1 with colour 0 <= colour 1 has a transparent fourth entry.
    uint8_t block[8] = {0x1F, 0x00, 0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF};
    uint8_t rgba[64];
    PDdsCodec::DecodeDxt1Block(block, rgba, true);
    EXPECT_EQ(rgba[3], 0);
}

TEST(DdsCodec, MipLevelsAndPartialBlocks)
{
    // 6 x 3 DXT5 with three levels: 2 x 1 blocks, then 3 x 1 (1 block), then 1 x 1 (1 block).
    std::vector<uint8_t> file = DdsHeader(6, 3, DdsLayout{0x4, static_cast<uint32_t>(PFormat::DXT5), 0, 0, 0, 0, 0}, 3);
    file.resize(file.size() + 4 * 16, 0);
    PImage image;
    ASSERT_TRUE(PDdsCodec::Decode(file.data(), file.size(), image));
    ASSERT_EQ(image.levels.size(), 3u);
    EXPECT_EQ(image.levels[1].width, 3);
    EXPECT_EQ(image.levels[1].height, 1);
    EXPECT_EQ(image.levels[2].width, 1);
    // One block short is a truncated file.
    file.resize(file.size() - 1);
    EXPECT_FALSE(PDdsCodec::Decode(file.data(), file.size(), image));
    EXPECT_TRUE(image.levels.empty());
}

TEST(DdsCodec, LyingHeadersAreRefused)
{
    const DdsLayout argb{0x41, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    struct Case
    {
        const char* name;
        std::vector<uint8_t> file;
    };
    std::vector<Case> cases;
    {
        auto f = DdsHeader(4, 4, argb);
        f.resize(f.size() + 4 * 4 * 4 - 1);
        cases.push_back({"one byte short", f});
    }
    cases.push_back({"zero width", DdsHeader(0, 4, argb)});
    {
        auto f = DdsHeader(70000, 1, argb);
        f.resize(f.size() + 70000 * 4);
        cases.push_back({"too wide", f});
    }
    {
        auto f = DdsHeader(1, 1, argb, 40);
        f.resize(f.size() + 4096);
        cases.push_back({"absurd mip count", f});
    }
    {
        auto f = DdsHeader(4, 4, argb);
        f.resize(64);
        cases.push_back({"header only", f});
    }
    cases.push_back({"unknown four-cc", DdsHeader(4, 4, DdsLayout{0x4, 0x30315844, 0, 0, 0, 0, 0})});
    cases.push_back({"odd bit count", DdsHeader(4, 4, DdsLayout{0x40, 0, 12, 0xF00, 0xF0, 0xF, 0})});
    {
        auto f = DdsHeader(4, 4, argb);
        f[4] = 0;
        f.resize(f.size() + 64);
        cases.push_back({"bad header size", f});
    }
    for (const Case& c : cases)
    {
        PImage image;
        EXPECT_FALSE(PDdsCodec::Decode(c.file.data(), c.file.size(), image)) << c.name;
    }
}

TEST(DdsCodec, WrittenFilesReadBack)
{
    PImage image;
    image.levels.resize(1);
    image.levels[0] = {3, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}};
    image.BuildMipChain();
    ASSERT_EQ(image.levels.size(), 2u);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(PDdsCodec::Encode(image, PFormat::A8R8G8B8, bytes));
    PImage back;
    ASSERT_TRUE(PDdsCodec::Decode(bytes.data(), bytes.size(), back));
    ASSERT_EQ(back.levels.size(), 2u);
    EXPECT_EQ(back.levels[0].rgba, image.levels[0].rgba);
    EXPECT_EQ(back.levels[1].rgba, image.levels[1].rgba);

    // Alpha-luminance keeps red as the grey level and the alpha.
    ASSERT_TRUE(PDdsCodec::Encode(image, PFormat::A8L8, bytes));
    PFormat format;
    ASSERT_TRUE(PDdsCodec::Decode(bytes.data(), bytes.size(), back, &format));
    EXPECT_EQ(format, PFormat::A8L8);
    EXPECT_EQ(DdsPixelAt(back, 1, 0), (std::vector<uint8_t>{5, 5, 5, 8}));
}

TEST(DdsCodec, BlockCompressedFilesReadBackClose)
{
    // A 6 x 5 picture (not a multiple of four): a colour ramp along x, an alpha ramp along y. DXT5
    // keeps both, DXT1 the colours, within the error block compression allows.
    PImage image;
    image.levels.resize(1);
    image.levels[0].width = 6;
    image.levels[0].height = 5;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            for (uint8_t v : {static_cast<uint8_t>(40 * x), static_cast<uint8_t>(20 + 40 * x), uint8_t{200},
                              static_cast<uint8_t>(255 - 50 * y)})
                image.levels[0].rgba.push_back(v);
    image.BuildMipChain();
    for (PFormat format : {PFormat::DXT1, PFormat::DXT5})
    {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(PDdsCodec::Encode(image, format, bytes));
        PImage back;
        PFormat read = PFormat::Unknown;
        ASSERT_TRUE(PDdsCodec::Decode(bytes.data(), bytes.size(), back, &read));
        EXPECT_EQ(read, format);
        ASSERT_EQ(back.levels.size(), image.levels.size());
        int worst = 0;
        for (size_t i = 0; i < image.levels[0].rgba.size(); ++i)
        {
            const bool alpha = i % 4 == 3;
            const int want = alpha && format == PFormat::DXT1 ? 255 : image.levels[0].rgba[i];
            worst = std::max(worst, std::abs(want - static_cast<int>(back.levels[0].rgba[i])));
        }
        EXPECT_LE(worst, 24) << static_cast<uint32_t>(format);
    }
}

TEST(ImageCodec, DecodesByContentNotByName)
{
    PImage image;
    image.levels.resize(1);
    image.levels[0] = {2, 2, {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 255, 255, 255, 255}};
    std::vector<uint8_t> png, dds;
    ASSERT_TRUE(PImageCodec::Encode(image, PImageFileFormat::Png, png));
    ASSERT_TRUE(PImageCodec::Encode(image, PImageFileFormat::Dds, dds));
    for (const auto* bytes : {&png, &dds})
    {
        PImage back;
        ASSERT_TRUE(PImageCodec::Decode(bytes->data(), bytes->size(), back));
        EXPECT_EQ(back.levels[0].rgba, image.levels[0].rgba);
    }
    PImage back;
    const uint8_t junk[] = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    EXPECT_FALSE(PImageCodec::Decode(junk, sizeof(junk), back));
    EXPECT_FALSE(PImageCodec::Decode(png.data(), png.size() / 2, back));
    EXPECT_FALSE(PImageCodec::Decode(nullptr, 0, back));
}

// A few bytes of header can claim a picture of hundreds of megabytes; the decoder must refuse
// it before it fills that much memory with nothing.
TEST(ImageCodec, RefusesHeadersClaimingMorePixelsThanAnyPicture)
{
    auto bmpHeader = [](int32_t w, int32_t h) {
        std::vector<uint8_t> b(54, 0);
        auto put32 = [&b](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b[at + i] = static_cast<uint8_t>(v >> (8 * i));
        };
        b[0] = 'B';
        b[1] = 'M';
        put32(2, 54);
        put32(10, 54);
        put32(14, 40);
        put32(18, static_cast<uint32_t>(w));
        put32(22, static_cast<uint32_t>(h));
        b[26] = 1;
        b[28] = 24;
        return b;
    };
    PImage image;
    const auto small = bmpHeader(4, 4);
    EXPECT_TRUE(PImageCodec::Decode(small.data(), small.size(), image));
    const auto huge = bmpHeader(8200, 8200);
    PImage refused;
    EXPECT_FALSE(PImageCodec::Decode(huge.data(), huge.size(), refused));
    EXPECT_TRUE(refused.levels.empty());
}
