// Quad batching on the recording device: index order, flushing at capacity, ring offsets and one
// draw per run of quads sharing a texture.
#include "RenderTestSupport.h"

#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/GVertexBuffer.h"

#include <cstring>

namespace
{
std::vector<PVertex> BatchQuads(int quads, float x = 0.0f)
{
    std::vector<PVertex> v(static_cast<size_t>(quads) * 4);
    for (size_t i = 0; i < v.size(); ++i)
        v[i].x = x + static_cast<float>(i);
    return v;
}
} // namespace

using VertexBatchTest = RecordingRenderTest;

TEST_F(VertexBatchTest, IndexBufferHoldsTwoTrianglesPerQuad)
{
    ASSERT_TRUE(InitDevice());
    m_rec->Clear();
    GVertexBuffer batch;
    batch.Create(8000);
    EXPECT_EQ(m_rec->Calls("CreateIndexBuffer"),
              std::vector<std::string>{"CreateIndexBuffer 24000 ib#" + std::to_string(m_rec->nextObjectId - 1)});
    EXPECT_EQ(m_rec->Calls("CreateVertexBuffer").size(), 1u);
    EXPECT_NE(m_rec->Calls("CreateVertexBuffer")[0].find("224000 dynamic"), std::string::npos);
    // Drawing the first quad reads its corners through the indices 0, 1, 2, 2, 1, 3.
    const auto quad = BatchQuads(1);
    batch.AddVertices(quad.data(), 4);
    batch.Flush();
    ASSERT_EQ(m_rec->draws.size(), 1u);
    std::vector<float> order;
    for (const PVertex& v : m_rec->draws[0].vertices)
        order.push_back(v.x);
    EXPECT_EQ(order, (std::vector<float>{0, 1, 2, 2, 1, 3}));
}

TEST_F(VertexBatchTest, CapacityIsLimitedToTheIndexArray)
{
    ASSERT_TRUE(InitDevice());
    struct Case
    {
        int asked, got;
    } cases[] = {{8000, 8000}, {20000, 8000}, {4002, 4000}, {-5, 0}};
    for (const Case& c : cases)
    {
        GVertexBuffer batch;
        batch.Create(c.asked);
        EXPECT_EQ(batch.GetCapacity(), c.got) << c.asked;
    }
}

TEST_F(VertexBatchTest, AppendingPastCapacityDrawsWhatIsQueuedFirst)
{
    ASSERT_TRUE(InitDevice());
    GVertexBuffer batch;
    batch.Create(8000);
    m_rec->Clear();
    const auto many = BatchQuads(1999);
    batch.AddVertices(many.data(), 7996);
    const auto two = BatchQuads(1);
    batch.AddVertices(two.data(), 2);
    ASSERT_EQ(batch.GetQueuedCount(), 7998);
    EXPECT_TRUE(m_rec->draws.empty());
    batch.AddQuad(BatchQuads(1).data());
    ASSERT_EQ(m_rec->draws.size(), 1u);
    EXPECT_EQ(m_rec->draws[0].primitives, 3999);
    EXPECT_EQ(batch.GetQueuedCount(), 4);

    // More than the capacity at once keeps only the first capacity vertices.
    batch.Flush();
    const auto huge = BatchQuads(2500);
    batch.AddVertices(huge.data(), 10000);
    EXPECT_EQ(batch.GetQueuedCount(), 8000);
}

TEST_F(VertexBatchTest, RingOffsetsWrapWithADiscard)
{
    ASSERT_TRUE(InitDevice());
    GVertexBuffer batch;
    batch.Create(8000);
    m_rec->Clear();
    const auto v = BatchQuads(750);
    std::vector<std::string> locks;
    std::vector<int> starts;
    for (int i = 0; i < 3; ++i)
    {
        batch.AddVertices(v.data(), 3000);
        batch.Flush();
        starts.push_back(batch.GetDrawStart());
    }
    EXPECT_EQ(starts, (std::vector<int>{0, 3000, 0}));
    const auto calls = m_rec->Calls("Lock vb");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_NE(calls[0].find(" 0 84000 nooverwrite"), std::string::npos) << calls[0];
    EXPECT_NE(calls[1].find(" 84000 84000 nooverwrite"), std::string::npos) << calls[1];
    EXPECT_NE(calls[2].find(" 0 84000 discard"), std::string::npos) << calls[2];
    const auto draws = m_rec->Calls("DrawIndexedPrimitive");
    EXPECT_EQ(draws[1], "DrawIndexedPrimitive TriangleList 3000 0 3000 0 1500");
    // The vertices drawn are the ones appended, whatever their place in the ring.
    EXPECT_FLOAT_EQ(m_rec->draws[1].vertices[5].x, 3.0f);
}

