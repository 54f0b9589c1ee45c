// Placing, positioning and queueing props.
#include "gui/factory/props/GUI_Prop.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/scene/TileUnderfoot.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <utility>

namespace
{
// Read by the jobs, written by the main thread between frames. Double: it grows all game long.
double g_dropClock = 0.0;

float OwnerWorldY(const TileUnderfoot* owner)
{
    return owner && owner->GetSimTile() ? owner->GetSimTile()->m_worldY : 0.0f;
}
} // namespace

GUI_Prop::GUI_Prop(const PropPlacement& placement, const TileUnderfoot* owner, int slotFacing)
    : m_owner(owner), m_placement(placement)
{
    PlaceOnTile(slotFacing);
}

GUI_Prop::GUI_Prop(const TileUnderfoot* owner, bool mirrored, const std::string& texture, float height, float width,
                   float offsetX, float offsetY)
    : m_height(height), m_width(width), m_offsetX(offsetX), m_offsetY(offsetY), m_owner(owner)
{
    SetTexture(texture);
    m_sprite.m_depth = OwnerWorldY(owner) + offsetY;
    if (mirrored)
    {
        m_mirrored = true;
        MirrorTexture();
    }
}

GUI_Prop::~GUI_Prop() = default;

void GUI_Prop::PlaceOnTile(int slotFacing)
{
    const SIM_Prop* type = m_placement.type;
    FV_ASSERT(type != nullptr);
    if (!type)
        return;
    m_mirrored = false;
    const int subTile = m_placement.subTile;
    SubTileOffset offset = GetSubTileOffset(subTile, 1);
    int facing = m_placement.facingOffset + slotFacing;
    if (facing >= 4)
        facing -= 4;
    facing &= 3;
    m_kind = (type->m_kind == KIND_ANIMATED || type->m_kind == KIND_SIMPLE_ANIMATED) ? static_cast<Kind>(type->m_kind)
                                                                                     : KIND_PLAIN;
    m_footprint = type->m_footprint;
    m_placementMode = type->m_placementMode;
    if (slotFacing != 1)
    {
        offset = GetSubTileOffset(subTile, slotFacing);
        if (m_footprint > 1)
        {
            // Large machines stand on the middle of the tile whatever the turn: a turned corner
            // place would push them over the tile's edge.
            const int turned = m_footprint >= 4 ? 15 : RotateInnerSubTileIndex(subTile, slotFacing);
            if (turned >= 0)
                offset = GetSubTileOffset(turned, 1);
        }
    }
    m_offsetX = offset.x;
    m_offsetY = offset.y;
    m_height = m_baseHeight = type->m_height;
    m_width = m_baseWidth = type->m_width;
    SetTexture(type->GetTextureName(facing));
    m_sprite.m_depth = OwnerWorldY(m_owner) + m_offsetY + type->m_depthBias;
    if (type->m_spriteFlags[facing] != 0)
    {
        m_mirrored = true;
        MirrorTexture();
    }
    m_facing = facing;
}

void GUI_Prop::MirrorTexture()
{
    PVertex* v = m_sprite.m_sprite.m_vertices;
    std::swap(v[0].u, v[1].u);
    std::swap(v[2].u, v[3].u);
}

void GUI_Prop::SetTexture(const std::string& name)
{
    CTexturedSprite& sprite = m_sprite.m_sprite;
    const SpriteAtlasEntry* entry = FindAtlasEntry(name);
    if (!entry)
    {
        // A plain picture covers the whole texture; an atlas image before it may have left its
        // corners elsewhere.
        const float u[4] = {0.0f, 1.0f, 0.0f, 1.0f};
        const float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
        for (int i = 0; i < 4; ++i)
        {
            sprite.m_vertices[i].u = u[i];
            sprite.m_vertices[i].v = v[i];
        }
    }
    ApplyAtlasToSprite(sprite, name);
    m_atlasEntry = entry;
    m_trimWidth = entry ? entry->xMax - entry->xMin : 1.0f;
    m_trimHeight = entry ? entry->yMax - entry->yMin : 1.0f;
}

