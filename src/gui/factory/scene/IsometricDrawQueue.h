// The one depth-sorted queue of the factory scene. During a frame the main thread appends the
// on-screen scene objects (walls, props, markers, stockpile floors, cars, sparks); the SORTOBJECTS
// job sorts them stably by depth on a worker; the main thread then draws them in one pass, sending
// each run of plain sprites that share a texture (and an effect, for painted car layers) to the
// card as one batch.
#pragma once

#include "gui/factory/scene/GUI_IsometricObject.h"
#include "gui/factory/scene/LargeQuadBuffer.h"
#include "gui/factory/scene/SceneTexturePages.h"
#include "platform/video/PGraphicsTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CLoadedTexture;
class GShaderEffect;
class GUI_IsometricSprite;

class IsometricDrawQueue
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static IsometricDrawQueue& Instance();

    // Main thread, never while the sort job runs. The object must outlive the frame and be final
    // when appended: its depth, and a sprite's corners and picture, are taken here.
    void Append(GUI_IsometricObject* object);
    // The SORTOBJECTS job: stable by depth, so equal depths keep their append order (tile array
    // order, then the order within each tile).
    void Sort();
    // Main thread, after the sort job was waited for: draws every object and empties the queue
    // (its storage stays for the next frame). The shared batch is flushed at the end.
    //
    // The picture is the one drawing the objects in order gives; but a sprite that overlaps
    // nothing drawn between it and an earlier sprite of its texture joins that sprite's batch, so
    // a crowded floor (stockpiles, conveyor arms, props of many pictures in depth order) goes to
    // the card in a few draws rather than one per change of picture. Overlap is judged on a grid
    // of cells, erring towards keeping the order; objects that draw themselves keep their place
    // among everything. Pictures with a copy on the scene's texture pages are drawn from it.
    // look: the effect the whole scene is drawn through (the conveyor view's), begun again after
    // each batch drawn through an effect of its own; null for none.
    void Flush(GShaderEffect* look = nullptr);
    // Forgets the queued objects without drawing them (a game torn down mid-frame).
    void Clear();
    // The side of the grid cells overlap is judged on, in pixels (4..64): about the size of the
    // smallest things on screen, so zoomed far out neighbours on the floor stay apart.
    void SetCellSize(int pixels);

    // A sprite made ready for the queue off the main thread: what Append takes of it.
    struct Staged;
    // Any thread (the tile jobs stage the conveyor arms of their tiles), while no scene page is
    // built: takes what Append would of a final sprite.
    static void Stage(GUI_IsometricSprite& sprite, std::vector<Staged>& out);
    static void Stage(GUI_IsometricSprite& sprite, Staged& out);
    // A depth as an unsigned key that orders like the float (negative depths first).
    static uint32_t SortKey(float depth);
    // Main thread: appends staged sprites in their order, as Append would have appended them.
    // The queue reads them where they lie: they must stay as they are until it is flushed or
    // cleared.
    void AppendStaged(const Staged* staged, size_t count);
    // The same for a run whose stager kept the keys apart and knows that all of its sprites (and
    // those of the other runs it staged) share one batch texture, or not (mixed): the staged
    // sprites themselves are not read until the queue is drawn.
    void AppendStagedRun(const Staged* staged, const uint32_t* keys, size_t count, const CLoadedTexture* onlyTexture,
                         bool mixed);

    // The copies of the scene's most used pictures the queue draws from, and the card-side buffer
    // of its long runs of quads, which the view's other long runs (floor batches, hanging
    // resources, far-zoom slot tiles) share.
    SceneTexturePages& Pages() { return m_pages; }
    LargeQuadBuffer& Quads() { return m_quads; }

    size_t GetCount() const { return m_entries.size(); }
    // The queued objects, in queue order (sorted once Sort ran).
    std::vector<GUI_IsometricObject*> GetObjects() const;
    // Batches sent by the last Flush: runs of one texture and objects that drew themselves.
    int GetLastFlushBatches() const { return m_lastBatches; }

    // What batching looks at, kept with the rest of an entry's first line so the pass over tens of
    // thousands of objects in depth order stays in the cache: the box on screen, the batch texture
    // (null for an object that draws itself) and the effect the batch is drawn through (null for
    // most).
    struct Box
    {
        float left, top, right, bottom;
        const CLoadedTexture* texture; // the picture, or its scene page
        GShaderEffect* effect;
    };
    struct Staged
    {
        GUI_IsometricObject* object;
        uint32_t key;
        bool selfDrawn;
        // The corners' positions are the box's (top-left, top-right, bottom-left, bottom-right)
        // and only the rest of each corner is in look: conveyor arms, thousands of them drawn from
        // a handful of shared corners.
        bool boxCorners;
        Box box;
        // The four corners as they are drawn, before any scene page (null for an object that draws
        // itself). They must stay as they are until the queue is flushed or cleared.
        const PVertex* look;
        const void* place; // the picture's SceneTexturePages place, or null
    };
    // The corners a staged sprite is drawn with, on its scene page when it has one.
    static void Corners(const Staged& staged, PVertex out[4]);

