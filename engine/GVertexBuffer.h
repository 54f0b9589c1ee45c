// A batch of textured quads drawn with one indexed draw per run of quads sharing a texture. The
// device buffer is filled as a ring: each flush appends after the last one without waiting for the
// graphics card and starts over with a discard when the end is reached; the index buffer is written
// once with two triangles per four vertices.
#pragma once

#include "engine/CLoadedTextureRef.h"
#include "platform/video/PIndexBuffer.h"
#include "platform/video/PVertexBuffer.h"

#include <cstdint>
#include <list>
#include <vector>

class CTexturedSprite;

class GVertexBuffer
{
public:
    // The index staging array holds 12000 entries: two triangles for each four of 8000 vertices.
    static constexpr int kMaxCapacity = 8000;

    GVertexBuffer() = default;
    virtual ~GVertexBuffer();
    GVertexBuffer(const GVertexBuffer&) = delete;
    GVertexBuffer& operator=(const GVertexBuffer&) = delete;

    void Create(int capacity);
    void CreateBuffers();
    void AddVertices(const PVertex* vertices, int count);
    // Appends one quad (four vertices), flushing first when fewer than four places remain.
    void AddQuad(const PVertex* vertices);
    void SetTexture(CLoadedTextureRef* handle);
    void Flush();
    void Render();
    void ReleaseBuffers();

    int GetCapacity() const { return m_capacity; }
    int GetQueuedCount() const { return m_queued; }
    int GetDrawStart() const { return m_drawStart; }
    bool HasBuffers() const { return m_vertexBuffer && m_indexBuffer; }

private:
    void* m_locked = nullptr;
    int m_writeOffset = 0;
    PVertexBuffer* m_vertexBuffer = nullptr;
    PIndexBuffer* m_indexBuffer = nullptr;
    uint16_t m_indices[kMaxCapacity / 4 * 6] = {};
    std::vector<PVertex> m_staging;
    int m_capacity = 0;
    bool m_quadIndices = false;
    bool m_isLocked = false;
    // The handle's target is copied rather than the handle's address kept: the drawable holding the
    // handle may be gone by the next flush, the shared handle objects never are.
    bool m_hasBatchTexture = false;
    CLoadedTexture* m_batchTexture = nullptr;
    int m_queued = 0;
    int m_drawStart = 0;
};

// The batch shared by sprites, line sprites and the views (8000 vertices once created at start-up).
GVertexBuffer& SharedVertexBatch();
// Writes the index list of quads drawn as triangle lists: two triangles per four corners
// (top left, top right, bottom left, bottom right), 6 indices per quad.
void FillQuadIndices(uint16_t* indices, int quads);
// Every batch whose buffers exist.
std::vector<GVertexBuffer*>& VertexBufferList();
// The same list, or null when it was never made or is gone: for the end of the run, which makes nothing.
std::vector<GVertexBuffer*>* FindVertexBufferList();
// Draws a list of textured drawables through the shared batch and empties the list.
void DrawSpriteListBatched(std::list<CTexturedSprite*>& list);