void GUI_Prop::SetDropTimer(float pixels)
{
    m_dropEnd = g_dropClock + static_cast<double>(pixels);
}

float GUI_Prop::GetDropTimer() const
{
    return std::max(0.0f, static_cast<float>(m_dropEnd - g_dropClock));
}

void GUI_Prop::AdvanceDropClock(float frameFactor)
{
    g_dropClock += 5.0 * static_cast<double>(frameFactor);
}

void GUI_Prop::ResetDropClock()
{
    g_dropClock = 0.0;
}

void GUI_Prop::PlaceSprite(const FactoryFrameView& view)
{
    const SIM_Tile* tile = m_owner ? m_owner->GetSimTile() : nullptr;
    if (tile)
        PlaceSpriteAt(view.zoom, view.ToScreenX(tile->m_worldX), view.ToScreenY(tile->m_worldY));
}

void GUI_Prop::PreDrawAt(const FactoryFrameView& view, float tileX, float tileY)
{
    PlaceSpriteAt(view.zoom, tileX, tileY);
    ApplyTrim();
}

void GUI_Prop::PlaceSpriteAt(float zoom, float tileX, float tileY)
{
    const float z = zoom;
    const float x = tileX + m_offsetX * z;
    float y = tileY + m_offsetY * z;
    const float lift = GetDropTimer();
    if (lift > 0.0f && z > 0.0f)
        y -= lift / z;
    CTexturedSprite& sprite = m_sprite.m_sprite;
    sprite.m_height = m_height * z;
    sprite.m_width = m_width * z;
    if (m_placementMode >= 2)
        y += 64.0f * z - sprite.m_height * 0.5f;
    sprite.SetPosition(x, y);
}

void GUI_Prop::ApplyTrim()
{
    if (!m_atlasEntry)
        return;
    CTexturedSprite& sprite = m_sprite.m_sprite;
    float minX = 99999.0f, minY = 99999.0f;
    if (sprite.m_angle == 0.0f)
    {
        minX = sprite.m_vertices[0].x;
        minY = sprite.m_vertices[0].y;
    }
    else
    {
        for (const PVertex& v : sprite.m_vertices)
        {
            minX = std::min(minX, v.x);
            minY = std::min(minY, v.y);
        }
    }
    const float fullW = sprite.m_width, fullH = sprite.m_height;
    const float w = fullW * m_trimWidth, h = fullH * m_trimHeight;
    sprite.m_width = w;
    sprite.m_height = h;
    sprite.SetPosition(m_atlasEntry->xMin * fullW + minX + w * 0.5f, m_atlasEntry->yMin * fullH + minY + h * 0.5f);
}

void GUI_Prop::PreDraw(const FactoryFrameView& view)
{
    PlaceSprite(view);
    ApplyTrim();
}

void GUI_Prop::PlaceIfAsked()
{
    if (!m_placeAsked)
        return;
    m_placeAsked = false;
    PlaceSprite(m_placeView);
    if (m_placeTrim)
        ApplyTrim();
}

void GUI_Prop::QueueDraw(IsometricDrawQueue& queue)
{
    PlaceIfAsked();
    if (!m_sprite.m_sprite.IsOnScreen())
        return;
    SnapSpriteToPixels(m_sprite.m_sprite);
    queue.Append(&m_sprite);
}

void GUI_Prop::StageDraw(std::vector<IsometricDrawQueue::Staged>& out)
{
    PlaceIfAsked();
    if (!m_sprite.m_sprite.IsOnScreen())
        return;
    SnapSpriteToPixels(m_sprite.m_sprite);
    IsometricDrawQueue::Stage(m_sprite, out);
}

void GUI_Prop::DrawNow(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    PlaceIfAsked();
    CTexturedSprite& sprite = m_sprite.m_sprite;
    if (!sprite.IsOnScreen())
        return;
    const uint32_t before = sprite.m_vertices[0].colour;
    const uint32_t colour = static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 |
                            static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
    for (PVertex& v : sprite.m_vertices)
        v.colour = colour;
    SnapSpriteToPixels(sprite);
    sprite.Draw();
    for (PVertex& v : sprite.m_vertices)
        v.colour = before;
}
