// One floor picture's tiles of the frame.
#include "gui/factory/floor/FloorTileBatch.h"

#include "engine/CLoadedTexture.h"

#include <utility>

FloorTileBatch::FloorTileBatch(std::string name) : m_name(std::move(name))
{
    m_texture = CLoadedTexture::FindOrLoad(m_name);
}

int FloorTileBatch::GetQuadCount() const
{
    size_t tiles = 0;
    for (const auto& part : m_parts)
        tiles += part.used;
    return static_cast<int>(tiles);
}

void FloorTileBatch::ClearParts()
{
    // The storage stays: the next frame fills about as much again.
    for (auto& part : m_parts)
        part.used = 0;
}
