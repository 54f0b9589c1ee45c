// Sprite positioning, visibility, clipping and drawing.
#include "engine/BaseSprite.h"

#include "engine/GD3DDevice.h"
#include "engine/GQuadBatchScope.h"
#include "engine/GScreenSize.h"
#include "engine/GVertexBuffer.h"

#include <algorithm>
#include <cmath>

namespace
{
struct SpriteAngleTables
{
    float cosine[360];
    float sine[360];
    SpriteAngleTables()
    {
        for (int i = 0; i < 360; ++i)
        {
            const float radians = static_cast<float>(i) * 3.14159265f / 180.0f;
            cosine[i] = std::cos(radians);
            sine[i] = std::sin(radians);
        }
    }
};

const SpriteAngleTables& SpriteTables()
{
    static const SpriteAngleTables tables;
    return tables;
}

void SpritePlace(PVertex* v, float x, float y, float hw, float hh, float c, float s)
{
    const float dx[4] = {-hw, hw, -hw, hw};
    const float dy[4] = {-hh, -hh, hh, hh};
    for (int i = 0; i < 4; ++i)
    {
        v[i].x = x + dx[i] * c - dy[i] * s;
        v[i].y = y + dx[i] * s + dy[i] * c;
    }
}
// No corner on the screen, but the quad may still reach across it.
bool SpansScreen(float left, float top, float right, float bottom, float w, float h)
{
    const bool spansHeight = top <= 0.0f && bottom >= h;
    const bool spansWidth = left <= 0.0f && right >= w;
    if (spansHeight && ((left >= 0.0f && left <= w) || (right >= 0.0f && right <= w) || spansWidth))
        return true;
    if (spansWidth && ((top >= 0.0f && top <= h) || (bottom >= 0.0f && bottom <= h)))
        return true;
    return false;
}
} // namespace

const float* const CosTable = SpriteTables().cosine;
const float* const SinTable = SpriteTables().sine;

