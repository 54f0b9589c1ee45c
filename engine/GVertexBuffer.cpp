// Quad batching through a ring vertex buffer.
#include "engine/GVertexBuffer.h"

#include "engine/CTexturedSprite.h"
#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"

#include <algorithm>
#include <cstring>

namespace
{
// The batch every sprite draws through, held by the program's owner from its creation at
// start-up; batches of later objects go before it.
struct GSharedVertexBatch
{
    GVertexBuffer batch;
};

// Every batch whose buffers exist, so a lost device can make them again. Held by the program's
// owner; a batch released after it leaves a new, empty one.
struct GVertexBufferRegistry
{
    std::vector<GVertexBuffer*> buffers; // not owned: each batch belongs to its drawable
};
} // namespace

void FillQuadIndices(uint16_t* indices, int quads)
{
    for (int q = 0; q < quads; ++q, indices += 6)
    {
        const auto b = static_cast<uint16_t>(q * 4);
        indices[0] = b;
        indices[1] = static_cast<uint16_t>(b + 1);
        indices[2] = static_cast<uint16_t>(b + 2);
        indices[3] = static_cast<uint16_t>(b + 2);
        indices[4] = static_cast<uint16_t>(b + 1);
        indices[5] = static_cast<uint16_t>(b + 3);
    }
}

GVertexBuffer& SharedVertexBatch()
{
    return GLifetime::Get<GSharedVertexBatch>().batch;
}

std::vector<GVertexBuffer*>& VertexBufferList()
{
    return GLifetime::Get<GVertexBufferRegistry>().buffers;
}

std::vector<GVertexBuffer*>* FindVertexBufferList()
{
    GVertexBufferRegistry* registry = GLifetime::Find<GVertexBufferRegistry>();
    return registry ? &registry->buffers : nullptr;
}

GVertexBuffer::~GVertexBuffer()
{
    ReleaseBuffers();
}

void GVertexBuffer::Create(int capacity)
{
    // More than the index array covers would write past it; a partial quad would never be drawn.
    m_capacity = std::clamp(capacity, 0, kMaxCapacity) / 4 * 4;
    m_quadIndices = true;
    CreateBuffers();
    VertexBufferList().push_back(this);
}

void GVertexBuffer::CreateBuffers()
{
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    const int vertexBytes = m_capacity * static_cast<int>(sizeof(PVertex));
    PResult r = device ? device->CreateVertexBuffer(vertexBytes, true, &m_vertexBuffer) : PRES_INVALIDCALL;
    if (PFailed(r))
    {
        m_vertexBuffer = nullptr;
        LogD3DError(r, "Vertex Buffer creation failure");
        return;
    }
    r = device->CreateIndexBuffer(m_capacity / 4 * 6 * 2, &m_indexBuffer);
    if (PFailed(r))
    {
        m_indexBuffer = nullptr;
        LogD3DError(r, "Index buffer creation failure");
        return;
    }
    m_locked = nullptr;
    FillQuadIndices(m_indices, m_capacity / 4);
    void* data = nullptr;
    const int indexBytes = m_capacity / 4 * 6 * 2;
    r = m_indexBuffer->Lock(0, indexBytes, &data, 0);
    if (PFailed(r))
    {
        LogD3DError(r, "Locking IndexBuffer");
        m_indexBuffer->Release();
        m_indexBuffer = nullptr;
        return;
    }
    std::memcpy(data, m_indices, static_cast<size_t>(indexBytes));
    r = m_indexBuffer->Unlock();
    if (PFailed(r))
    {
        LogD3DError(r, "Unlocking IndexBuffer");
        m_indexBuffer->Release();
        m_indexBuffer = nullptr;
        return;
    }
    m_staging.assign(static_cast<size_t>(m_capacity), PVertex());
}

void GVertexBuffer::AddVertices(const PVertex* vertices, int count)
{
    if (!vertices || count <= 0 || m_staging.empty())
        return;
    if (m_queued + count > m_capacity)
        Flush();
    const int n = std::min(count, m_capacity - m_queued);
    std::memcpy(&m_staging[static_cast<size_t>(m_queued)], vertices, static_cast<size_t>(n) * sizeof(PVertex));
    m_queued += n;
}

