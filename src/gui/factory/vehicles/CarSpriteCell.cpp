// One cell of the car sprite cache.
#include "gui/factory/vehicles/CarSpriteCell.h"

#include "gui/factory/vehicles/GUI_CarSpriteCache.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "sim/vehicles/SIM_VehicleComponent.h"

#include <algorithm>
#include <cstring>

CarSpriteCell::CarSpriteCell()
{
    m_sprite.m_noRotation = true;
}

bool CarSpriteCell::Draw(bool mirror, float x, float y)
{
    if (!Place(mirror, x, y, GUI_Camera::Instance().GetZoom(), m_sprite))
        return false;
    m_sprite.Draw();
    m_countdown = kLifeFrames;
    return true;
}

bool CarSpriteCell::Place(bool mirror, float x, float y, float zoom, BaseSprite& sprite) const
{
    const float u0 = static_cast<float>(m_gridX) / GUI_CarSpriteCache::kColumns;
    const float u1 = static_cast<float>(m_gridX + 1) / GUI_CarSpriteCache::kColumns;
    const float v0 = static_cast<float>(m_gridY) / GUI_CarSpriteCache::kRows;
    const float v1 = static_cast<float>(m_gridY + 1) / GUI_CarSpriteCache::kRows;
    const float left = mirror ? u1 : u0, right = mirror ? u0 : u1;
    const float us[4] = {left, right, left, right};
    const float vs[4] = {v0, v0, v1, v1};
    for (int i = 0; i < 4; ++i)
    {
        sprite.m_vertices[i].u = us[i];
        sprite.m_vertices[i].v = vs[i];
    }
    sprite.m_width = 400.0f * zoom;
    sprite.m_height = 400.0f * zoom;
    sprite.SetPosition(x, y);
    return sprite.IsOnScreen();
}

bool CarSpriteCell::ContainsAll(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components) const
{
    for (const auto& component : components)
        if (std::find(m_componentIds.begin(), m_componentIds.end(), component->GetType()) == m_componentIds.end())
            return false;
    return true;
}

bool CarSpriteCell::Matches(const std::vector<std::unique_ptr<SIM_VehicleComponent>>& components, int view,
                            const int colour[4]) const
{
    return m_view == view && m_componentIds.size() == components.size() &&
           std::memcmp(m_colour, colour, sizeof(m_colour)) == 0 && ContainsAll(components);
}
