// Pixels read back from the OpenGL device under a real (software) GL: fills, sprites, blending,
// render targets and screenshots land exactly where and how the renderer expects.
#include "FontTestSupport.h"
#include "RenderTestSupport.h"

#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GTextureManager.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/GVertexBuffer.h"
#include "platform/video/PImageCodec.h"

#include <cstdlib>

namespace
{
// A texture of solid colour (bytes R, G, B, A) with one differently coloured top-left texel.
PTexture* PixelTestTexture(int w, int h, uint32_t argb, uint32_t cornerArgb)
{
    PImage image;
    image.levels.resize(1);
    image.levels[0].width = w;
    image.levels[0].height = h;
    image.levels[0].rgba.resize(static_cast<size_t>(w) * h * 4);
    for (int i = 0; i < w * h; ++i)
    {
        const uint32_t c = i == 0 ? cornerArgb : argb;
        uint8_t* p = &image.levels[0].rgba[static_cast<size_t>(i) * 4];
        p[0] = static_cast<uint8_t>(c >> 16);
        p[1] = static_cast<uint8_t>(c >> 8);
        p[2] = static_cast<uint8_t>(c);
        p[3] = static_cast<uint8_t>(c >> 24);
    }
    PTexture* texture = nullptr;
    GD3DDevice::Instance().GetDevice()->CreateTextureFromImage(image, &texture);
    return texture;
}

bool PixelNear(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance)
            return false;
    }
    return true;
}
} // namespace

using GLPixel = GLRenderTest;

TEST_F(GLPixel, FillRectCoversExactlyItsIntegerRectangle)
{
    GD3DDevice::Instance().FillRect(PRect{10, 20, 50, 33}, 0xFFFF8000u);
    const PImage image = ReadBack();
    int covered = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
        {
            const bool inside = x >= 10 && x < 50 && y >= 20 && y < 33;
            const uint32_t p = Pixel(image, x, y) & 0x00FFFFFFu;
            if (inside)
            {
                ++covered;
                ASSERT_EQ(p, 0x00FF8000u) << x << "," << y;
            }
            else
            {
                ASSERT_EQ(p, 0u) << x << "," << y;
            }
        }
    EXPECT_EQ(covered, 40 * 13);
}

TEST_F(GLPixel, TexturedSpriteLandsOnExpectedPixelsAtZeroAndNinetyDegrees)
{
    PTexture* texture = PixelTestTexture(4, 4, 0xFFFF0000u, 0xFF00FF00u);
    ASSERT_NE(texture, nullptr);
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    device->SetSamplerState(0, PSamplerState::MinFilter, PTEXF_POINT);
    device->SetSamplerState(0, PSamplerState::MagFilter, PTEXF_POINT);
    CTexturedSprite sprite;
    sprite.m_texture.CreateFromTexture(texture);
    sprite.m_width = 40.0f;
    sprite.m_height = 40.0f;
    struct Case
    {
        float angle;
        int greenX, redX;
    } cases[] = {{0.0f, 85, 115}, {90.0f, 115, 85}};
    for (const Case& c : cases)
    {
        device->Clear(0xFF000000u);
        sprite.m_angle = c.angle;
        sprite.SetPosition(100.0f, 100.0f);
        sprite.Draw();
        const PImage image = ReadBack();
        EXPECT_EQ(Pixel(image, c.greenX, 85) & 0xFFFFFF, 0x00FF00u) << c.angle;
        EXPECT_EQ(Pixel(image, c.redX, 85) & 0xFFFFFF, 0xFF0000u) << c.angle;
        EXPECT_EQ(Pixel(image, 100, 115) & 0xFFFFFF, 0xFF0000u) << c.angle;
        EXPECT_EQ(Pixel(image, 75, 100) & 0xFFFFFF, 0u) << c.angle;
        EXPECT_EQ(Pixel(image, 100, 125) & 0xFFFFFF, 0u) << c.angle;
        // The quad covers 80..119 in both directions, whatever the turn.
        EXPECT_EQ(Pixel(image, 81, 118) & 0xFFFFFF, 0xFF0000u) << c.angle;
        EXPECT_EQ(Pixel(image, 121, 100) & 0xFFFFFF, 0u) << c.angle;
    }
    texture->Release();
}

