// The art packer: atlases the game's table reader understands, with texture coordinates that find
// each picture and frame fractions that undo the trimming; clean alpha; cursor files the data
// checker accepts; block compression chosen only where it fits.
#include "ArtAtlas.h"
#include "ArtImage.h"
#include "ArtWriter.h"
#include "InterfaceTextures.h"

#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace
{
PImage Solid(int w, int h, uint32_t rgba, const ArtRect& inside)
{
    PImage image = ArtImage::Blank(w, h);
    ArtImage::Fill(image, inside, rgba);
    return image;
}

const uint8_t* At(const PImage& image, int x, int y)
{
    return &image.levels[0].rgba[(static_cast<size_t>(y) * image.Width() + x) * 4];
}
} // namespace

TEST(ArtPack, AtlasTableFindsEveryPictureAndUndoesTheTrim)
{
    ArtAtlas atlas("test1.dds", 0, 0, 2);
    atlas.Add({"a", "wide.dds", Solid(20, 10, 0xFF0000FF, {0, 0, 20, 10}), false, {}, {}});
    // A 32 x 32 frame whose picture covers only 8..24 by 4..28: trimmed, its fractions say so.
    atlas.Add({"b", "framed.dds", Solid(32, 32, 0x00FF00FF, {8, 4, 24, 28}), true, {}, {}});
    atlas.Add({"c", "square.dds", Solid(16, 16, 0x0000FFFF, {0, 0, 16, 16}), false, {}, {}});
    ASSERT_TRUE(atlas.Pack());
    const PImage& texture = atlas.Texture();
    EXPECT_EQ(texture.Width() & (texture.Width() - 1), 0) << "power of two";
    EXPECT_EQ(texture.Height() & (texture.Height() - 1), 0) << "power of two";

    const std::string path =
        (std::filesystem::temp_directory_path() / ("fv_artpack_" + std::to_string(::getpid()) + ".atl")).string();
    std::ofstream(path) << atlas.TableText();
    FreshState::Forget<GBufferedFileManager>();
    IniLoader ini;
    ASSERT_TRUE(ini.Load("atlasdata", path));
    struct Want
    {
        const char* key;
        const char* sprite;
        uint32_t colour;
        float fractions[4];
    } wants[] = {{"a", "wide.dds", 0xFF0000FF, {0, 0, 1, 1}},
                 {"b", "framed.dds", 0x00FF00FF, {0.25f, 0.125f, 0.75f, 0.875f}},
                 {"c", "square.dds", 0x0000FFFF, {0, 0, 1, 1}}};
    for (const Want& want : wants)
    {
        SCOPED_TRACE(want.key);
        GStringTokenizer cells(ini.GetValue(want.key), ',');
        EXPECT_EQ(cells.GetString(), want.sprite);
        float uv[4];
        for (float& v : uv)
            v = std::stof(cells.GetString());
        EXPECT_EQ(cells.GetString(), "test1.dds");
        for (float f : want.fractions)
            EXPECT_NEAR(std::stof(cells.GetString()), f, 1e-5);
        // Every texel inside the entry's rectangle, and the ones just outside it (the padding
        // repeats the edge), carry the picture's colour.
        const int x0 = static_cast<int>(std::lround(uv[0] * texture.Width())),
                  y0 = static_cast<int>(std::lround(uv[1] * texture.Height()));
        const int x1 = static_cast<int>(std::lround(uv[2] * texture.Width())),
                  y1 = static_cast<int>(std::lround(uv[3] * texture.Height()));
        for (int y = y0 - 1; y <= y1; ++y)
            for (int x = x0 - 1; x <= x1; ++x)
            {
                const uint8_t* p = At(texture, x, y);
                const uint32_t rgba = static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
                ASSERT_EQ(rgba, want.colour) << x << "," << y;
            }
    }
    std::remove(path.c_str());
}

TEST(ArtPack, TransparentPixelsTakeTheColourOfTheirVisibleNeighbours)
{
    PImage image = Solid(8, 8, 0xC08040FF, {2, 2, 4, 4});
    ArtImage::BleedColour(image);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
        {
            const uint8_t* p = At(image, x, y);
            EXPECT_EQ(p[0], 0xC0) << x << "," << y;
            EXPECT_EQ(p[1], 0x80);
            EXPECT_EQ(p[2], 0x40);
            EXPECT_EQ(p[3], (x >= 2 && x < 4 && y >= 2 && y < 4) ? 255 : 0) << "alpha is kept";
        }
}

TEST(ArtPack, CursorFilesAndChosenLayouts)
{
    PImage cursor = Solid(32, 32, 0xFF0000FF, {8, 8, 24, 24});
    const std::vector<uint8_t> bytes = ArtWriter::EncodeCursor(cursor, 16, 16);
    EXPECT_TRUE(InterfaceTextures::CursorProblems(bytes).empty());
    EXPECT_FALSE(InterfaceTextures::CursorProblems(ArtWriter::EncodeCursor(cursor, 3, 3)).empty());
    EXPECT_FALSE(InterfaceTextures::CursorProblems(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 30)).empty());

    EXPECT_EQ(ArtWriter::ResolveDdsFormat(Solid(256, 256, 0x808080FF, {0, 0, 256, 256}), "auto"), "dxt1");
    EXPECT_EQ(ArtWriter::ResolveDdsFormat(Solid(256, 256, 0x808080FF, {0, 0, 100, 256}), "auto"), "dxt5");
    EXPECT_EQ(ArtWriter::ResolveDdsFormat(Solid(64, 64, 0x808080FF, {0, 0, 64, 64}), "auto"), "argb")
        << "small pictures stay sharp";
    EXPECT_EQ(ArtWriter::ResolveDdsFormat(Solid(130, 130, 0x808080FF, {0, 0, 130, 130}), "auto"), "argb")
        << "blocks must fit";
}
