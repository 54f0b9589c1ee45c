// Car design pictures from the parts' sprite layers.
#include "gui/screens/cars/GUI_DesignPreview.h"

#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/vehicles/SIM_VehicleDesign.h"

#include <algorithm>
#include <cstdint>
#include <utility>

GUI_DesignPreview::GUI_DesignPreview(const SIM_VehicleDesign* design) : m_design(design)
{
    FV_ASSERT(design != nullptr);
    SetTakesMouse(false);
}

bool GUI_DesignPreview::FindLayerPicture(const SIM_ComponentLayer& layer, LayerPicture& out)
{
    if (layer.sprite.empty())
        return false;
    if (layer.inAtlas)
    {
        out.texture = layer.texture;
        out.centreX = layer.centreX;
        out.centreY = layer.centreY;
        out.width = layer.width;
        out.height = layer.height;
        std::copy(layer.texCoords, layer.texCoords + 4, out.texCoords);
        return true;
    }
    // Definitions loaded without a factory view never learnt where their pictures are.
    const SpriteAtlasEntry* entry = FindAtlasEntry(layer.sprite);
    if (!entry)
        return false;
    out.texture = entry->atlasTexture;
    out.centreX = (entry->xMin + entry->xMax) / 2.0f - 0.5f;
    out.centreY = (entry->yMin + entry->yMax) / 2.0f - 0.5f;
    out.width = entry->xMax - entry->xMin;
    out.height = entry->yMax - entry->yMin;
    out.texCoords[0] = entry->uMin;
    out.texCoords[1] = entry->vMin;
    out.texCoords[2] = entry->uMax;
    out.texCoords[3] = entry->vMax;
    return true;
}

void GUI_DesignPreview::Build(int r, int g, int b)
{
    m_sprites.clear();
    if (!m_design)
        return;
    constexpr int kFacing = SIM_VehicleComponentType::FACING_SE;
    float widest = 0.0f;
    for (const SIM_VehicleComponentType* type : m_design->m_componentTypes)
    {
        LayerPicture picture;
        if (type && FindLayerPicture(type->GetLayer(kFacing, 0), picture))
            widest = std::max(widest, picture.width);
    }
    // A design without pictured parts shows only its outline.
    if (widest <= 0.0f)
        return;
    const float s = static_cast<float>(m_width) / widest;
    // The car frame is twice as wide as it is high, and its units are fractions of each side.
    const float sy = s * 0.5f;
    const float cx = (static_cast<float>(m_left) + static_cast<float>(m_right)) * 0.5f;
    const float cy = (static_cast<float>(m_top) + static_cast<float>(m_bottom)) * 0.5f;
    const uint32_t paint = 0xFF000000u | (static_cast<uint32_t>(r) & 255u) << 16 |
                           (static_cast<uint32_t>(g) & 255u) << 8 | (static_cast<uint32_t>(b) & 255u);

    for (const SIM_VehicleComponentType* type : m_design->m_componentTypes)
    {
        if (!type)
            continue;
        for (int layerIndex = 0; layerIndex < 2; ++layerIndex)
        {
            const SIM_ComponentLayer& layer = type->GetLayer(kFacing, layerIndex);
            LayerPicture picture;
            if (!FindLayerPicture(layer, picture))
                continue;
            const bool mirrored = layer.flag;
            const float w = picture.width * s;
            const float h = picture.height * sy;
            const float x = (mirrored ? -picture.centreX : picture.centreX) * s + cx;
            const float y = picture.centreY * sy + cy;
            float u0 = picture.texCoords[0], u1 = picture.texCoords[2];
            if (mirrored)
                std::swap(u0, u1);
            const float v0 = picture.texCoords[1], v1 = picture.texCoords[3];
            const uint32_t colour = type->m_colourable[layerIndex] ? paint : 0xFFFFFFFFu;

            CTexturedSprite sprite;
            sprite.SetTexture(picture.texture);
            sprite.m_width = w;
            sprite.m_height = h;
            sprite.m_noRotation = true;
            const float xs[4] = {x - w / 2.0f, x + w / 2.0f, x - w / 2.0f, x + w / 2.0f};
            const float ys[4] = {y - h / 2.0f, y - h / 2.0f, y + h / 2.0f, y + h / 2.0f};
            const float us[4] = {u0, u1, u0, u1};
            const float vs[4] = {v0, v0, v1, v1};
            for (int i = 0; i < 4; ++i)
            {
                PVertex& v = sprite.m_vertices[i];
                v.x = xs[i];
                v.y = ys[i];
                v.z = 0.0f;
                v.rhw = 1.0f;
                v.colour = colour;
                v.u = us[i];
                v.v = vs[i];
            }
            m_sprites.push_back(std::move(sprite));
        }
    }
}

void GUI_DesignPreview::Draw()
{
    GD3DDevice::Instance().DrawRectLines(PRect{m_left, m_top, m_right, m_bottom}, 0xFF1B1B1Bu);
    for (CTexturedSprite& sprite : m_sprites)
        sprite.Draw();
}
