// The animation compiler on the OpenGL device: frames are cut into cells, identical cells are
// stored once, the sheet and the description are written, and playing the description back from
// the sheet gives the source frames again.
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/toolkit/effects/GUI_AnimationCompressor.h"
#include "gui/toolkit/effects/GUI_AnimationManager.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "platform/video/PImageCodec.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

#include <filesystem>

namespace
{
// Source pixel (x, y) of frame f of the test animation: 64 x 64 frames of 8 x 8 cells.
uint32_t CompilerTestPixel(int f, int x, int y)
{
    const int cx = x / 8, cy = y / 8, lx = x % 8, ly = y % 8;
    auto block = [](int lx, int ly) {
        return 0xFF000040u | static_cast<uint32_t>(lx * 30) << 16 | static_cast<uint32_t>(ly * 30) << 8;
    };
    if (cx == 1 && cy == 1) // half transparent: must reach the sheet unblended
        return 0x80000000u | static_cast<uint32_t>(lx * 20 + 40) << 16 | static_cast<uint32_t>(ly * 20) << 8 | 0x99u;
    if ((cx == 2 || cx == 3) && cy == 2) // the same in every frame
        return block(lx + cx, ly);
    if (cx == 5 && cy == 5) // the picture of cell (2, 2) at another place
        return block(lx + 2, ly);
    if (cx == 7 && cy == 0) // coloured but invisible
        return 0x00FF00FFu;
    if (cx == 3 && cy == 3)
    {
        // Frame 1 swaps two pixels of equal byte sum: the same checksum, a different picture.
        const bool swapped = f == 1;
        if (x == 24 && y == 30)
            return swapped ? 0xFF0000FFu : 0xFFFF0000u;
        if (x == 30 && y == 24)
            return swapped ? 0xFFFF0000u : 0xFF0000FFu;
        return 0xFF102030u;
    }
    const int moving = f == 2 ? 0 : f; // frame 2 shows frame 0's picture at frame 0's place
    if (cy == 6 && cx == moving)
        return 0xFF000000u | static_cast<uint32_t>(60 + 50 * moving) << 16 |
               static_cast<uint32_t>((lx * ly * 9) & 0xFF);
    return 0x00000000u;
}
} // namespace

class AnimationCompilerTest : public EffectsGLTest
{
protected:
    void SetUp() override
    {
        EffectsGLTest::SetUp();
        if (IsSkipped())
            return;
        std::filesystem::create_directories(m_files.Path("bitmaps/frames"));
        for (int f = 0; f < 4; ++f)
            ASSERT_TRUE(PImageCodec::SaveToFile(
                Frame(f), MakePicture(64, 64, [f](int x, int y) { return CompilerTestPixel(f, x, y); }),
                PImageFileFormat::Png));
        // Frame 4 is missing; frame 5 has the wrong size.
        ASSERT_TRUE(PImageCodec::SaveToFile(Frame(5), MakePicture(32, 32, [](int, int) { return 0xFFFFFFFFu; }),
                                            PImageFileFormat::Png));
        m_source =
            m_files.Write("animations/test_arm.txt", "[config]\nname = test_arm\n"
                                                     "particles = weld.dds,16,2000,1,2,3,4\n"
                                                     "totalframes = 6\nframe_name = tst_\nwidth = 64\nheight = 64\n"
                                                     "[section1]\nname = Lean In\nstartframe = 0\nendframe = 3\n"
                                                     "[notes]\nkey = not copied\n");
        GTextureManager& textures = GTextureManager::Instance();
        textures.AddFolder(m_files.Path("bitmaps"));
        textures.AddFolder(std::string(FV_SOURCE_DIR) + "/data/bitmaps"); // the cache's font sheets
        GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", 64, 64, PFormat::A8R8G8B8);
        GUI_TextureCache::CreateRenderTargets(kWidth, kHeight);
        GUI_TextureCache::Init();
        GUI_PostProcessor::Init(kWidth, kHeight, kWidth, kHeight);
        m_compressor.SetSheetFolder(m_files.Path("bitmaps/animations"));
    }

