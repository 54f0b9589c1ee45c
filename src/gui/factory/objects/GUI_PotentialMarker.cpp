// Import and export site markers.
#include "gui/factory/objects/GUI_PotentialMarker.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/floor/GUI_TileWall.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/SIM_Game.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

GUI_PotentialMarker::GUI_PotentialMarker(SIM_Tile* site, bool exportDoor)
{
    m_tiles.push_back(site);
    const SIM_Mission* mission = SIM_Game::Instance().GetMission();
    const SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    const SIM_BuildingZone* zone = site && mission ? mission->GetZoneAt(site->m_gridX, site->m_gridY) : nullptr;
    FV_ASSERT(zone != nullptr);
    if (!zone || !factory)
        return;
    // The door faces the outside: the last side in the order 1, 0, 3, 2 whose neighbour is off the
    // floor or outside every zone.
    for (int side : {1, 0, 3, 2})
    {
        const SIM_Tile* next = factory->GetNeighbourTile(site, side);
        if (!next || next->m_zoneState == SIM_Tile::ZONE_NONE)
            m_textureName = exportDoor ? zone->m_exportWalls[side] : zone->m_importWalls[side];
    }
    // A site with no side to the outside has no wall to put a door in, and no picture: a zone cut
    // back to the floor's edge can close in a site that stood on the zone's edge (the cut is in the
    // error log, and the data checker names such sites). Only a door picture the atlases lack is
    // a fault of the game's data.
    if (!m_textureName.empty())
    {
        ApplyAtlasToSprite(m_marker.m_sprite, m_textureName);
        m_entry = FindAtlasEntry(m_textureName);
        FV_ASSERT(m_entry != nullptr);
    }
    const SubTileOffset offset = GetSubTileOffset(0, 1);
    m_offsetX = offset.x;
    m_offsetY = offset.y;
    m_depth = static_cast<float>(std::max(site->m_gridX, site->m_gridY));
    UpdateTint();
}

void GUI_PotentialMarker::UpdateTint()
{
    const SIM_Tile* site = GetTile();
    const bool locked = site && site->m_zoneState == SIM_Tile::ZONE_LOCKED;
    for (PVertex& v : m_marker.m_sprite.m_vertices)
        v.colour = locked ? 0x40FFFFFFu : 0xFFFFFFFFu;
}

void GUI_PotentialMarker::Draw(const FactoryFrameView& view, IsometricDrawQueue& queue)
{
    const SIM_Tile* site = GetTile();
    if (!site || !m_entry)
        return;
    const float z = view.zoom;
    const float frame = 512.0f * z;
    CTexturedSprite& sprite = m_marker.m_sprite;
    sprite.m_width = frame;
    sprite.m_height = frame;
    const float x = view.ToScreenX(site->m_worldX) + m_offsetX * z;
    const float y = view.ToScreenY(site->m_worldY) + m_offsetY * z;
    sprite.SetPosition(x, y);
    if (!sprite.IsOnScreen())
        return;
    PlaceTrimmedFrame(sprite, m_entry, x, y, frame);
    m_marker.m_depth = m_depth;
    queue.Append(&m_marker);
}
