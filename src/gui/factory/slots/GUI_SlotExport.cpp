// Export stockpile floors.
#include "gui/factory/slots/GUI_SlotExport.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/slots/SlotViewRoll.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

GUI_SlotExport::GUI_SlotExport(SIM_ComponentStockpile& stockpile) : m_stockpile(stockpile)
{
    m_floor.SetTexture("export_tile.dds");
    const SIM_Prop* pallet = SIM_PropTypeManager::Instance().GetPropType("pallet3");
    FV_ASSERT(pallet != nullptr);
    GUI_Tile* tile = GUI_Tile::ViewOf(stockpile.GetTile());
    if (pallet && tile)
        tile->AddPallets(*pallet, false);
}

GUI_SlotExport::~GUI_SlotExport()
{
    if (m_roll)
        m_roll->Leave(*this);
}

bool GUI_SlotExport::Place(float cameraX, float cameraY, float zoom, float screenWidth, float screenHeight)
{
    const SIM_Tile* tile = m_stockpile.GetTile();
    if (!tile)
        return false;
    m_floor.m_width = zoom * 512.0f;
    m_floor.m_height = zoom * 256.0f;
    m_floor.SetPosition((tile->m_worldX - cameraX) * zoom + screenWidth * 0.5f,
                        (tile->m_worldY - cameraY) * zoom + screenHeight * 0.5f);
    return m_floor.IsOnScreen();
}