    std::string Frame(int f) const
    {
        return m_files.Path("bitmaps/frames/" + GUI_AnimationCompressor::FrameImageName("tst_", f));
    }
    std::string AnimPath() const { return m_source + ".anim"; }
    std::string SheetPath() const { return m_files.Path("bitmaps/animations/test_arm.dds"); }

    std::string m_source;
    GUI_AnimationCompressor m_compressor;
};

TEST_F(AnimationCompilerTest, IdenticalCellsAreStoredOnceAndEveryFrameIsRebuiltFromTheSheet)
{
    ASSERT_EQ(m_compressor.CompileAnimation(m_source), GUI_AnimationCompressor::Result::Compiled);
    EXPECT_EQ(m_compressor.GetStoredCellCount(), 9);
    EXPECT_EQ(m_compressor.GetSheetWidth(), 512);
    EXPECT_EQ(m_compressor.GetSheetHeight(), 8);

    GUI_CompressedAnimation anim;
    ASSERT_TRUE(anim.Load(AnimPath()));
    EXPECT_EQ(anim.GetSpriteSheetName(), "test_arm.dds");
    EXPECT_EQ(anim.GetAtlasWidth(), 512);
    EXPECT_EQ(anim.GetParticles(), "weld.dds,16,2000,1,2,3,4");
    ASSERT_NE(anim.FindSection("Lean In"), nullptr);
    EXPECT_EQ(anim.FindSection("Lean In")->endFrame, 3);
    ASSERT_EQ(anim.GetFrameCount(), 6);
    EXPECT_EQ(anim.GetChunks().size(), 9u);

    struct Expect
    {
        int frame, cell, chunk;
        const char* why;
    };
    const Expect table[] = {
        {1, 18, 18, "an unchanged cell is the first frame's"},
        {3, 19, 19, "an unchanged cell is the first frame's"},
        {0, 45, 45, "the same picture at another place is stored again"},
        {0, 7, -1, "colour under alpha 0 is empty"},
        {0, 27, 27, "a checksum's first picture"},
        {1, 27, 64 + 27, "the same checksum with other bytes is another chunk"},
        {2, 27, 27, "and the first picture again is the first chunk"},
        {2, 48, 48, "a picture that comes back shares its chunk"},
        {1, 49, 64 + 49, "a new picture"},
        {4, 18, -1, "a missing frame shows nothing"},
        {5, 18, -1, "a frame of the wrong size shows nothing"},
    };
    for (const Expect& e : table)
        EXPECT_EQ(anim.GetFrame(e.frame).cells[static_cast<size_t>(e.cell)], e.chunk)
            << "frame " << e.frame << " cell " << e.cell << ": " << e.why;
    EXPECT_NE(DebugLog().find("CRC Match: [91] == [27]"), std::string::npos) << "a collision is traced";
    EXPECT_NE(ErrorLog().find("tst_0005.png is 32 x 32, not 64 x 64"), std::string::npos);

    // The sheet holds every stored cell byte for byte, half-transparent ones included.
    const PImage sheet = LoadPicture(SheetPath());
    ASSERT_EQ(sheet.Width(), 512);
    ASSERT_EQ(sheet.Height(), 8);
    for (int f = 0; f < 4; ++f)
        for (int p = 0; p < 64; ++p)
        {
            const int32_t c = anim.GetFrame(f).cells[static_cast<size_t>(p)];
            const int cellX = (p % 8) * 8, cellY = (p / 8) * 8;
            int mismatches = 0;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                {
                    const uint32_t source = CompilerTestPixel(f, cellX + x, cellY + y);
                    if (c == -1)
                        mismatches += (source >> 24) != 0;
                    else
                    {
                        const CompressedAnimChunk* chunk = anim.FindChunk(c);
                        ASSERT_NE(chunk, nullptr);
                        const int sx = static_cast<int>(chunk->uMin * 512.0f),
                                  sy = static_cast<int>(chunk->vMin * 8.0f);
                        mismatches += PictureArgb(sheet, sx + x, sy + y) != source;
                    }
                }
            EXPECT_EQ(mismatches, 0) << "frame " << f << " cell " << p;
        }
}

