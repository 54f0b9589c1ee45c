// One mark of the resource overlay.
#include "gui/factory/objects/GUI_ResourceGraphEntry.h"

#include "engine/GScreenSize.h"
#include "gui/factory/objects/GUI_ResourceGraph.h"
#include "gui/factory/objects/GUI_ResourceObject.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/world/SIM_Tile.h"

#include <cmath>

namespace
{
void TintMarkerRed(CTexturedSprite& sprite)
{
    sprite.SetColour(255, 5, 5, 255);
}

bool AnyCornerOnScreen(const CTexturedSprite& sprite)
{
    const float w = static_cast<float>(GScreenSize::Width());
    const float h = static_cast<float>(GScreenSize::Height());
    for (const PVertex& v : sprite.m_vertices)
        if (v.x >= 0.0f && v.x < w && v.y >= 0.0f && v.y < h)
            return true;
    return false;
}
} // namespace

GUI_ResourceGraphEntry::GUI_ResourceGraphEntry(SIM_ResourceObject* item, SIM_Tile* slotTile)
    : m_item(item), m_slotTile(slotTile)
{
    SetTakesMouse(false);
    SetConsumesClicks(false);
    m_bubble.SetTexture("bubble.dds");
    m_horizontal.SetTexture("null_texture.dds");
    m_vertical.SetTexture("null_texture.dds");
    TintMarkerRed(m_bubble);
    TintMarkerRed(m_horizontal);
    TintMarkerRed(m_vertical);
}

void GUI_ResourceGraphEntry::Draw()
{
    // Between two rebuilds an item may arrive and its record go back to the pool; such a mark
    // waits for the next rebuild to take it away rather than follow whatever the record is now.
    if (!m_slotTile || !GUI_ResourceGraph::IsOnItsWay(m_item))
        return;
    auto* view = dynamic_cast<GUI_ResourceObject*>(m_item->m_view.get());
    if (!view)
        return;
    CTexturedSprite& picture = view->GetResource();
    float cx = 0.0f;
    float cy = 0.0f;
    for (const PVertex& v : picture.m_vertices)
    {
        cx += v.x * 0.25f;
        cy += v.y * 0.25f;
    }
    const GUI_Camera& camera = GUI_Camera::Instance();
    m_bubble.m_width = camera.GetZoom() * kBubbleSize;
    m_bubble.m_height = m_bubble.m_width;
    m_bubble.SetPosition(cx, cy);

    const float tx = camera.WorldToScreenX(m_slotTile->m_worldX);
    const float ty = camera.WorldToScreenY(m_slotTile->m_worldY);
    m_horizontal.m_width = std::fabs(tx - cx);
    m_horizontal.m_height = kBarWidth;
    m_horizontal.SetPosition((tx + cx) * 0.5f, cy);
    m_vertical.m_width = kBarWidth;
    m_vertical.m_height = std::fabs(ty - cy);
    m_vertical.SetPosition(tx, (ty + cy) * 0.5f);
    m_horizontal.Draw();
    m_vertical.Draw();

    if (AnyCornerOnScreen(m_bubble))
    {
        m_bubble.Draw();
        // The item sits on top of its bubble.
        picture.Draw();
    }
}
