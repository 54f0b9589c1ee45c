// Gathering 2D quads on the recording device: runs of quads whose pictures have a copy on one page
// go out as one draw in the order they were given; a picture without a copy, or anything drawn
// another way, sends what was gathered first.
#include "RenderTestSupport.h"

#include "engine/CLoadedTextureRef.h"
#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GQuadBatchScope.h"
#include "engine/GVertexBuffer.h"
#include "platform/video/PRecordingTexture.h"

#include <iterator>
#include <vector>

namespace
{
// Pictures: `copied` lies on `page` (its top left quarter moved to the middle); a plain colour
// reads a white texel of the page when `white` is set.
struct TestPlaces : GQuadBatchScope::Places
{
    bool Find(const CLoadedTexture* picture, GQuadBatchScope::Place& place) const override
    {
        if (!picture && white)
            place = GQuadBatchScope::Place{page, 0.0f, 0.0f, 0.9f, 0.9f};
        else if (picture && picture == copied)
            place = GQuadBatchScope::Place{page, 0.5f, 0.5f, 0.25f, 0.25f};
        else
            return false;
        return true;
    }
    CLoadedTexture* page = nullptr;
    CLoadedTexture* copied = nullptr;
    bool white = true;
};

CLoadedTexture* MakePicture()
{
    PTexture* texture = nullptr;
    EXPECT_EQ(GD3DDevice::Instance().GetDevice()->CreateTexture(16, 16, 1, false, PFormat::A8R8G8B8, &texture),
              PRES_OK);
    CLoadedTextureRef handle;
    handle.CreateFromTexture(texture);
    return handle.Get();
}

void PlaceSprite(CTexturedSprite& sprite, CLoadedTexture* picture, float x)
{
    sprite.m_texture.Set(picture);
    sprite.m_width = sprite.m_height = 10.0f;
    sprite.SetPosition(x, 50.0f);
}
} // namespace

using QuadBatchScopeTest = RecordingRenderTest;

TEST_F(QuadBatchScopeTest, CopiedPicturesAndPlainColoursGoInOneDrawInTheirOrder)
{
    ASSERT_TRUE(InitDevice());
    SharedVertexBatch().Create(8000);
    TestPlaces places;
    places.page = MakePicture();
    places.copied = MakePicture();
    CLoadedTexture* own = MakePicture();
    CTexturedSprite a, b, c;
    PlaceSprite(a, places.copied, 100.0f);
    PlaceSprite(b, own, 200.0f);
    PlaceSprite(c, places.copied, 300.0f);
    GD3DDevice& device = GD3DDevice::Instance();
    m_rec->Clear();
    {
        const GQuadBatchScope gather(places);
        device.FillRect(PRect{0, 0, 10, 10}, 0xFFFF0000u);
        a.Draw();
        DrawLineSprite(0xFF00FF00u, 10.0f, 10.0f, 60.0f, 60.0f, 4.0f);
        b.Draw();
        c.Draw();
        // A line strip is drawn at once, after what was gathered.
        device.DrawRectLines(PRect{0, 0, 20, 20}, 0xFF0000FFu);
        device.FillRect(PRect{0, 0, 10, 10}, 0xFFFF0000u);
        EXPECT_EQ(gather.GetGathered(), 6);
    }
    struct Expected
    {
        PPrimitive type;
        int primitives;
        int texture;
    };
    const auto id = [](const CLoadedTexture* t) { return static_cast<const PRecordingTexture*>(t->m_texture)->Id(); };
    const Expected expected[] = {{PPrimitive::TriangleList, 6, id(places.page)},
                                 {PPrimitive::TriangleList, 2, id(own)},
                                 {PPrimitive::TriangleList, 2, id(places.page)},
                                 {PPrimitive::LineStrip, 4, 0},
                                 {PPrimitive::TriangleList, 2, id(places.page)}};
    ASSERT_EQ(m_rec->draws.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(m_rec->draws[i].type, expected[i].type);
        EXPECT_EQ(m_rec->draws[i].primitives, expected[i].primitives);
        EXPECT_EQ(m_rec->draws[i].texture, expected[i].texture);
    }
    // The copied picture's corners read its copy; the plain colours read the white texel.
    const std::vector<PVertex>& first = m_rec->draws[0].vertices;
    ASSERT_EQ(first.size(), 18u);
    EXPECT_FLOAT_EQ(first[0].u, 0.9f);
    EXPECT_EQ(first[0].colour, 0xFFFF0000u);
    EXPECT_FLOAT_EQ(first[6].u, 0.25f);
    EXPECT_FLOAT_EQ(first[7].u, 0.75f);
    EXPECT_EQ(first[12].colour, 0xFF00FF00u);

    // Without a white texel a plain colour is drawn at once as before, after what was gathered;
    // outside a scope everything is drawn at once.
    places.white = false;
    m_rec->Clear();
    {
        const GQuadBatchScope gather(places);
        a.Draw();
        device.FillRect(PRect{0, 0, 10, 10}, 0xFFFF0000u);
    }
    c.Draw();
    ASSERT_EQ(m_rec->draws.size(), 3u);
    EXPECT_EQ(m_rec->draws[0].texture, id(places.page));
    EXPECT_EQ(m_rec->draws[1].texture, 0);
    EXPECT_EQ(m_rec->draws[2].texture, id(places.copied));
    EXPECT_EQ(GQuadBatchScope::Current(), nullptr);
    for (CLoadedTexture* picture : {places.page, places.copied, own})
        picture->m_texture->Release();
}
