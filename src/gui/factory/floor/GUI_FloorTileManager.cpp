// Floor batches by picture.
#include "gui/factory/floor/GUI_FloorTileManager.h"

#include "engine/core/GFileList.h"
#include "gui/factory/scene/LargeQuadBuffer.h"

GUI_FloorTileManager& GUI_FloorTileManager::Instance()
{
    static GUI_FloorTileManager manager;
    return manager;
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
        m_index.emplace(name, m_batches.back().get());
    }
}

FloorTileBatch* GUI_FloorTileManager::FindBatch(const std::string& name)
{
    Load();
    auto it = m_index.find(name);
    return it == m_index.end() ? nullptr : it->second;
}

int GUI_FloorTileManager::Flush(FloorTileBatch& batch)
{
    std::vector<LargeQuadBuffer::Span> parts;
    for (int k = 0; k < FloorTileBatch::kParts; ++k)
        if (batch.PartSize(k) > 0)
            parts.push_back(LargeQuadBuffer::Span{batch.PartData(k), batch.PartSize(k)});
    const int draws = parts.empty() ? 0 : LargeQuadBuffer::Instance().Draw(batch.GetTexture(), parts);
    batch.ClearParts();
    return draws;
}

void GUI_FloorTileManager::Reset()
{
    m_batches.clear();
    m_index.clear();
    m_loaded = false;
}
