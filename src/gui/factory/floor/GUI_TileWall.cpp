// Back walls of the hall.
#include "gui/factory/floor/GUI_TileWall.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/SIM_Game.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

GUI_TileWall::GUI_TileWall(GUI_Tile* owner, int side) : m_owner(owner), m_side(side)
{
}

void GUI_TileWall::Build()
{
    const SIM_Tile* tile = m_owner ? m_owner->GetSimTile() : nullptr;
    const SIM_Mission* mission = SIM_Game::Instance().GetMission();
    const SIM_BuildingZone* zone = tile && mission ? mission->GetZoneAt(tile->m_gridX, tile->m_gridY) : nullptr;
    FV_ASSERT(zone != nullptr);
    if (!zone)
        return;
    const std::string name = zone->GetRandomWallTexture(m_side);
    ApplyAtlasToSprite(m_sprite.m_sprite, name);
    m_entry = FindAtlasEntry(name);
    FV_ASSERT(m_entry != nullptr);
    m_depth = static_cast<float>(std::max(tile->m_gridX, tile->m_gridY));
    if (tile->m_zoneState == SIM_Tile::ZONE_LOCKED)
        SetTint(true);
}

void GUI_TileWall::SetTint(bool locked)
{
    for (PVertex& v : m_sprite.m_sprite.m_vertices)
        v.colour = locked ? 0x40FFFFFFu : 0xFFFFFFFFu;
}

void PlaceTrimmedFrame(CTexturedSprite& sprite, const SpriteAtlasEntry* entry, float x, float y, float frame)
{
    sprite.m_width = frame;
    sprite.m_height = frame;
    if (!entry)
    {
        sprite.SetPosition(x, y);
        return;
    }
    const float left = x - frame * 0.5f, top = y - frame * 0.5f;
    const float w = frame * (entry->xMax - entry->xMin), h = frame * (entry->yMax - entry->yMin);
    sprite.m_width = w;
    sprite.m_height = h;
    sprite.SetPosition(left + entry->xMin * frame + w * 0.5f, top + entry->yMin * frame + h * 0.5f);
}

void GUI_TileWall::Queue(const FactoryFrameView& view, IsometricDrawQueue& queue)
{
    const SIM_Tile* tile = m_owner ? m_owner->GetSimTile() : nullptr;
    if (!tile || !m_entry)
        return;
    CTexturedSprite& sprite = m_sprite.m_sprite;
    // The wall's frame stands a quarter of a frame above the tile's centre.
    const float frame = 512.0f * view.zoom;
    PlaceTrimmedFrame(sprite, m_entry, view.ToScreenX(tile->m_worldX), view.ToScreenY(tile->m_worldY) - frame / 4.0f,
                      frame);
    SnapSpriteToPixels(sprite);
    if (!sprite.IsOnScreen())
        return;
    m_sprite.m_depth = m_depth;
    queue.Append(&m_sprite);
}
