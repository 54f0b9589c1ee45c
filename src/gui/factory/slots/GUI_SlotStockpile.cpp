// Resource stockpile floors.
#include "gui/factory/slots/GUI_SlotStockpile.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/props/GUI_Prop.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/slots/SlotViewRoll.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

GUI_SlotStockpile::GUI_SlotStockpile(SIM_ResourceStockpile& stockpile) : m_stockpile(stockpile)
{
    ApplyAtlasToSprite(m_floor.m_sprite, "floor_metal_04.dds");
    const SIM_Prop* pallet = SIM_PropTypeManager::Instance().GetPropType("pallet");
    FV_ASSERT(pallet != nullptr);
    GUI_Tile* tile = GUI_Tile::ViewOf(stockpile.GetTile());
    // The pallets stay when the simulation takes a stored object from the same place.
    if (pallet && tile)
        tile->AddPallets(*pallet, true);
}

GUI_SlotStockpile::~GUI_SlotStockpile()
{
    if (m_roll)
        m_roll->Leave(*this);
}

void GUI_SlotStockpile::PrefetchView() const
{
    // The plate's corners are written: asked for with that in mind.
    const auto* bytes = reinterpret_cast<const char*>(this);
    for (size_t at = 0; at < sizeof(GUI_SlotStockpile); at += 64)
        __builtin_prefetch(bytes + at, 1);
}

void GUI_SlotStockpile::PrefetchTile() const
{
    __builtin_prefetch(m_stockpile.GetTile());
}

void GUI_SlotStockpile::Queue(const FactoryFrameView& view, IsometricDrawQueue& queue)
{
    const SIM_Tile* tile = m_stockpile.GetTile();
    if (!tile)
        return;
    CTexturedSprite& sprite = m_floor.m_sprite;
    sprite.m_width = view.zoom * 512.0f;
    sprite.m_height = view.zoom * 256.0f;
    sprite.SetPosition(view.ToScreenX(tile->m_worldX), view.ToScreenY(tile->m_worldY));
    if (!sprite.IsOnScreen())
        return;
    // Just under everything standing on the tile: 510 world units above its centre line.
    m_floor.m_depth = tile->m_worldY - 512.0f + 2.0f;
    queue.Append(&m_floor);
}
