// Sprite positioning, hit and visibility tests, clipping and drawing.
#include "RenderTestSupport.h"

#include "engine/BaseSprite.h"
#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "engine/GVertexBuffer.h"

#include <algorithm>

namespace
{
BaseSprite SpriteAt(float w, float h, float x, float y, float angle = 0.0f)
{
    BaseSprite s;
    s.m_width = w;
    s.m_height = h;
    s.m_angle = angle;
    s.SetPosition(x, y);
    return s;
}
} // namespace

TEST(Sprite, NewSpriteDefaults)
{
    BaseSprite s;
    EXPECT_EQ(s.m_vertices[3].colour, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(s.m_vertices[1].u, 1.0f);
    EXPECT_FLOAT_EQ(s.m_vertices[2].v, 1.0f);
    EXPECT_FLOAT_EQ(s.m_vertices[0].rhw, 1.0f);
    s.SetColour(0x112, 0x34, 0x56, 0x78);
    EXPECT_EQ(s.m_vertices[2].colour, 0x78123456u);
}

TEST(Sprite, PositioningByCentreAndAngle)
{
    struct Case
    {
        float angle;
        bool noRotation;
        float x[4], y[4];
    } cases[] = {
        {0.0f, false, {95, 105, 95, 105}, {90, 90, 110, 110}},
        {90.0f, false, {110, 110, 90, 90}, {95, 105, 95, 105}},
        {90.0f, true, {95, 105, 95, 105}, {90, 90, 110, 110}},
        {180.0f, false, {105, 95, 105, 95}, {110, 110, 90, 90}},
    };
    for (const Case& c : cases)
    {
        for (int fast = 0; fast < 2; ++fast)
        {
            BaseSprite s;
            s.m_width = 10.0f;
            s.m_height = 20.0f;
            s.m_angle = c.angle;
            s.m_noRotation = c.noRotation;
            if (fast)
                s.SetPositionFast(100.0f, 100.0f);
            else
                s.SetPosition(100.0f, 100.0f);
            for (int i = 0; i < 4; ++i)
            {
                EXPECT_NEAR(s.m_vertices[i].x, c.x[i], 1e-3f) << c.angle << " vertex " << i << " fast " << fast;
                EXPECT_NEAR(s.m_vertices[i].y, c.y[i], 1e-3f) << c.angle << " vertex " << i << " fast " << fast;
            }
        }
    }
    // Angles outside the whole-degree tables wrap instead of reading past them.
    BaseSprite wrapped;
    wrapped.m_width = 10.0f;
    wrapped.m_height = 20.0f;
    wrapped.m_angle = 450.0f;
    wrapped.SetPositionFast(100.0f, 100.0f);
    EXPECT_NEAR(wrapped.m_vertices[0].x, 110.0f, 1e-3f);
}

TEST(Sprite, InsideIsStrict)
{
    BaseSprite s = SpriteAt(10, 20, 100, 100);
    struct Case
    {
        float x, y;
        bool inside;
    } cases[] = {{100, 100, true}, {95, 100, false}, {105, 100, false}, {100, 90, false}, {96, 109, true}};
    for (const Case& c : cases)
        EXPECT_EQ(s.IsInside(c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(Sprite, OnScreenIsAnOverlapWithClosedBounds)
{
    GScreenSize::Set(800, 600);
    struct Case
    {
        const char* name;
        BaseSprite sprite;
        bool on;
    } cases[] = {
        {"centre", SpriteAt(10, 10, 400, 300), true},
        {"larger than the screen", SpriteAt(2000, 2000, 400, 300), true},
        {"just left of it", SpriteAt(10, 10, -5.5f, 300), false},
        {"touching the left edge", SpriteAt(10, 10, -5, 300), true},
        {"below it", SpriteAt(10, 10, 400, 700), false},
        {"full-height band", SpriteAt(10, 2000, 400, 300), true},
        {"full-width band", SpriteAt(2000, 10, 400, 300), true},
        {"turned, crossing the corner", SpriteAt(20, 20, -5, -5, 45), true},
        {"turned, outside", SpriteAt(20, 20, -30, -30, 45), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.sprite.IsOnScreen(), c.on) << c.name;
}

using SpriteDrawTest = RecordingRenderTest;

TEST_F(SpriteDrawTest, ClippingCutsPositionsAndTextureCoordinates)
{
    ASSERT_TRUE(InitDevice());
    GD3DDevice::Instance().BeginFrame();
    BaseSprite s = SpriteAt(100, 50, 150, 125); // 100..200 x 100..150
    m_rec->Clear();
    s.DrawClipped(0, 0, 150, 600);
    ASSERT_EQ(m_rec->draws.size(), 1u);
    const auto& v = m_rec->draws[0].vertices;
    EXPECT_FLOAT_EQ(v[1].x, 150.0f);
    EXPECT_FLOAT_EQ(v[0].u, 0.0f);
    EXPECT_FLOAT_EQ(v[1].u, 0.5f);
    EXPECT_FLOAT_EQ(v[3].u, 0.5f);

    m_rec->Clear();
    s.DrawClipped(120, 110, 180, 140);
    ASSERT_EQ(m_rec->draws.size(), 1u);
    EXPECT_FLOAT_EQ(m_rec->draws[0].vertices[0].u, 0.2f);
    EXPECT_FLOAT_EQ(m_rec->draws[0].vertices[0].v, 0.2f);
    EXPECT_FLOAT_EQ(m_rec->draws[0].vertices[3].v, 0.8f);
    // The sprite itself is untouched.
    EXPECT_FLOAT_EQ(s.m_vertices[0].x, 100.0f);

    // No overlap at all: nothing is drawn (rather than an inverted quad on the rectangle).
    m_rec->Clear();
    EXPECT_FALSE(s.DrawClipped(300, 300, 400, 400));
    EXPECT_FALSE(s.DrawClipped(0, 0, 100, 600));
    EXPECT_TRUE(m_rec->draws.empty());
}

TEST_F(SpriteDrawTest, DrawOutsideASceneBeginsOneAndSkipsOffScreenSprites)
{
    ASSERT_TRUE(InitDevice());
    m_rec->Clear();
    BaseSprite off = SpriteAt(10, 10, -100, -100);
    EXPECT_FALSE(off.Draw());
    EXPECT_TRUE(m_rec->log.empty());
    BaseSprite on = SpriteAt(10, 10, 100, 100);
    EXPECT_TRUE(on.Draw());
    EXPECT_TRUE(on.Draw());
    EXPECT_EQ(m_rec->log, (std::vector<std::string>{"BeginScene", "DrawPrimitiveUP TriangleStrip 2",
                                                    "DrawPrimitiveUP TriangleStrip 2"}));
    // A textured sprite binds its texture and draws without the on-screen test.
    PTexture* texture = nullptr;
    GD3DDevice::Instance().GetDevice()->CreateTexture(2, 2, 1, false, PFormat::A8R8G8B8, &texture);
    CTexturedSprite textured;
    textured.m_texture.CreateFromTexture(texture);
    textured.m_width = 4;
    textured.m_height = 4;
    textured.SetPosition(-100, -100);
    m_rec->Clear();
    textured.Draw();
    ASSERT_EQ(m_rec->draws.size(), 1u);
    EXPECT_NE(m_rec->draws[0].texture, 0);
    texture->Release();
}

TEST_F(SpriteDrawTest, LineSpritesAreTurnedAlongTheSegment)
{
    ASSERT_TRUE(InitDevice());
    SharedVertexBatch().Create(8000);
    m_rec->Clear();
    BatchLineSprite(0xFF102030u, 10, 10, 50, 10, 4);
    EXPECT_EQ(SharedVertexBatch().GetQueuedCount(), 4);
    SharedVertexBatch().Flush();
    ASSERT_EQ(m_rec->draws.size(), 1u);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const PVertex& v : m_rec->draws[0].vertices)
    {
        minX = std::min(minX, v.x);
        maxX = std::max(maxX, v.x);
        minY = std::min(minY, v.y);
        maxY = std::max(maxY, v.y);
        EXPECT_EQ(v.colour, 0xFF102030u);
    }
    EXPECT_NEAR(minX, 10.0f, 1e-3f);
    EXPECT_NEAR(maxX, 50.0f, 1e-3f);
    EXPECT_NEAR(minY, 8.0f, 1e-3f);
    EXPECT_NEAR(maxY, 12.0f, 1e-3f);
}