TEST_F(GLPixel, NormalAndAdditiveBlending)
{
    GD3DDevice& d = GD3DDevice::Instance();
    struct Case
    {
        int mode;
        uint32_t expected;
    } cases[] = {{0, 0x800080u}, {1, 0x8000FFu}};
    for (const Case& c : cases)
    {
        d.GetDevice()->Clear(0xFF000000u);
        d.FillRect(PRect{0, 0, 100, 100}, 0xFF0000FFu);
        d.SetBlendMode(c.mode);
        d.FillRect(PRect{0, 0, 100, 100}, 0x80FF0000u);
        d.SetBlendMode(0);
        const uint32_t p = Pixel(ReadBack(), 50, 50) & 0xFFFFFF;
        EXPECT_TRUE(PixelNear(p, c.expected, 2)) << std::hex << p << " mode " << c.mode;
    }
    // Fully transparent fragments are discarded by the alpha test, so they leave no trace even
    // where blending would add.
    d.GetDevice()->Clear(0xFF000000u);
    d.SetBlendMode(1);
    d.FillRect(PRect{0, 0, 10, 10}, 0x00FFFFFFu);
    d.SetBlendMode(0);
    EXPECT_EQ(Pixel(ReadBack(), 5, 5) & 0xFFFFFF, 0u);
}