private:
    // The batches of one texture and effect, in increasing order, while batches are assigned.
    struct BatchKey
    {
        const CLoadedTexture* texture = nullptr;
        const GShaderEffect* effect = nullptr;
        std::vector<int> batches;
    };

    IsometricDrawQueue() = default;
    // What Append keeps of an object (the object's own thread for sprites; main thread for
    // objects that draw themselves); a SceneTexturePages look-up that may run on any thread.
    template <class FindPlace>
    static void Prepare(GUI_IsometricObject* object, Staged& out, const PVertex* corners, FindPlace&& findPlace);
    void Push(const Staged* staged);
    // Keeps the one-texture test up to date with an object about to be appended.
    void Note(const Staged& staged);
    // The corners of the queued quads first .. first + count - 1 in drawing order.
    void FillQuads(PVertex* out, size_t first, size_t count) const;
    // Room for an object appended on the main thread and a copy of its corners, kept in place
    // until the queue is emptied.
    Staged& NewOwnEntry(PVertex*& corners);
    // The batch each object joins (m_batchOf, by append index), and the number of batches.
    int AssignBatches();

    // Each queued object's staged form, by append index: the tile jobs' own (the conveyor arms,
    // tens of thousands zoomed far out, are never copied) or the queue's for objects appended here.
    std::vector<const Staged*> m_entries;
    std::vector<uint32_t> m_keys;  // sort keys, in step with m_order
    std::vector<uint32_t> m_order; // append indices, in drawing order once sorted
    // While everything appended so far is a sprite of one batch texture: that texture (the test
    // that lets a far-zoomed scene skip the overlap grid, kept as objects come in).
    const CLoadedTexture* m_onlyTexture = nullptr;
    bool m_mixed = false;
    // The staged forms of appended objects, in blocks that never move while they are used.
    static constexpr size_t kBlock = 4096;
    std::vector<std::unique_ptr<Staged[]>> m_ownBlocks;
    std::vector<std::unique_ptr<PVertex[]>> m_ownCorners; // four per entry, block by block
    size_t m_ownUsed = 0;
    // Storage kept between frames.
    std::vector<uint32_t> m_sortKeys;
    std::vector<uint32_t> m_sortOrder;
    std::vector<size_t> m_counts;
    int m_lastBatches = 0;
    std::vector<int> m_batchOf;
    std::vector<int> m_cells;
    std::vector<int> m_batchStart;
    std::vector<uint32_t> m_ordered;
    std::vector<BatchKey> m_batchKeys; // the first m_batchKeyCount are this flush's; kept for their storage
    size_t m_batchKeyCount = 0;
    int m_cellSize = 64;
    SceneTexturePages m_pages;
    LargeQuadBuffer m_quads;
};

// Sort order of the queue: a before b when a is farther from the viewer.
inline bool IsometricDepthLess(const GUI_IsometricObject* a, const GUI_IsometricObject* b)
{
    return a->GetDepth() < b->GetDepth();
}
