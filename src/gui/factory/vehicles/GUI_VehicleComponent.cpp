// A car part's layer sprites.
#include "gui/factory/vehicles/GUI_VehicleComponent.h"

#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"

#include <utility>

GUI_VehicleComponent::GUI_VehicleComponent(SIM_VehicleComponent* component) : m_component(component)
{
    const SIM_VehicleComponentType* type = component ? component->GetType() : nullptr;
    for (int layer = 0; layer < 2; ++layer)
        for (int facing = 0; facing < 4; ++facing)
        {
            GUI_ComponentSprite& sprite = m_sprites[facing][layer];
            sprite.m_sprite.m_noRotation = true;
            if (!type)
                continue;
            const SIM_ComponentLayer& record = type->GetLayer(facing, layer);
            if (record.sprite.empty())
                continue; // a part without a second layer
            // A layer the atlas does not know is left out rather than drawn from nothing.
            FV_ASSERT(record.inAtlas);
            if (!record.inAtlas)
                continue;
            m_present[facing][layer] = true;
            sprite.SetTexture(record.texture);
            float uLeft = record.texCoords[0], uRight = record.texCoords[2];
            if (record.flag)
                std::swap(uLeft, uRight);
            const float us[4] = {uLeft, uRight, uLeft, uRight};
            const float vs[4] = {record.texCoords[1], record.texCoords[1], record.texCoords[3], record.texCoords[3]};
            for (int i = 0; i < 4; ++i)
            {
                sprite.m_sprite.m_vertices[i].u = us[i];
                sprite.m_sprite.m_vertices[i].v = vs[i];
            }
        }
}

void GUI_VehicleComponent::SetColor(int r, int g, int b, int a)
{
    SetColour(a, r, g, b);
}

void GUI_VehicleComponent::SetColour(int a, int r, int g, int b)
{
    m_colour = (static_cast<uint32_t>(a & 0xFF) << 24) | (static_cast<uint32_t>(r & 0xFF) << 16) |
               (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF);
    const SIM_VehicleComponentType* type = m_component ? m_component->GetType() : nullptr;
    if (!type)
        return;
    for (int layer = 0; layer < 2; ++layer)
    {
        if (!type->m_colourable[layer])
            continue;
        for (auto& facing : m_sprites)
        {
            for (PVertex& corner : facing[layer].m_sprite.m_vertices)
                corner.colour = m_colour;
            facing[layer].m_overlay = true;
        }
    }
}

void GUI_VehicleComponent::PreDraw(const FactoryFrameView& view)
{
    for (int facing = 0; facing < 4; ++facing)
    {
        PlaceFacing(view, facing);
        // Drawn within their car, never sorted among the scene by themselves.
        for (GUI_ComponentSprite& sprite : m_sprites[facing])
            sprite.m_depth = 99999.0f;
    }
}

void GUI_VehicleComponent::PlaceFacing(const FactoryFrameView& view, int facing)
{
    const SIM_VehicleComponentType* type = m_component ? m_component->GetType() : nullptr;
    const SIM_Vehicle* car = m_component ? m_component->GetVehicle() : nullptr;
    if (!type || !car)
        return;
    const float z = view.zoom;
    const float vx = view.ToScreenX(car->GetX()), vy = view.ToScreenY(car->GetY());
    for (int layer = 0; layer < 2; ++layer)
    {
        if (!m_present[facing][layer])
            continue;
        const SIM_ComponentLayer& record = type->GetLayer(facing, layer);
        GUI_ComponentSprite& sprite = m_sprites[facing][layer];
        sprite.m_sprite.m_width = record.width * z * 400.0f;
        sprite.m_sprite.m_height = record.height * z * 200.0f;
        const float offsetX = record.centreX * 400.0f * z;
        sprite.m_sprite.SetPosition(vx + (record.flag ? -offsetX : offsetX), vy + record.centreY * 200.0f * z);
    }
}

void GUI_VehicleComponent::Queue(IsometricDrawQueue& queue, const FactoryFrameView& view, float depth,
                                 GShaderEffect* paint)
{
    const SIM_Vehicle* car = m_component ? m_component->GetVehicle() : nullptr;
    if (!car)
        return;
    const int facing = car->GetFacing() & 3;
    PlaceFacing(view, facing);
    for (int layer = 0; layer < 2; ++layer)
    {
        if (!m_present[facing][layer])
            continue;
        GUI_ComponentSprite& sprite = m_sprites[facing][layer];
        sprite.m_depth = depth;
        sprite.m_effect = sprite.m_overlay ? paint : nullptr;
        queue.Append(&sprite);
    }
}

bool GUI_VehicleComponent::IsPainted() const
{
    const SIM_Vehicle* car = m_component ? m_component->GetVehicle() : nullptr;
    if (!car)
        return false;
    const int facing = car->GetFacing() & 3;
    for (int layer = 0; layer < 2; ++layer)
        if (m_present[facing][layer] && m_sprites[facing][layer].m_overlay)
            return true;
    return false;
}

void GUI_VehicleComponent::Draw()
{
    const SIM_Vehicle* car = m_component ? m_component->GetVehicle() : nullptr;
    if (!car)
        return;
    const int facing = car->GetFacing() & 3;
    GVertexBuffer& batch = SharedVertexBatch();
    for (int layer = 0; layer < 2; ++layer)
    {
        if (!m_present[facing][layer])
            continue;
        GUI_ComponentSprite& sprite = m_sprites[facing][layer];
        if (sprite.m_overlay)
        {
            // The paint needs its effect, which the shared batch cannot carry: what is queued so
            // far goes first so the layers keep their order.
            batch.Flush();
            sprite.Draw();
            continue;
        }
        batch.SetTexture(&sprite.m_sprite.m_texture);
        sprite.m_sprite.AddToBatch();
    }
}