void GVertexBuffer::AddQuad(const PVertex* vertices)
{
    if (m_capacity - m_queued < 4)
        Flush();
    AddVertices(vertices, 4);
}

void GVertexBuffer::SetTexture(CLoadedTextureRef* handle)
{
    CLoadedTexture* loaded = handle ? handle->Get() : nullptr;
    bool same;
    if (!handle || !m_hasBatchTexture)
        same = !handle && !m_hasBatchTexture;
    else
        same = (loaded ? loaded->m_texture : nullptr) == (m_batchTexture ? m_batchTexture->m_texture : nullptr);
    if (m_queued > 0 && !same)
        Flush();
    m_hasBatchTexture = handle != nullptr;
    m_batchTexture = loaded;
}

void GVertexBuffer::Flush()
{
    if (m_queued <= 0)
        return;
    if (m_isLocked && m_vertexBuffer)
    {
        m_vertexBuffer->Unlock();
        m_isLocked = false;
        m_locked = nullptr;
    }
    if (m_hasBatchTexture && m_batchTexture)
        m_batchTexture->Bind();
    Render();
}

void GVertexBuffer::Render()
{
    if (m_queued <= 0)
        return;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (!device || !m_vertexBuffer || !m_indexBuffer)
    {
        LogD3DError(PRES_INVALIDCALL, "Error locking VB");
        m_queued = 0;
        return;
    }
    const int bytes = m_queued * static_cast<int>(sizeof(PVertex));
    PResult r;
    if (m_writeOffset + m_queued >= m_capacity)
    {
        r = m_vertexBuffer->Lock(0, bytes, &m_locked, PLOCK_DISCARD);
        m_drawStart = 0;
        m_writeOffset = m_queued;
    }
    else
    {
        r = m_vertexBuffer->Lock(m_writeOffset * static_cast<int>(sizeof(PVertex)), bytes, &m_locked,
                                 PLOCK_NOOVERWRITE);
        m_drawStart = m_writeOffset;
        m_writeOffset += m_queued;
    }
    if (PFailed(r) || !m_locked)
    {
        LogD3DError(r, "Error locking VB");
        m_locked = nullptr;
        m_queued = 0;
        return;
    }
    m_isLocked = true;
    std::memcpy(m_locked, m_staging.data(), static_cast<size_t>(bytes));
    r = m_vertexBuffer->Unlock();
    if (PFailed(r))
        LogD3DError(r, "Unlock VB");
    m_isLocked = false;
    m_locked = nullptr;

    const int primitives = m_queued / 2;
    if (primitives > 0)
    {
        r = device->SetStreamSource(0, m_vertexBuffer, 0, static_cast<int>(sizeof(PVertex)));
        if (PFailed(r))
            LogD3DError(r, "SetStreamSource()");
        r = device->SetIndices(m_indexBuffer);
        if (PFailed(r))
            LogD3DError(r, "SetIndices()");
        r = device->DrawIndexedPrimitive(PPrimitive::TriangleList, m_drawStart, 0, 2 * primitives, 0, primitives);
        if (PFailed(r))
            LogD3DError(r, "DrawIndexedPrimitive()");
    }
    m_queued = 0;
}

void GVertexBuffer::ReleaseBuffers()
{
    const bool had = m_vertexBuffer || m_indexBuffer || !m_staging.empty();
    if (m_vertexBuffer)
        m_vertexBuffer->Release();
    if (m_indexBuffer)
        m_indexBuffer->Release();
    if (std::vector<GVertexBuffer*>* list = FindVertexBufferList())
        list->erase(std::remove(list->begin(), list->end(), this), list->end());
    m_vertexBuffer = nullptr;
    m_indexBuffer = nullptr;
    m_staging.clear();
    m_staging.shrink_to_fit();
    m_queued = 0;
    m_writeOffset = 0;
    m_batchTexture = nullptr;
    m_hasBatchTexture = false;
    if (had)
        GDebugLog::Instance().Log("Vertex Buffer Released");
}

void DrawSpriteListBatched(std::list<CTexturedSprite*>& list)
{
    GVertexBuffer& batch = SharedVertexBatch();
    for (CTexturedSprite* sprite : list)
    {
        if (!sprite)
            continue;
        batch.SetTexture(&sprite->m_texture);
        batch.AddQuad(sprite->m_vertices);
    }
    list.clear();
    batch.Flush();
}
