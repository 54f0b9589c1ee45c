// The line-graph base window.
#include "gui/toolkit/charts/GUI_GraphBase.h"

#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"

#include <algorithm>
#include <cmath>

GUI_GraphBase::GUI_GraphBase()
{
    AllocPoints();
}

void GUI_GraphBase::AllocPoints()
{
    m_points.assign(static_cast<size_t>(kPointCapacity), PVertex{0.0f, 0.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 0.0f});
}

void GUI_GraphBase::DrawGrid(int left, int top, int right, int bottom, float spacing)
{
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(PRect{left, top, right, bottom}, 0xFFF3F3F3u);
    // Both loops step by the spacing: anything under a pixel would never move on.
    if (!(spacing >= 1.0f))
        spacing = 1.0f;
    const float l = static_cast<float>(left), r = static_cast<float>(right);
    const float t = static_cast<float>(top), b = static_cast<float>(bottom);
    float y = b;
    while (y > t)
    {
        device.DrawLine(l, y, r, y);
        y = std::trunc(y - spacing);
    }
    device.DrawLine(l, y, r, y);
    for (float x = l; x <= r; x = std::trunc(x + spacing))
        device.DrawLine(x, t, x, b);
}

void GUI_GraphBase::DrawValueLine(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, float value, float thickness)
{
    const float y = ValueY(value);
    DrawLineSprite(Argb(red, green, blue, alpha), static_cast<float>(m_left), y, static_cast<float>(m_right), y,
                   thickness);
}

void GUI_GraphBase::DrawValueCurve(std::span<const float> values, uint8_t red, uint8_t green, uint8_t blue,
                                   uint8_t alpha, float thickness)
{
    GVertexBuffer& batch = SharedVertexBatch();
    // Quads already queued keep their own texture; the curve's go untextured.
    batch.SetTexture(nullptr);
    GTextureManager::Instance().BindTexture(nullptr);
    const int count = static_cast<int>(values.size());
    if (count >= 2)
    {
        const uint32_t colour = Argb(red, green, blue, alpha);
        const float step = static_cast<float>(m_width) / static_cast<float>(count - 1);
        const float right = static_cast<float>(m_right);
        for (int i = 1; i < count; ++i)
            BatchLineSprite(colour, right - static_cast<float>(i - 1) * step,
                            ValueY(values[static_cast<size_t>(i - 1)]), right - static_cast<float>(i) * step,
                            ValueY(values[static_cast<size_t>(i)]), thickness);
    }
    batch.Flush();
}

void GUI_GraphBase::DrawValueBand(std::span<const float> seriesA, std::span<const float> seriesB, uint8_t red,
                                  uint8_t green, uint8_t blue, uint8_t alpha)
{
    FV_ASSERT(!m_points.empty());
    if (m_points.empty())
        return;
    // Only as many points as both series hold: the owners' histories may be shorter than a full
    // graph.
    const int n = std::min(
        {GetPointCapacity() / 2, kMaxBandPoints, static_cast<int>(seriesA.size()), static_cast<int>(seriesB.size())});
    GTextureManager::Instance().BindTexture(nullptr);
    if (n < 2)
        return;
    const uint32_t colour = Argb(red, green, blue, alpha);
    const float step = static_cast<float>(m_width) / static_cast<float>(n - 1);
    for (int i = 0; i < n; ++i)
    {
        const float x = static_cast<float>(m_left) + static_cast<float>(i) * step;
        const auto index = static_cast<size_t>(i);
        m_points[2 * index] = PVertex{x, ValueY(seriesA[index]), 0.0f, 1.0f, colour, 0.0f, 0.0f};
        m_points[2 * index + 1] = PVertex{x, ValueY(seriesB[index]), 0.0f, 1.0f, colour, 0.0f, 0.0f};
    }
    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
        device->DrawPrimitiveUP(PPrimitive::TriangleStrip, 2 * n - 2, m_points.data(), sizeof(PVertex));
}
