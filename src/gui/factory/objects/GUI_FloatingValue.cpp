// The pool of rising values.
#include "gui/factory/objects/GUI_FloatingValue.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/SIM_Game.h"
#include "sim/money/SIM_FinanceManager.h"

#include <algorithm>
#include <cstdio>

namespace
{
// The rising values, held by the program's owner.
struct FloatingValuePool
{
    std::array<GUI_FloatingValue, GUI_FloatingValue::kPoolSize> values;
    int count = 0;
};

FloatingValuePool& ThePool()
{
    return GLifetime::Get<FloatingValuePool>();
}
} // namespace

GUI_FloatingValue& GUI_FloatingValue::Get(int index)
{
    return ThePool().values[static_cast<size_t>(index)];
}

int GUI_FloatingValue::GetCount()
{
    return ThePool().count;
}

int GUI_FloatingValue::GetActiveCount()
{
    int n = 0;
    for (const GUI_FloatingValue& value : ThePool().values)
        n += value.m_active ? 1 : 0;
    return n;
}

void GUI_FloatingValue::Spawn(const std::string& icon, float worldX, float worldY, float value)
{
    FloatingValuePool& pool = ThePool();
    for (int i = 0; i < kPoolSize; ++i)
    {
        GUI_FloatingValue& entry = pool.values[static_cast<size_t>(i)];
        if (entry.m_active)
            continue;
        entry.Activate(icon, worldX, worldY, value);
        pool.count = std::max(pool.count, i + 1);
        return;
    }
}

void GUI_FloatingValue::DrawAll()
{
    FloatingValuePool& pool = ThePool();
    for (int i = 0; i < pool.count; ++i)
        if (pool.values[static_cast<size_t>(i)].m_active)
            pool.values[static_cast<size_t>(i)].Draw();
}

void GUI_FloatingValue::ResetPool()
{
    FloatingValuePool& pool = ThePool();
    for (GUI_FloatingValue& value : pool.values)
        value.m_active = false;
    pool.count = 0;
}

void GUI_FloatingValue::ReleaseGraphics()
{
    for (GUI_FloatingValue& value : ThePool().values)
        value.m_icon.m_texture.Set(nullptr);
}

void GUI_FloatingValue::Activate(const std::string& icon, float worldX, float worldY, float value)
{
    m_age = 0.0f;
    m_icon.SetTexture(icon);
    if (icon == kCashIcon)
    {
        m_plainNumber = false;
        m_text = SIM_FinanceManager::FormatMoney(value);
        const float u[4] = {0.0f, 1.0f, 0.0f, 1.0f};
        const float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
        for (int i = 0; i < 4; ++i)
        {
            m_icon.m_vertices[i].u = u[i];
            m_icon.m_vertices[i].v = v[i];
        }
    }
    else
    {
        m_plainNumber = true;
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
        m_text = text;
    }
    m_worldX = worldX;
    m_worldY = worldY;
    m_active = true;
    GUI_Fonts::SelectSemibold16();
    m_textWidth = static_cast<float>(GFontManager::Instance().GetTextWidth(m_text));
}

void GUI_FloatingValue::Draw()
{
    m_age += 12.0f;
    m_worldY -= 5.0f * std::max(SIM_Game::Instance().GetSpeed(), 1.0f);
    const GUI_Camera& camera = GUI_Camera::Instance();
    const float zoom = camera.GetZoom();
    if (zoom < 0.25f)
        return;
    int alpha = 200;
    if (m_age > 3000.0f)
    {
        m_active = false;
        return;
    }
    if (m_age > 1980.0001f)
        alpha = static_cast<int>((1.0f - (m_age - 1980.0001f) / 1020.0f) * 200.0f);
    if (zoom < 0.375f)
        alpha = static_cast<int>(static_cast<float>(alpha) * std::clamp((zoom - 0.25f) * 8.0f, 0.0f, 1.0f));
    m_lastAlpha = alpha;
    const uint32_t top = static_cast<uint32_t>(alpha) << 24;
    for (PVertex& v : m_icon.m_vertices)
        v.colour = top | 0xFFFFFFu;

    const float width = m_textWidth + 50.0f, height = 30.0f;
    const float cx = camera.WorldToScreenX(m_worldX), cy = camera.WorldToScreenY(m_worldY);
    m_rect = PRect{static_cast<int>(cx - width * 0.5f), static_cast<int>(cy - height * 0.5f),
                   static_cast<int>(cx + width * 0.5f), static_cast<int>(cy + height * 0.5f)};
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(m_rect, top | 0x40CDDAu);
    device.DrawRectLines(m_rect, top | 0xFFFFFFu);

    m_icon.m_width = 30.0f;
    m_icon.m_height = 30.0f;
    // The middle is taken on the box's whole-pixel edges.
    const int middle = (m_rect.top + m_rect.bottom) / 2;
    m_icon.SetPosition(static_cast<float>(m_rect.left) + 20.0f, static_cast<float>(middle));
    if (m_plainNumber)
        RemapSpriteToAtlas(m_icon);
    m_icon.Draw();

    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    fonts.Print(m_text, top | 0xFFFFFFu, m_icon.m_vertices[1].x + 5.0f, static_cast<float>(m_rect.top + 5), 0.0f, 0);
    fonts.Flush();
}