TEST_F(AnimationCompilerTest, PlayedFramesShowTheSourcePixelsWhereverTheyAreOpaque)
{
    ASSERT_EQ(m_compressor.CompileAnimation(m_source), GUI_AnimationCompressor::Result::Compiled);
    GUI_CompressedAnimation anim;
    ASSERT_TRUE(anim.Load(AnimPath()));
    // The new sheet is found by name, as the props will find it.
    PTexture* sheet = GTextureManager::Instance().GetTexture(anim.GetSpriteSheetName());
    ASSERT_NE(sheet, nullptr);
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    for (int f = 0; f < 4; ++f)
    {
        device->Clear(0xFF000000u);
        GTextureManager::Instance().BindTexture(nullptr);
        device->SetTexture(0, sheet);
        GTextureManager::Instance().SetForceRebind();
        const float left = 20.0f, top = 30.0f;
        for (int p = 0; p < 64; ++p)
        {
            const int32_t c = anim.GetFrame(f).cells[static_cast<size_t>(p)];
            if (c == -1)
                continue;
            const CompressedAnimChunk* k = anim.FindChunk(c);
            const float l = left + static_cast<float>(p % 8 * 8) - 0.5f, t = top + static_cast<float>(p / 8 * 8) - 0.5f;
            const PVertex quad[4] = {{l, t, 0, 1, 0xFFFFFFFFu, k->uMin, k->vMin},
                                     {l + 8, t, 0, 1, 0xFFFFFFFFu, k->uMax, k->vMin},
                                     {l, t + 8, 0, 1, 0xFFFFFFFFu, k->uMin, k->vMax},
                                     {l + 8, t + 8, 0, 1, 0xFFFFFFFFu, k->uMax, k->vMax}};
            device->DrawPrimitiveUP(PPrimitive::TriangleStrip, 2, quad, sizeof(PVertex));
        }
        const PImage screen = ReadBack();
        int opaque = 0, wrong = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
            {
                const uint32_t source = CompilerTestPixel(f, x, y);
                if ((source >> 24) != 0xFF)
                    continue;
                ++opaque;
                wrong += (Pixel(screen, 20 + x, 30 + y) & 0xFFFFFF) != (source & 0xFFFFFF);
            }
        EXPECT_GT(opaque, 200);
        EXPECT_EQ(wrong, 0) << "frame " << f;
    }
}

TEST_F(AnimationCompilerTest, ACompiledAnimationIsNotCompiledAgainAndRebuildsAreByteIdentical)
{
    ASSERT_EQ(m_compressor.CompileAnimation(m_source), GUI_AnimationCompressor::Result::Compiled);
    const std::string anim = EngineTestFiles::ReadAll(AnimPath());
    const std::string sheet = EngineTestFiles::ReadAll(SheetPath());
    EXPECT_EQ(m_compressor.CompileAnimation(m_source), GUI_AnimationCompressor::Result::Skipped);
    EXPECT_EQ(EngineTestFiles::ReadAll(AnimPath()), anim);

    // The game's start-up pass finds it compiled and the store reads it.
    m_compressor.CompileAnimations(m_files.Path("animations"));
    GUI_AnimationManager::Instance().LoadAnimations(m_files.Path("animations"));
    ASSERT_NE(GUI_AnimationManager::Instance().Find("test_arm"), nullptr);

    std::filesystem::remove(AnimPath());
    std::filesystem::remove(SheetPath());
    ASSERT_EQ(m_compressor.CompileAnimation(m_source), GUI_AnimationCompressor::Result::Compiled);
    EXPECT_EQ(EngineTestFiles::ReadAll(AnimPath()), anim);
    EXPECT_EQ(EngineTestFiles::ReadAll(SheetPath()), sheet);
}

