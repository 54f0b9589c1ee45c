// The floor tiles of one floor picture drawn this frame: the tile jobs write each visible tile's
// quad into their own part, the main thread sends all parts to the card in draws of at most
// LargeQuadBuffer::kQuadsPerDraw quads. One batch per file of data/bitmaps/floors.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

class CLoadedTexture;

class FloorTileBatch
{
public:
    // One part per tile job.
    static constexpr int kParts = 4;

    explicit FloorTileBatch(std::string name);

    const std::string& GetName() const { return m_name; }
    CLoadedTexture* GetTexture() const { return m_texture; }
    // Room for one more quad in job k's part (only job k writes it, during the frame's tile
    // jobs); the four corners go there.
    PVertex* Append(int k)
    {
        Part& part = m_parts[k];
        if (part.used + 4 > part.vertices.size())
            part.vertices.resize(std::max<size_t>(part.vertices.size() * 2, 4096));
        PVertex* at = &part.vertices[part.used];
        part.used += 4;
        return at;
    }
    // Job k's quads of this frame.
    const PVertex* PartData(int k) const { return m_parts[k].vertices.data(); }
    size_t PartSize(int k) const { return m_parts[k].used; }
    int GetQuadCount() const;
    // Empties every part for the next frame (the storage stays).
    void ClearParts();

private:
    // A line of its own per part: the jobs fill theirs at once, and parts sharing a line would
    // pass it from core to core on every tile.
    struct alignas(64) Part
    {
        std::vector<PVertex> vertices; // grown, never shrunk: no clearing per frame
        size_t used = 0;
    };
    std::string m_name;
    CLoadedTexture* m_texture = nullptr; // shared handle, never freed
    Part m_parts[kParts];
};
