// Floor batches by picture.
#include "gui/factory/floor/GUI_FloorTileManager.h"

#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/LargeQuadBuffer.h"

#include <algorithm>

GUI_FloorTileManager& GUI_FloorTileManager::Instance()
{
    return GLifetime::Get<GUI_FloorTileManager>();
}

void GUI_FloorTileManager::Load(const std::string& folder)
{
    if (m_loaded)
        return;
    m_loaded = true;
    GFileList files;
    files.Find(folder + "/*.dds");
    for (const std::string& path : files.GetFiles())
    {
        const size_t slash = path.find_last_of("/\\");
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (m_index.count(name))
            continue;
        m_batches.push_back(std::make_unique<FloorTileBatch>(name));
        m_batches.back()->SetNumber(static_cast<int>(m_batches.size()) - 1);
        m_index.emplace(name, m_batches.back().get());
    }
}

FloorTileBatch* GUI_FloorTileManager::FindBatch(const std::string& name)
{
    Load();
    auto it = m_index.find(name);
    return it == m_index.end() ? nullptr : it->second;
}

int GUI_FloorTileManager::Flush(FloorTileBatch& batch, float zoom, LargeQuadBuffer& quads)
{
    const size_t total = static_cast<size_t>(batch.GetQuadCount());
    // The parts in job order, read on as the buffer takes chunks of them.
    int part = 0;
    size_t offset = 0;
    const int draws = quads.DrawFilled(batch.GetTexture(), total, [&](PVertex* out, size_t first, size_t count) {
        (void)first;
        while (count > 0)
        {
            while (offset >= batch.PartSize(part))
            {
                ++part;
                offset = 0;
            }
            const FloorTileBatch::Tile* tile = batch.PartData(part) + offset;
            const size_t n = std::min(count, batch.PartSize(part) - offset);
            for (size_t i = 0; i < n; ++i, ++tile, out += 4)
            {
                float left = 0, top = 0, right = 0, bottom = 0;
                TileQuadCorners(tile->x, tile->y, zoom, left, top, right, bottom);
                out[0] = {left, top, 0.0f, 1.0f, tile->colour, 0.0f, 0.0f};
                out[1] = {right, top, 0.0f, 1.0f, tile->colour, 1.0f, 0.0f};
                out[2] = {left, bottom, 0.0f, 1.0f, tile->colour, 0.0f, 1.0f};
                out[3] = {right, bottom, 0.0f, 1.0f, tile->colour, 1.0f, 1.0f};
            }
            offset += n;
            count -= n;
        }
    });
    batch.ClearParts();
    return draws;
}

void GUI_FloorTileManager::Reset()
{
    m_batches.clear();
    m_index.clear();
    m_loaded = false;
}
