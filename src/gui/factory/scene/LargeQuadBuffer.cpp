// The view's large quad buffer.
#include "gui/factory/scene/LargeQuadBuffer.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GVertexBuffer.h"
#include "platform/video/PIndexBuffer.h"
#include "platform/video/PVertexBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
constexpr int kCapacity = LargeQuadBuffer::kQuadsPerDraw * 4;
// Indices are 16-bit: one draw must stay within 65536 vertices.
static_assert(kCapacity <= 65536);
} // namespace

LargeQuadBuffer::~LargeQuadBuffer()
{
    Release();
}

void LargeQuadBuffer::Release()
{
    if (m_vertices)
        m_vertices->Release();
    if (m_indices)
        m_indices->Release();
    m_vertices = nullptr;
    m_indices = nullptr;
    m_writeOffset = 0;
}

bool LargeQuadBuffer::EnsureBuffers()
{
    if (m_vertices && m_indices)
        return true;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (!device)
        return false;
    PResult r = device->CreateVertexBuffer(kCapacity * static_cast<int>(sizeof(PVertex)), true, &m_vertices);
    if (PFailed(r))
    {
        m_vertices = nullptr;
        LogD3DError(r, "Vertex Buffer creation failure");
        return false;
    }
    const int indexBytes = kCapacity / 4 * 6 * 2;
    r = device->CreateIndexBuffer(indexBytes, &m_indices);
    if (PFailed(r))
    {
        m_indices = nullptr;
        LogD3DError(r, "Index buffer creation failure");
        Release();
        return false;
    }
    void* data = nullptr;
    if (PFailed(m_indices->Lock(0, indexBytes, &data, 0)) || !data)
    {
        Release();
        return false;
    }
    FillQuadIndices(static_cast<uint16_t*>(data), kCapacity / 4);
    m_indices->Unlock();
    m_writeOffset = 0;
    return true;
}

PVertex* LargeQuadBuffer::LockChunk(int vertices, int& start)
{
    const int bytes = vertices * static_cast<int>(sizeof(PVertex));
    start = m_writeOffset;
    uint32_t flags = PLOCK_NOOVERWRITE;
    if (start + vertices > kCapacity)
    {
        start = 0;
        flags = PLOCK_DISCARD;
    }
    void* locked = nullptr;
    const PResult r = m_vertices->Lock(start * static_cast<int>(sizeof(PVertex)), bytes, &locked, flags);
    if (PFailed(r) || !locked)
    {
        LogD3DError(r, "Error locking VB");
        return nullptr;
    }
    return static_cast<PVertex*>(locked);
}

void LargeQuadBuffer::DrawLocked(CLoadedTexture* texture, int start, int vertices)
{
    m_vertices->Unlock();
    m_writeOffset = start + vertices;
    if (texture)
        texture->Bind();
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    device->SetStreamSource(0, m_vertices, 0, static_cast<int>(sizeof(PVertex)));
    device->SetIndices(m_indices);
    const int primitives = vertices / 2;
    device->DrawIndexedPrimitive(PPrimitive::TriangleList, start, 0, vertices, 0, primitives);
}

void LargeQuadBuffer::DrawChunk(CLoadedTexture* texture, const std::vector<Span>& parts, size_t& part, size_t& offset,
                                int vertices)
{
    int start = 0;
    PVertex* out = LockChunk(vertices, start);
    if (!out)
        return;
    int left = vertices;
    while (left > 0 && part < parts.size())
    {
        const Span& source = parts[part];
        const int n = std::min(left, static_cast<int>(source.count - offset));
        std::memcpy(out, source.vertices + offset, static_cast<size_t>(n) * sizeof(PVertex));
        out += n;
        left -= n;
        offset += static_cast<size_t>(n);
        if (offset >= source.count)
        {
            ++part;
            offset = 0;
        }
    }
    DrawLocked(texture, start, vertices);
}

bool LargeQuadBuffer::Begin()
{
    if (!EnsureBuffers())
        return false;
    // Quads waiting in the shared batch were queued first; they go first.
    SharedVertexBatch().Flush();
    return true;
}

int LargeQuadBuffer::Draw(CLoadedTexture* texture, const std::vector<Span>& parts)
{
    size_t total = 0;
    for (const Span& part : parts)
        total += part.count;
    if (total == 0 || !Begin())
        return 0;
    int draws = 0;
    size_t part = 0, offset = 0;
    while (total > 0)
    {
        const int vertices = static_cast<int>(std::min<size_t>(total, kCapacity));
        DrawChunk(texture, parts, part, offset, vertices);
        total -= static_cast<size_t>(vertices);
        ++draws;
    }
    return draws;
}