TEST_F(VertexBatchTest, FlushAndTextureChangesOnlyActWhenSomethingIsQueued)
{
    ASSERT_TRUE(InitDevice());
    GVertexBuffer batch;
    batch.Create(800);
    CLoadedTextureRef a, b;
    m_rec->Clear();
    batch.Flush();
    batch.SetTexture(&a);
    batch.SetTexture(&b);
    batch.SetTexture(nullptr);
    EXPECT_TRUE(m_rec->log.empty());

    // Handles without a texture count as the same texture; a null handle differs from a set one.
    batch.SetTexture(&a);
    batch.AddQuad(BatchQuads(1).data());
    batch.SetTexture(&b);
    EXPECT_TRUE(m_rec->draws.empty());
    batch.SetTexture(nullptr);
    EXPECT_EQ(m_rec->draws.size(), 1u);
}

TEST_F(VertexBatchTest, OneDrawPerTextureRun)
{
    ASSERT_TRUE(InitDevice());
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    PTexture* textures[2] = {};
    device->CreateTexture(4, 4, 1, false, PFormat::A8R8G8B8, &textures[0]);
    device->CreateTexture(4, 4, 1, false, PFormat::A8R8G8B8, &textures[1]);
    SharedVertexBatch().Create(8000);
    std::vector<CTexturedSprite> sprites(6);
    struct Case
    {
        const char* name;
        std::vector<int> textureOf;
        bool sort;
        size_t draws;
    } cases[] = {
        {"same texture", {0, 0, 0, 0, 0, 0}, false, 1},
        {"alternating", {0, 1, 0, 1, 0, 1}, false, 6},
        {"alternating, sorted", {0, 1, 0, 1, 0, 1}, true, 2},
    };
    for (const Case& c : cases)
    {
        std::list<CTexturedSprite*> list;
        for (size_t i = 0; i < sprites.size(); ++i)
        {
            sprites[i].m_texture.CreateFromTexture(textures[c.textureOf[i]]);
            sprites[i].m_vertices[0].x = static_cast<float>(i);
            list.push_back(&sprites[i]);
        }
        if (c.sort)
            SortSpriteListByTexture(list);
        m_rec->Clear();
        DrawSpriteListBatched(list);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(m_rec->Calls("DrawIndexedPrimitive").size(), c.draws) << c.name;
        if (c.sort)
        {
            // Equal textures keep their order within their run.
            std::vector<float> firstCorners;
            for (const auto& draw : m_rec->draws)
                for (size_t q = 0; q < draw.vertices.size(); q += 6)
                    firstCorners.push_back(draw.vertices[q].x);
            EXPECT_TRUE(firstCorners == (std::vector<float>{0, 2, 4, 1, 3, 5}) ||
                        firstCorners == (std::vector<float>{1, 3, 5, 0, 2, 4}));
        }
    }
    textures[0]->Release();
    textures[1]->Release();
}

TEST_F(VertexBatchTest, TwentyThousandQuadsOfOneTextureTakeAtMostTenDraws)
{
    ASSERT_TRUE(InitDevice());
    SharedVertexBatch().Create(8000);
    PTexture* texture = nullptr;
    GD3DDevice::Instance().GetDevice()->CreateTexture(4, 4, 1, false, PFormat::A8R8G8B8, &texture);
    std::vector<CTexturedSprite> sprites(20000);
    std::list<CTexturedSprite*> list;
    CLoadedTextureRef shared;
    shared.CreateFromTexture(texture);
    for (CTexturedSprite& s : sprites)
    {
        s.m_texture = shared;
        list.push_back(&s);
    }
    m_rec->Clear();
    SortSpriteListByTexture(list);
    DrawSpriteListBatched(list);
    const size_t draws = m_rec->Calls("DrawIndexedPrimitive").size();
    EXPECT_LE(draws, 10u);
    size_t quads = 0;
    for (const auto& d : m_rec->draws)
        quads += d.vertices.size() / 6;
    EXPECT_EQ(quads, 20000u);
    texture->Release();
}

TEST_F(VertexBatchTest, FailuresAreLoggedAndDropTheQueue)
{
    ASSERT_TRUE(InitDevice());
    m_rec->createIndexBufferResult = PRES_OUTOFVIDEOMEMORY;
    GVertexBuffer broken;
    broken.Create(400);
    EXPECT_FALSE(broken.HasBuffers());
    m_rec->createIndexBufferResult = PRES_OK;

    GVertexBuffer batch;
    batch.Create(400);
    m_rec->lockResult = PRES_INVALIDCALL;
    batch.AddQuad(BatchQuads(1).data());
    batch.Flush();
    EXPECT_EQ(batch.GetQueuedCount(), 0);
    EXPECT_TRUE(m_rec->draws.empty());
    const auto errors = ErrorMessages();
    EXPECT_NE(std::find(errors.begin(), errors.end(), "Index buffer creation failure"), errors.end());
    EXPECT_NE(std::find(errors.begin(), errors.end(), "Error locking VB"), errors.end());
}
