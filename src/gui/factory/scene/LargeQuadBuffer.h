// The card-side buffer for the view's long runs of quads of one picture: the floor batches, the
// resources hanging from the conveyors, the far-zoom slot tiles. One draw takes up to 10,000 quads
// (the shared batch stops at 2,000); the buffer is filled as a ring like the shared batch, so a
// draw never waits for the card to finish the one before. Main thread.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <algorithm>
#include <cstddef>
#include <vector>

class CLoadedTexture;
class PIndexBuffer;
class PVertexBuffer;

class LargeQuadBuffer
{
public:
    static constexpr int kQuadsPerDraw = 10000;

    LargeQuadBuffer() = default;
    ~LargeQuadBuffer();
    LargeQuadBuffer(const LargeQuadBuffer&) = delete;
    LargeQuadBuffer& operator=(const LargeQuadBuffer&) = delete;

    // A run of quad corners to draw.
    struct Span
    {
        const PVertex* vertices = nullptr;
        size_t count = 0;
    };
    // Draws the quads of the spans in order with the texture, in as few draws as the buffer allows
    // (a full draw goes out and filling goes on). Returns the number of draws.
    int Draw(CLoadedTexture* texture, const std::vector<Span>& parts);
    // The same for quads that are not lying in one place: fill(out, first, count) writes the
    // corners of quads first .. first + count - 1 straight into the card's buffer.
    template <class Fill>
    int DrawFilled(CLoadedTexture* texture, size_t quads, Fill&& fill)
    {
        if (quads == 0 || !Begin())
            return 0;
        int draws = 0;
        for (size_t first = 0; first < quads;)
        {
            const size_t count = std::min<size_t>(quads - first, kQuadsPerDraw);
            int start = 0;
            PVertex* out = LockChunk(static_cast<int>(count) * 4, start);
            if (!out)
                break;
            fill(out, first, count);
            DrawLocked(texture, start, static_cast<int>(count) * 4);
            first += count;
            ++draws;
        }
        return draws;
    }
    // Frees the card buffers (the device is going away); the next draw makes them again.
    void Release();

private:
    bool EnsureBuffers();
    // Makes the buffers and sends what waits in the shared batch (queued first, drawn first).
    bool Begin();
    // Room for a chunk of vertices in the ring (start: its first vertex), or null.
    PVertex* LockChunk(int vertices, int& start);
    // Unlocks the chunk and draws it with the texture.
    void DrawLocked(CLoadedTexture* texture, int start, int vertices);
    void DrawChunk(CLoadedTexture* texture, const std::vector<Span>& parts, size_t& part, size_t& offset, int vertices);

    PVertexBuffer* m_vertices = nullptr;
    PIndexBuffer* m_indices = nullptr;
    int m_writeOffset = 0;
};
