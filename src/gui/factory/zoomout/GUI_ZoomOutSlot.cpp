// A slot's far-zoom icon.
#include "gui/factory/zoomout/GUI_ZoomOutSlot.h"

#include "engine/GVertexBuffer.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/FloorSlotView.h"
#include "gui/factory/zoomout/GUI_ZoomOutIcons.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/world/SIM_Tile.h"

GUI_ZoomOutSlot::GUI_ZoomOutSlot(FloorSlotView* owner) : m_owner(owner)
{
    GUI_ZoomOutIcons::Instance().Add(this);
}

GUI_ZoomOutSlot::~GUI_ZoomOutSlot()
{
    GUI_ZoomOutIcons::Instance().Remove(this);
}

void GUI_ZoomOutSlot::PrefetchOwner() const
{
    if (!m_owner)
        return;
    __builtin_prefetch(&m_owner->GetTiles());
    __builtin_prefetch(m_tilePlaces.data());
}

void GUI_ZoomOutSlot::PrefetchMainTile() const
{
    if (m_owner)
        __builtin_prefetch(m_owner->GetMainTile());
}

void GUI_ZoomOutSlot::SetIcon(const std::string& name)
{
    ApplyAtlasToSprite(m_icon, name);
}

void GUI_ZoomOutSlot::SetColour(int r, int g, int b, int a)
{
    m_r = r;
    m_g = g;
    m_b = b;
    m_a = a;
}

void GUI_ZoomOutSlot::DrawTiles(const FactoryFrameView& view, float fade, std::vector<PVertex>& out)
{
    if (!m_owner)
        return;
    const float z = view.zoom;
    const uint32_t colour = static_cast<uint32_t>(static_cast<int>(fade * 225.0f)) << 24 |
                            static_cast<uint32_t>(m_r & 0xFF) << 16 | static_cast<uint32_t>(m_g & 0xFF) << 8 |
                            static_cast<uint32_t>(m_b & 0xFF);
    if (m_tilePlaces.size() != m_owner->GetTiles().size())
    {
        m_tilePlaces.clear();
        for (const GUI_Tile* tile : m_owner->GetTiles())
            if (const SIM_Tile* simTile = tile ? tile->GetSimTile() : nullptr)
                m_tilePlaces.emplace_back(simTile->m_worldX, simTile->m_worldY);
    }
    for (const auto& [worldX, worldY] : m_tilePlaces)
    {
        const float x = view.ToScreenX(worldX), y = view.ToScreenY(worldY);
        // A diamond wholly off screen adds nothing to the picture.
        if (x + 256.0f * z < 0.0f || x - 256.0f * z > view.screenWidth || y + 128.0f * z < 0.0f ||
            y - 128.0f * z > view.screenHeight)
            continue;
        const PVertex quad[4] = {
            {x, y - 128.0f * z, 0.0f, 1.0f, colour, 0.0f, 0.0f},
            {x + 256.0f * z, y, 0.0f, 1.0f, colour, 1.0f, 0.0f},
            {x - 256.0f * z, y, 0.0f, 1.0f, colour, 0.0f, 1.0f},
            {x, y + 128.0f * z, 0.0f, 1.0f, colour, 1.0f, 1.0f},
        };
        out.insert(out.end(), quad, quad + 4);
    }
}

bool GUI_ZoomOutSlot::PlaceIcon(const FactoryFrameView& view, float fade)
{
    const SIM_Tile* main = m_owner ? m_owner->GetMainTile() : nullptr;
    if (!main)
        return false;
    const int alpha = static_cast<int>(fade * 255.0f);
    m_icon.SetColour(255, 255, 255, alpha);
    m_icon.m_width = 256.0f * view.zoom;
    m_icon.m_height = 256.0f * view.zoom;
    m_icon.SetPosition(view.ToScreenX(main->m_worldX), view.ToScreenY(main->m_worldY));
    return m_icon.IsOnScreen();
}
