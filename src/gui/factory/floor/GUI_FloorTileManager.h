// The floor batches: one per picture in data/bitmaps/floors, made on first use and kept until
// exit. A floor tile whose picture has a batch is drawn through it; any other picture goes through
// the view's texture-sorted sprite list instead. Main thread (the tile jobs write into the batches'
// own parts).
#pragma once

#include "gui/factory/floor/FloorTileBatch.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class LargeQuadBuffer;

class GUI_FloorTileManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr const char* kDefaultFolder = "data/bitmaps/floors";

    static GUI_FloorTileManager& Instance();
    virtual ~GUI_FloorTileManager() = default;

    // One batch per "*.dds" of the folder, in listing order; does nothing once loaded.
    void Load(const std::string& folder = kDefaultFolder);
    // The batch of exactly that picture name (case-sensitive), or null.
    FloorTileBatch* FindBatch(const std::string& name);
    // Draws the batch's tiles of the frame, each a quad of 512 x 256 times the zoom with the whole
    // picture, and empties it. Returns the draws it took.
    int Flush(FloorTileBatch& batch, float zoom, LargeQuadBuffer& quads);
    // Every batch, in load order.
    const std::vector<std::unique_ptr<FloorTileBatch>>& GetBatches() const { return m_batches; }
    // Forgets every batch (tests, and a texture store that was emptied); the next use loads again.
    void Reset();

private:
    GUI_FloorTileManager() = default;

    std::vector<std::unique_ptr<FloorTileBatch>> m_batches;
    // Name to batch: a large floor asks once per tile when a game starts.
    std::unordered_map<std::string, FloorTileBatch*> m_index;
    bool m_loaded = false;
};
