// The floor tiles of one floor picture drawn this frame: the tile jobs note each visible tile in
// their own part, the main thread makes the quads from the notes as it sends all parts to the card
// in draws of at most LargeQuadBuffer::kQuadsPerDraw quads. One batch per file of
// data/bitmaps/floors.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CLoadedTexture;

class FloorTileBatch
{
public:
    // One part per tile job.
    static constexpr int kParts = 4;

    // A tile of the frame as its job leaves it: the centre on screen and the floor colour. Zoomed
    // far out the jobs note tens of thousands of tiles; a note is a tenth of the quad's corners,
    // which are made only once, straight into the card's buffer.
    struct Tile
    {
        float x, y;
        uint32_t colour;
    };

    explicit FloorTileBatch(std::string name);

    // Its place among the floor tile manager's batches.
    int GetNumber() const { return m_number; }
    void SetNumber(int number) { m_number = number; }
    CLoadedTexture* GetTexture() const { return m_texture; }
    // Notes one more tile in job k's part (only job k writes it, during the frame's tile jobs).
    void Add(int k, float x, float y, uint32_t colour)
    {
        Part& part = m_parts[k];
        if (part.used == part.tiles.size())
            part.tiles.resize(std::max<size_t>(part.tiles.size() * 2, 1024));
        part.tiles[part.used++] = Tile{x, y, colour};
    }
    // Job k's tiles of this frame.
    const Tile* PartData(int k) const { return m_parts[k].tiles.data(); }
    size_t PartSize(int k) const { return m_parts[k].used; }
    int GetQuadCount() const;
    // Empties every part for the next frame (the storage stays).
    void ClearParts();

private:
    // A line of its own per part: the jobs fill theirs at once, and parts sharing a line would
    // pass it from core to core on every tile.
    struct alignas(64) Part
    {
        std::vector<Tile> tiles; // grown, never shrunk: no clearing per frame
        size_t used = 0;
    };
    std::string m_name;
    CLoadedTexture* m_texture = nullptr; // shared handle, never freed
    int m_number = 0;
    Part m_parts[kParts];
};