TEST_F(AnimationCompilerTest, SourcesThatCannotMakeASheetAreRefusedAndWriteNothing)
{
    struct Case
    {
        const char* file;
        const char* text;
        GUI_AnimationCompressor::Result result;
    };
    const Case cases[] = {
        {"escape.txt", "[config]\nname = ../../escape\ntotalframes = 4\nframe_name = tst_\nwidth = 64\nheight = 64\n",
         GUI_AnimationCompressor::Result::Refused},
        {"empty.txt", "[config]\nname = empty\ntotalframes = 0\nframe_name = tst_\nwidth = 64\nheight = 64\n",
         GUI_AnimationCompressor::Result::Refused},
        {"tiny.txt", "[config]\nname = tiny\ntotalframes = 4\nframe_name = tst_\nwidth = 4\nheight = 64\n",
         GUI_AnimationCompressor::Result::Refused},
        {"huge.txt", "[config]\nname = huge\ntotalframes = 99999999\nframe_name = tst_\nwidth = 64\nheight = 64\n",
         GUI_AnimationCompressor::Result::Refused},
    };
    for (const Case& c : cases)
    {
        const std::string path = m_files.Write(std::string("animations/") + c.file, c.text);
        EXPECT_EQ(m_compressor.CompileAnimation(path), c.result) << c.file;
        EXPECT_FALSE(std::filesystem::exists(path + ".anim")) << c.file;
    }
    EXPECT_FALSE(std::filesystem::exists(m_files.Path("escape.dds")));
    // Any file of the description's name, even an empty one, marks the animation compiled.
    m_files.Write("animations/test_arm.txt.anim", "");
    EXPECT_EQ(m_compressor.CompileAnimation(m_source), GUI_AnimationCompressor::Result::Skipped);
    EXPECT_FALSE(std::filesystem::exists(SheetPath()));
}

TEST(AnimationCompilerRules, ChecksumsAndSheetSizes)
{
    // Checksums weigh every byte by the pixel's place in the frame; alpha 0 everywhere is -1, and so,
    // by wrapping, is a visible pixel of red 255 at (257, 65537): the checksum alone cannot say
    // whether a cell is empty.
    std::vector<uint8_t> row(258 * 4, 0);
    row[257 * 4 + 3] = 255;
    EXPECT_EQ(GUI_AnimationCompressor::Checksum(row.data(), 0, 257, 65537, 258, 65538), -1);
    row[1 * 4 + 0] = 10; // blue 10 under alpha 0 at x = 1
    EXPECT_EQ(GUI_AnimationCompressor::Checksum(row.data(), 0, 0, 3, 2, 4), -1);
    row[1 * 4 + 3] = 1;
    EXPECT_EQ(GUI_AnimationCompressor::Checksum(row.data(), 0, 0, 3, 2, 4), 11 * 1 * 3);
    EXPECT_EQ(GUI_AnimationCompressor::Checksum(row.data(), 0, 2, 3, 2, 4), -1) << "an empty rectangle";

    struct Size
    {
        int stored, cellW, cellH;
        bool fits;
        int width, height;
    };
    const Size sizes[] = {
        {8, 64, 64, true, 512, 64},       {9, 64, 64, true, 1024, 64},       {0, 64, 64, true, 512, 64},
        {40, 64, 64, true, 2048, 128},    {200, 64, 64, true, 2048, 512},    {32, 64, 512, true, 2048, 1024},
        {32, 512, 512, true, 2048, 4096}, {33, 512, 512, false, 2048, 4096}, {1, 4096, 8, false, 2048, 0},
    };
    for (const Size& s : sizes)
    {
        int w = 0, h = 0;
        EXPECT_EQ(GUI_AnimationCompressor::SheetSize(s.stored, s.cellW, s.cellH, w, h), s.fits)
            << s.stored << " x " << s.cellW;
        EXPECT_EQ(w, s.width) << s.stored << " x " << s.cellW;
        EXPECT_EQ(h, s.height) << s.stored << " x " << s.cellW;
    }
    EXPECT_EQ(GUI_AnimationCompressor::FrameImageName("arm_", 7), "arm_0007.png");
    EXPECT_EQ(GUI_AnimationCompressor::FrameImageName("arm_", 12345), "arm_12345.png");
}
