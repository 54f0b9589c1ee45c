// Flip-book effects.
#include "gui/toolkit/effects/GUI_FlipbookParticles.h"

#include "engine/GD3DDevice.h"
#include "engine/GVertexBuffer.h"

#include <algorithm>

GUI_FlipbookParticles::GUI_FlipbookParticles(int frameCount, const std::string& textureName, float duration)
    : m_frameCount(std::clamp(frameCount, 0, kMaxFrames)), m_duration(duration)
{
    m_sprite.SetTexture(textureName);
}

void GUI_FlipbookParticles::Play(float worldX, float worldY, float gameTime)
{
    m_x = worldX;
    m_y = worldY;
    m_playing = true;
    m_startTime = gameTime;
}

int GUI_FlipbookParticles::FrameAt(float elapsed) const
{
    if (m_duration <= 0.0f || m_frameCount <= 0)
        return 0;
    return std::clamp(static_cast<int>(elapsed / m_duration * static_cast<float>(m_frameCount)), 0, m_frameCount - 1);
}

void GUI_FlipbookParticles::Draw(float gameTime, const ParticleView& view)
{
    if (!m_playing)
        return;
    const float elapsed = gameTime - m_startTime;
    if (elapsed >= m_duration)
    {
        m_playing = false;
        return;
    }
    const int frame = FrameAt(elapsed);
    const int column = frame / 8, row = frame % 8;
    const float u0 = static_cast<float>(column) * 0.125f, v0 = static_cast<float>(row) * 0.125f;
    const float us[4] = {u0, u0 + 0.125f, u0, u0 + 0.125f};
    const float vs[4] = {v0, v0, v0 + 0.125f, v0 + 0.125f};
    for (int i = 0; i < 4; ++i)
    {
        m_sprite.m_vertices[i].u = us[i];
        m_sprite.m_vertices[i].v = vs[i];
    }
    m_sprite.m_width = m_sprite.m_height = view.zoom * 256.0f;
    m_sprite.SetPosition(view.ToScreenX(m_x), view.ToScreenY(m_y));
    // Quads queued by others must not be drawn additively.
    SharedVertexBatch().Flush();
    GD3DDevice& device = GD3DDevice::Instance();
    device.SetBlendMode(1);
    m_sprite.Draw();
    device.SetBlendMode(0);
}