BaseSprite::BaseSprite()
{
    const float u[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    const float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    for (int i = 0; i < 4; ++i)
        m_vertices[i] = {0.0f, 0.0f, 0.0f, 1.0f, 0xFFFFFFFFu, u[i], v[i]};
}

bool BaseSprite::IsInside(float x, float y)
{
    return m_vertices[0].x < x && x < m_vertices[1].x && m_vertices[0].y < y && y < m_vertices[2].y;
}

void BaseSprite::SetPosition(float x, float y)
{
    const float hw = m_width * 0.5f, hh = m_height * 0.5f;
    if (m_noRotation || m_angle == 0.0f)
    {
        SpritePlace(m_vertices, x, y, hw, hh, 1.0f, 0.0f);
        return;
    }
    const float radians = m_angle * 3.14159265f / 180.0f;
    SpritePlace(m_vertices, x, y, hw, hh, std::cos(radians), std::sin(radians));
}

void BaseSprite::SetPositionFast(float x, float y)
{
    const float hw = m_width * 0.5f, hh = m_height * 0.5f;
    if (m_noRotation || m_angle == 0.0f)
    {
        SpritePlace(m_vertices, x, y, hw, hh, 1.0f, 0.0f);
        return;
    }
    // Angles outside the table are wrapped into it rather than read past its end.
    int degree = static_cast<int>(m_angle) % 360;
    if (degree < 0)
        degree += 360;
    SpritePlace(m_vertices, x, y, hw, hh, CosTable[degree], SinTable[degree]);
}

void BaseSprite::SetColour(int r, int g, int b, int a)
{
    const uint32_t colour = static_cast<uint32_t>(a & 0xFF) << 24 | static_cast<uint32_t>(r & 0xFF) << 16 |
                            static_cast<uint32_t>(g & 0xFF) << 8 | static_cast<uint32_t>(b & 0xFF);
    for (PVertex& v : m_vertices)
        v.colour = colour;
}

bool BaseSprite::IsOnScreen() const
{
    const float w = static_cast<float>(GScreenSize::Width()), h = static_cast<float>(GScreenSize::Height());
    if (m_angle != 0.0f)
    {
        float minX = m_vertices[0].x, maxX = minX, minY = m_vertices[0].y, maxY = minY;
        for (const PVertex& v : m_vertices)
        {
            minX = std::min(minX, v.x);
            maxX = std::max(maxX, v.x);
            minY = std::min(minY, v.y);
            maxY = std::max(maxY, v.y);
        }
        const int l = std::max(static_cast<int>(minX), 0), r = std::min(static_cast<int>(maxX), GScreenSize::Width());
        const int t = std::max(static_cast<int>(minY), 0), b = std::min(static_cast<int>(maxY), GScreenSize::Height());
        return l < r && t < b;
    }
    for (const PVertex& v : m_vertices)
        if (v.x >= 0.0f && v.x <= w && v.y >= 0.0f && v.y <= h)
            return true;
    return SpansScreen(m_vertices[0].x, m_vertices[0].y, m_vertices[1].x, m_vertices[2].y, w, h);
}

bool BaseSprite::IsRectOnScreen(float left, float top, float right, float bottom)
{
    const float w = static_cast<float>(GScreenSize::Width()), h = static_cast<float>(GScreenSize::Height());
    const bool columnIn = (left >= 0.0f && left <= w) || (right >= 0.0f && right <= w);
    const bool rowIn = (top >= 0.0f && top <= h) || (bottom >= 0.0f && bottom <= h);
    if (columnIn && rowIn)
        return true;
    return SpansScreen(left, top, right, bottom, w, h);
}

void BaseSprite::DrawQuad()
{
    GQuadBatchScope::FlushCurrent();
    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
        device->DrawPrimitiveUP(PPrimitive::TriangleStrip, 2, m_vertices, sizeof(PVertex));
}

bool BaseSprite::Draw()
{
    if (!IsOnScreen())
        return false;
    if (!GD3DDevice::Instance().IsInScene())
        GD3DDevice::Instance().BeginFrame();
    DrawQuad();
    return true;
}

bool BaseSprite::DrawClipped(int left, int top, int right, int bottom)
{
    BaseSprite copy = *this;
    PVertex* v = copy.m_vertices;
    const float x0 = v[0].x, x1 = v[1].x, y0 = v[0].y, y2 = v[2].y;
    // A quad with no overlap would otherwise have its edges moved onto the rectangle and show
    // turned inside out outside it.
    if (x1 <= static_cast<float>(left) || x0 >= static_cast<float>(right) || y2 <= static_cast<float>(top) ||
        y0 >= static_cast<float>(bottom) || m_width == 0.0f || m_height == 0.0f)
        return false;
    const float du = v[1].u - v[0].u, dt = v[2].v - v[0].v;
    const float l = static_cast<float>(left), r = static_cast<float>(right);
    const float t = static_cast<float>(top), b = static_cast<float>(bottom);
    if (l > x0)
    {
        v[0].x = v[2].x = l;
        v[0].u += du * (l - x0) / m_width;
        v[2].u += du * (l - x0) / m_width;
    }
    if (x1 > r)
    {
        v[1].x = v[3].x = r;
        v[1].u -= du * (x1 - r) / m_width;
        v[3].u -= du * (x1 - r) / m_width;
    }
    if (t > y0)
    {
        v[0].y = v[1].y = t;
        v[0].v += dt * (t - y0) / m_height;
        v[1].v += dt * (t - y0) / m_height;
    }
    if (y2 > b)
    {
        v[2].y = v[3].y = b;
        v[2].v -= dt * (y2 - b) / m_height;
        v[3].v -= dt * (y2 - b) / m_height;
    }
    return copy.BaseSprite::Draw();
}

void BaseSprite::AddToBatch()
{
    SharedVertexBatch().AddQuad(m_vertices);
}
