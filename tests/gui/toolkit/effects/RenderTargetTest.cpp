// The render-target cache and the post-processor: switching drawing into a cached target and back,
// and the full-screen quad that brings a target's picture onto the screen.
#include "engine/BaseSprite.h"
#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_RenderTargetViewer.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

namespace
{
void MakeCache(int targetWidth, int targetHeight)
{
    GTextureManager::Instance().AddFolder(std::string(FV_SOURCE_DIR) + "/data/bitmaps");
    GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", 256, 128, PFormat::A8R8G8B8);
    GUI_TextureCache::CreateRenderTargets(targetWidth, targetHeight);
    GUI_TextureCache::Init();
}

PTexture* CurrentTarget()
{
    PTexture* target = reinterpret_cast<PTexture*>(1);
    GD3DDevice::Instance().GetDevice()->GetRenderTarget(0, &target);
    return target;
}
} // namespace

using RenderTargetTest = EffectsRecordingTest;

TEST_F(RenderTargetTest, TheCacheHoldsItsTargetsAndFontSheetsAndTheQuadShowsTheScreenPartOfATarget)
{
    MakeCache(2048, 1024);
    for (int i = 0; i < GUI_TextureCache::COUNT; ++i)
    {
        ASSERT_NE(GUI_TextureCache::Get(i), nullptr) << i;
        EXPECT_NE(GUI_TextureCache::Get(i)->m_texture, nullptr) << GUI_TextureCache::GetName(i);
    }
    EXPECT_TRUE(GUI_TextureCache::Get(GUI_TextureCache::OFFSCREEN)->m_texture->IsRenderTarget());
    int w = 0, h = 0;
    PFormat format;
    GUI_TextureCache::Get(GUI_TextureCache::DYNAMIC_SPRITE_SHEET)->m_texture->GetLevelDesc(0, w, h, format);
    EXPECT_EQ(w, 2048);
    EXPECT_EQ(h, 4096) << "the largest sprite sheet fits";
    EXPECT_EQ(ErrorLog().find("Assertion"), std::string::npos);

    GUI_PostProcessor::Init(1280, 720, 2048, 1024);
    const BaseSprite& quad = GUI_PostProcessor::GetRenderTargetQuad();
    EXPECT_FLOAT_EQ(quad.m_vertices[3].u, 0.625f);
    EXPECT_FLOAT_EQ(quad.m_vertices[3].v, 0.703125f);
    EXPECT_FLOAT_EQ(quad.m_vertices[0].u, 0.0f);
    EXPECT_FLOAT_EQ(quad.m_vertices[1].v, 0.0f);
    EXPECT_FLOAT_EQ(quad.m_vertices[0].x, 0.0f);
    EXPECT_FLOAT_EQ(quad.m_vertices[3].y, 720.0f);
}

TEST_F(RenderTargetTest, DrawingComesBackToTheScreenAfterATargetEvenWhenTheSwitchFailed)
{
    MakeCache(800, 600);
    GUI_PostProcessor::Init(800, 600, 800, 600);
    PTexture* offscreen = GUI_TextureCache::Get(GUI_TextureCache::OFFSCREEN)->m_texture;

    // A quad queued for the screen is drawn there before drawing moves.
    CLoadedTextureRef handle;
    handle.SetByName("Open Sans Semibold_20.dds");
    SharedVertexBatch().SetTexture(&handle);
    BaseSprite sprite;
    sprite.m_width = sprite.m_height = 10.0f;
    sprite.SetPosition(50.0f, 50.0f);
    sprite.AddToBatch();
    m_rec->Clear();
    EXPECT_TRUE(GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::OFFSCREEN));
    ASSERT_EQ(m_rec->draws.size(), 1u);
    EXPECT_EQ(m_rec->log.back().rfind("SetRenderTarget 0", 0), 0u);
    EXPECT_EQ(CurrentTarget(), offscreen);
    EXPECT_TRUE(GUI_PostProcessor::RestoreBackBuffer());
    EXPECT_EQ(CurrentTarget(), nullptr);

    // A font sheet is no render target: the device refuses, drawing stays, and comes back anyway.
    EXPECT_FALSE(GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::FONT_SEMIBOLD_20));
    EXPECT_NE(ErrorLog().find("Failed to set render target"), std::string::npos);
    EXPECT_TRUE(GUI_PostProcessor::RestoreBackBuffer());
    EXPECT_EQ(CurrentTarget(), nullptr);

    // The saved target is whatever drawing went to when it was saved.
    GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::LIGHTMAPS);
    GUI_PostProcessor::SaveBackBuffer();
    GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::OFFSCREEN);
    GUI_PostProcessor::RestoreBackBuffer();
    EXPECT_EQ(CurrentTarget(), GUI_TextureCache::Get(GUI_TextureCache::LIGHTMAPS)->m_texture);

    GUI_RenderTargetViewer& viewer = GUI_RenderTargetViewer::Instance();
    m_rec->Clear();
    viewer.Draw();
    EXPECT_TRUE(m_rec->draws.empty()) << "the viewer is hidden until shown";
}

using RenderTargetPicture = EffectsGLTest;

// A scene drawn off screen and brought back through the full-screen quad with a warm tint.
TEST_F(RenderTargetPicture, APostProcessedFrameMatchesItsReferencePicture)
{
    MakeCache(512, 256);
    GUI_PostProcessor::Init(kWidth, kHeight, 512, 256);
    GD3DDevice& d3d = GD3DDevice::Instance();
    PGraphicsDevice* device = d3d.GetDevice();

    GUI_PostProcessor::SaveBackBuffer();
    ASSERT_TRUE(GUI_PostProcessor::SetRenderTarget(GUI_TextureCache::OFFSCREEN));
    device->Clear(0xFF203040u);
    d3d.FillRect(PRect{20, 20, 140, 90}, 0xFFE0C040u);
    d3d.FillRect(PRect{100, 60, 300, 200}, 0x8040A0FFu);
    DrawLineSprite(0xFFFFFFFFu, 10.0f, 230.0f, 310.0f, 130.0f, 6.0f);
    ASSERT_TRUE(GUI_PostProcessor::RestoreBackBuffer());

    device->Clear(0xFF000000u);
    BaseSprite& quad = GUI_PostProcessor::GetRenderTargetQuad();
    quad.SetColour(255, 200, 160, 255);
    GTextureManager::Instance().BindTexture(&GUI_TextureCache::Get(GUI_TextureCache::OFFSCREEN)->m_texture);
    quad.Draw();
    const PImage picture = ReadBack();
    const uint32_t yellow = Pixel(picture, 30, 30);
    EXPECT_GT((yellow >> 16) & 0xFF, 0xC0u) << "the target comes back the right way up";
    EXPECT_LT(yellow & 0xFF, 0x40u);
    ExpectMatchesReference(picture, std::string(FV_TEST_DIR) + "/gui/toolkit/effects", "post_processed_frame");
}