TEST_F(GLPixel, RenderTargetDrawnToTheScreenIsTheRightWayUp)
{
    GD3DDevice& d = GD3DDevice::Instance();
    d.CreateRenderTarget("rt_pixel_test", 64, 64, PFormat::A8R8G8B8);
    PTexture* rt = GTextureManager::Instance().GetTexture("rt_pixel_test");
    ASSERT_NE(rt, nullptr);
    PGraphicsDevice* device = d.GetDevice();
    ASSERT_FALSE(PFailed(device->SetRenderTarget(0, rt)));
    device->Clear(0xFF000000u);
    d.FillRect(PRect{0, 0, 64, 32}, 0xFF00FF00u);
    d.FillRect(PRect{0, 32, 32, 64}, 0xFFFF0000u);
    // A mirrored quad is culled in a render target as on the screen.
    BaseSprite mirrored;
    mirrored.m_width = -20.0f;
    mirrored.m_height = 20.0f;
    mirrored.SetColour(255, 255, 255, 255);
    mirrored.SetPosition(48.0f, 48.0f);
    GTextureManager::Instance().BindTexture(nullptr);
    mirrored.DrawQuad();
    device->SetRenderTarget(0, nullptr);

    CTexturedSprite sprite;
    sprite.m_texture.CreateFromTexture(rt);
    sprite.m_width = 64.0f;
    sprite.m_height = 64.0f;
    sprite.SetPosition(160.0f, 120.0f);
    sprite.Draw();
    mirrored.SetPosition(20.0f, 20.0f);
    GTextureManager::Instance().BindTexture(nullptr);
    mirrored.DrawQuad();
    const PImage image = ReadBack();
    EXPECT_EQ(Pixel(image, 160, 100) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(Pixel(image, 140, 140) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(Pixel(image, 180, 140) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(image, 20, 20) & 0xFFFFFF, 0u);
}

TEST_F(GLPixel, ScreenshotOfAKnownFrameDecodesToThatFrame)
{
    GD3DDevice& d = GD3DDevice::Instance();
    const uint32_t colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    d.FillRect(PRect{0, 0, kWidth / 2, kHeight / 2}, colours[0]);
    d.FillRect(PRect{kWidth / 2, 0, kWidth, kHeight / 2}, colours[1]);
    d.FillRect(PRect{0, kHeight / 2, kWidth / 2, kHeight}, colours[2]);
    d.FillRect(PRect{kWidth / 2, kHeight / 2, kWidth, kHeight}, colours[3]);
    const std::string path = m_files.Path("screenshot_07-12-2026_09-05-03.jpg");
    d.RequestScreenshot(path);
    d.Present();
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(PImageCodec::ReadFile(path, bytes));
    PImage decoded;
    ASSERT_TRUE(PImageCodec::Decode(bytes.data(), bytes.size(), decoded));
    ASSERT_EQ(decoded.Width(), kWidth);
    ASSERT_EQ(decoded.Height(), kHeight);
    const int xs[4] = {kWidth / 4, 3 * kWidth / 4, kWidth / 4, 3 * kWidth / 4};
    const int ys[4] = {kHeight / 4, kHeight / 4, 3 * kHeight / 4, 3 * kHeight / 4};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(PixelNear(Pixel(decoded, xs[i], ys[i]) & 0xFFFFFF, colours[i] & 0xFFFFFF, 6)) << i;
}

TEST_F(GLPixel, TheGamesEffectsCompileAndReplaceFixedDrawing)
{
    GUI_ShaderManager& shaders = GUI_ShaderManager::Instance();
    shaders.LoadAll();
    ASSERT_EQ(shaders.GetCount(), 3);
    for (const char* name : {"overlay.fx", "conveyor_mode.fx", "highlight_sprite.fx"})
        ASSERT_NE(shaders.FindShader(name)->GetEffect(), nullptr) << name;
    // A mid-grey texel painted red by the overlay keeps the paint; without the effect the vertex
    // colour only darkens it.
    PTexture* grey = PixelTestTexture(2, 2, 0xFF808080u, 0xFF808080u);
    CTexturedSprite sprite;
    sprite.m_texture.CreateFromTexture(grey);
    sprite.m_width = 20;
    sprite.m_height = 20;
    sprite.SetColour(255, 0, 0, 255);
    sprite.SetPosition(50, 50);
    sprite.Draw();
    GShaderEffect* overlay = shaders.FindShader("overlay.fx");
    sprite.SetPosition(100, 50);
    overlay->Begin();
    sprite.Draw();
    overlay->End();
    sprite.SetPosition(150, 50);
    sprite.Draw();
    const PImage image = ReadBack();
    EXPECT_TRUE(PixelNear(Pixel(image, 50, 50) & 0xFFFFFF, 0x800000u, 2)) << std::hex << Pixel(image, 50, 50);
    EXPECT_TRUE(PixelNear(Pixel(image, 100, 50) & 0xFFFFFF, 0xFF0000u, 3)) << std::hex << Pixel(image, 100, 50);
    EXPECT_TRUE(PixelNear(Pixel(image, 150, 50) & 0xFFFFFF, 0x800000u, 2)) << "End restores fixed drawing";
    grey->Release();
}

// Text in each of the five fonts compared with stored pictures (tests/engine/reference). With
// FV_WRITE_REFERENCES=1 in the environment the pictures are written instead of compared.
TEST_F(GLPixel, TextInEachFontMatchesItsReferencePicture)
{
    LoadGameFontsForTest();
    GFontManager& text = GFontManager::Instance();
    const char* lines[5] = {
        ("Ferrovane: Fit Chassis \xA3"
         "5,000 (98%)"),
        "Game Over!",
        "Research complete: Paint \xC4\xE9\xF6\xDF",
        "Cars sold: 1,234 - {Axles} [x2] ok?",
        "Main menu / Options = <Save>",
    };
    const bool write = std::getenv("FV_WRITE_REFERENCES") != nullptr;
    for (int i = 0; i < 5; ++i)
    {
        GD3DDevice::Instance().GetDevice()->Clear(0xFF202020u);
        const FontTestEntry& f = kGameFonts[i];
        text.SelectFont(f.name, static_cast<float>(f.nativeSize));
        text.Print(lines[i], 0xFFFFFFFFu, 4, 4, 0, 0);
        // The same line at a smaller size goes through linear filtering.
        text.SelectFont(f.name, static_cast<float>(f.nativeSize) * 0.75f);
        text.Print(lines[i], 0xFFFFC060u, 4, 60, 0, 0);
        text.Flush();
        PImage image = ReadBack();
        // Only the band the text occupies.
        PImageLevel band;
        band.width = kWidth;
        band.height = 100;
        band.rgba.assign(image.levels[0].rgba.begin(), image.levels[0].rgba.begin() + kWidth * 100 * 4);
        PImage picture;
        picture.levels.push_back(band);
        const std::string path = std::string(FV_TEST_DIR) + "/engine/reference/font_" + std::to_string(i) + ".png";
        if (write)
        {
            ASSERT_TRUE(PImageCodec::SaveToFile(path, picture, PImageFileFormat::Png)) << path;
            continue;
        }
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(PImageCodec::ReadFile(path, bytes)) << path;
        PImage reference;
        ASSERT_TRUE(PImageCodec::Decode(bytes.data(), bytes.size(), reference));
        ASSERT_EQ(reference.Width(), kWidth);
        ASSERT_EQ(reference.Height(), 100);
        int differing = 0, lit = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < kWidth; ++x)
            {
                const uint32_t a = Pixel(picture, x, y) & 0xFFFFFF, b = Pixel(reference, x, y) & 0xFFFFFF;
                if (!PixelNear(a, b, 24))
                    ++differing;
                if (b != 0x202020u)
                    ++lit;
            }
        EXPECT_GT(lit, 400) << f.name << ": the reference shows text";
        EXPECT_LE(differing, kWidth * 100 / 200) << f.name << ": " << differing << " pixels differ";
    }
}

TEST_F(GLPixel, ViewportClipsPreTransformedDrawingWithoutMovingIt)
{
    GD3DDevice& d = GD3DDevice::Instance();
    PGraphicsDevice* device = d.GetDevice();
    PViewport viewport{100, 50, 40, 30, 0.0f, 1.0f};
    ASSERT_FALSE(PFailed(device->SetViewport(viewport)));
    d.FillRect(PRect{0, 0, kWidth, kHeight}, 0xFF00FFFFu);
    device->SetViewport(d.GetViewport());
    const PImage image = ReadBack();
    EXPECT_EQ(Pixel(image, 100, 50) & 0xFFFFFF, 0x00FFFFu);
    EXPECT_EQ(Pixel(image, 139, 79) & 0xFFFFFF, 0x00FFFFu);
    EXPECT_EQ(Pixel(image, 140, 60) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(image, 99, 60) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(image, 120, 80) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(image, 120, 49) & 0xFFFFFF, 0u);
}

TEST_F(GLPixel, SingleLevelTexturesSampleWithTheMipFilterOnAndTransparentTexelsAreDiscarded)
{
    // 64 x 64 drawn at 8 x 8 with the default linear mip filter: a texture with one stored level must
    // not read missing levels (which sample black).
    PTexture* texture = PixelTestTexture(64, 64, 0xFF40C080u, 0xFF40C080u);
    ASSERT_EQ(texture->GetLevelCount(), 1);
    CTexturedSprite sprite;
    sprite.m_texture.CreateFromTexture(texture);
    sprite.m_width = 8;
    sprite.m_height = 8;
    sprite.SetPosition(30, 30);
    sprite.Draw();
    // A texel of alpha 0 leaves the back buffer as it was, even with blending off.
    PTexture* holes = PixelTestTexture(4, 4, 0x00FFFFFFu, 0x00FFFFFFu);
    GD3DDevice::Instance().GetDevice()->SetRenderState(PRenderState::AlphaBlendEnable, 0);
    CTexturedSprite hidden;
    hidden.m_texture.CreateFromTexture(holes);
    hidden.m_width = 8;
    hidden.m_height = 8;
    hidden.SetPosition(30, 30);
    hidden.Draw();
    GD3DDevice::Instance().GetDevice()->SetRenderState(PRenderState::AlphaBlendEnable, 1);
    EXPECT_TRUE(PixelNear(Pixel(ReadBack(), 30, 30) & 0xFFFFFF, 0x40C080u, 2)) << std::hex << Pixel(ReadBack(), 30, 30);
    texture->Release();
    holes->Release();
}
