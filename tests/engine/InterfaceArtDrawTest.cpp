// Every interface picture the game ships loads through the texture manager and draws: at its own
// size it lands on screen texel for texel (alpha blended over the clear colour), and nothing is
// written to the error logs on the way.
#include "RenderTestSupport.h"
#include "tests/engine/core/EngineTestFiles.h"

#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "platform/video/PImageCodec.h"

#include <algorithm>
#include <filesystem>

namespace
{
constexpr uint32_t kClear = 0xFF405060u;

std::vector<std::filesystem::path> InterfacePictures()
{
    std::vector<std::filesystem::path> found;
    for (const char* folder : {"gui", "ui", "icons"})
    {
        const std::filesystem::path root = std::filesystem::path(FV_SOURCE_DIR) / "data" / "bitmaps" / folder;
        if (!std::filesystem::is_directory(root))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && (ext == ".dds" || ext == ".png" || ext == ".jpg"))
                found.push_back(entry.path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The colour a texel gives when blended over the clear colour, as 0x00RRGGBB.
uint32_t Blended(const uint8_t* texel)
{
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c)
    {
        const int under = static_cast<int>((kClear >> (16 - 8 * c)) & 0xFF);
        const int a = texel[3];
        out |= static_cast<uint32_t>((texel[c] * a + under * (255 - a) + 127) / 255) << (16 - 8 * c);
    }
    return out;
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}
} // namespace

using InterfaceArtDraw = GLRenderTest;

TEST_F(InterfaceArtDraw, EveryInterfacePictureLoadsAndDrawsTexelForTexel)
{
    const auto pictures = InterfacePictures();
    ASSERT_GE(pictures.size(), 40u) << "the interface pictures are missing";
    GTextureManager& textures = GTextureManager::Instance();
    textures.AddFolder((std::filesystem::path(FV_SOURCE_DIR) / "data" / "bitmaps").string());
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    for (const auto& path : pictures)
    {
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes;
        PImage file;
        ASSERT_TRUE(PImageCodec::ReadFile(path.string(), bytes));
        ASSERT_TRUE(PImageCodec::Decode(bytes.data(), bytes.size(), file));
        ASSERT_NE(textures.GetTexture(name), nullptr);
        EXPECT_EQ(textures.FindTexture(name)->m_width, file.Width());
        EXPECT_EQ(textures.FindTexture(name)->m_height, file.Height());

        // Pictures that fit are drawn at their own size with point sampling; larger ones scaled.
        const bool fits = file.Width() <= kWidth - 20 && file.Height() <= kHeight - 20;
        const float scale = fits ? 1.0f : std::min((kWidth - 20.0f) / file.Width(), (kHeight - 20.0f) / file.Height());
        device->Clear(kClear);
        device->SetSamplerState(0, PSamplerState::MinFilter, fits ? PTEXF_POINT : PTEXF_LINEAR);
        device->SetSamplerState(0, PSamplerState::MagFilter, fits ? PTEXF_POINT : PTEXF_LINEAR);
        CTexturedSprite sprite;
        sprite.SetTexture(name);
        sprite.m_width = file.Width() * scale;
        sprite.m_height = file.Height() * scale;
        // Corners half a pixel up and left of whole pixels put texels exactly onto pixels, as the
        // menus place their pictures.
        sprite.SetPosition(9.5f + sprite.m_width / 2.0f, 9.5f + sprite.m_height / 2.0f);
        sprite.Draw();
        const PImage screen = ReadBack();
        int changed = 0, wrong = 0;
        for (int y = 0; y < static_cast<int>(sprite.m_height); ++y)
            for (int x = 0; x < static_cast<int>(sprite.m_width); ++x)
            {
                const uint32_t got = Pixel(screen, 10 + x, 10 + y) & 0xFFFFFFu;
                if (got != (kClear & 0xFFFFFFu))
                    ++changed;
                if (fits &&
                    !Near(got, Blended(&file.levels[0].rgba[(static_cast<size_t>(y) * file.Width() + x) * 4]), 3))
                    ++wrong;
            }
        EXPECT_GT(changed, 0) << "nothing drawn";
        EXPECT_EQ(wrong, 0) << "pixels differ from the file";
    }
    const std::string errors = EngineTestFiles::ReadAll(m_files.Path("debug/errors.txt"));
    const std::string draw = EngineTestFiles::ReadAll(m_files.Path("debug/drawdebug.txt"));
    EXPECT_EQ(errors.find("rror"), std::string::npos) << errors;
    EXPECT_EQ(draw.find("rror"), std::string::npos) << draw;
}
