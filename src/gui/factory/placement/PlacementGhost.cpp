// Ghost quads and tinted floors of the placement tools.
#include "gui/factory/placement/PlacementGhost.h"

#include "engine/CTexturedSprite.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/world/SIM_Tile.h"

#include <utility>

namespace PlacementGhost
{
void DrawTileQuad(const std::string& picture, const SIM_Tile& tile, const FactoryFrameView& view,
                  const GhostColour& colour, bool uMirror, bool vMirror)
{
    if (picture.empty())
        return;
    CTexturedSprite sprite;
    ApplyAtlasToSprite(sprite, picture);
    sprite.m_width = 512.0f * view.zoom;
    sprite.m_height = 256.0f * view.zoom;
    sprite.SetPosition(view.ToScreenX(tile.m_worldX), view.ToScreenY(tile.m_worldY));
    // Corners: top-left, top-right, bottom-left, bottom-right.
    PVertex* v = sprite.m_vertices;
    if (uMirror)
    {
        std::swap(v[0].u, v[1].u);
        std::swap(v[2].u, v[3].u);
    }
    if (vMirror)
    {
        std::swap(v[0].v, v[2].v);
        std::swap(v[1].v, v[3].v);
    }
    for (int i = 0; i < 4; ++i)
        v[i].colour = colour.Packed();
    sprite.Draw();
}

void DrawTintedFloor(const GUI_Tile& tile, const GhostColour& colour)
{
    if (!tile.IsOnScreen() || !tile.GetFloorTexture())
        return;
    CTexturedSprite sprite;
    sprite.m_texture.Set(tile.GetFloorTexture());
    tile.FloorQuad(sprite.m_vertices);
    for (PVertex& v : sprite.m_vertices)
        v.colour = colour.Packed();
    sprite.Draw();
}
} // namespace PlacementGhost
