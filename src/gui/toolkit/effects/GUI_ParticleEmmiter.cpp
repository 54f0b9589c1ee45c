// Particle emitters: spawning, the per-frame step and drawing, and the two emitter lists.
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"

#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GRandom.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "platform/core/PClock.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kParticleDegrees = 3.14159265f / 180.0f;
} // namespace

float ParticleView::ToScreenX(float worldX) const
{
    return (worldX - cameraX) * zoom + static_cast<float>(GScreenSize::Width()) * 0.5f;
}

float ParticleView::ToScreenY(float worldY) const
{
    return (worldY - cameraY) * zoom + static_cast<float>(GScreenSize::Height()) * 0.5f;
}

float GUI_ParticleEmmiter::Now()
{
    // Kept small: a float of the raw clock loses milliseconds after a few hours of uptime.
    static const uint32_t start = PClock::TimeGetTime();
    return static_cast<float>(PClock::TimeGetTime() - start);
}

GUI_ParticleEmmiter::GUI_ParticleEmmiter(float x, float y) : GUI_ParticleEmmiter(FindPlaceSlotConfig(), x, y)
{
}

GUI_ParticleEmmiter::GUI_ParticleEmmiter(GUI_ParticleConfig* config, float x, float y) : m_config(config)
{
    FV_ASSERT(config != nullptr);
    for (size_t i = 0; i < m_particles.size(); ++i)
    {
        m_particles[i].owner = this;
        m_particles[i].vertices = &m_vertices[i * 4];
    }
    if (m_config)
        m_blendType = m_config->m_blendType;
    Restart(x, y);
}

void GUI_ParticleEmmiter::ClearParticles()
{
    for (GUI_Particle& p : m_particles)
        p.alive = false;
    m_liveCount = 0;
}

void GUI_ParticleEmmiter::Restart(float x, float y)
{
    ClearParticles();
    m_x = x;
    m_y = y;
    m_startTime = Now();
    m_active = m_config != nullptr;
    SpawnInitialParticles();
    m_lastSpawn = m_startTime;
}

void GUI_ParticleEmmiter::SpawnInitialParticles()
{
    if (!m_config)
        return;
    const int n = std::clamp(m_config->m_initialParticles, 0, kMaxParticles);
    for (int i = 0; i < n; ++i)
        Spawn(m_particles[static_cast<size_t>(i)]);
}

void GUI_ParticleEmmiter::Spawn(GUI_Particle& particle)
{
    const GUI_ParticleConfig& c = *m_config;
    const float x = m_x - c.m_xScatter + GRandom::NextFloat() * 2.0f * c.m_xScatter;
    const float y = m_y - c.m_yScatter + GRandom::NextFloat() * 2.0f * c.m_yScatter;
    const float size = c.m_minSize + GRandom::NextFloat() * (c.m_maxSize - c.m_minSize);
    static const float kU[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    static const float kV[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    for (int i = 0; i < 4; ++i)
        particle.vertices[i] = {0.0f, 0.0f, 0.0f, 1.0f, 0x00FFFFFFu, kU[i], kV[i]};
    particle.alive = true;
    particle.x = particle.initialX = x;
    particle.y = particle.initialY = y;
    particle.size = particle.initialSize = size;
    particle.alpha = particle.initialAlpha = 1.0f;
    particle.angle = GRandom::NextFloat() * 360.0f;
    particle.sinAngle = std::sin(particle.angle * kParticleDegrees);
    particle.cosAngle = std::cos(particle.angle * kParticleDegrees);
    const float speed = c.m_minSpeed + GRandom::NextFloat() * (c.m_maxSpeed - c.m_minSpeed);
    // Angle 0 throws the particle straight up the screen.
    particle.vx = particle.initialVx = speed * particle.sinAngle;
    particle.vy = particle.initialVy = -speed * particle.cosAngle;
}

void GUI_ParticleEmmiter::SpawnContinuously(float now)
{
    if (!m_config || (m_config->m_lifetime > 0.0f && now - m_startTime >= m_config->m_lifetime))
        return;
    const int count = static_cast<int>(m_config->m_particlesPerSecond * (now - m_lastSpawn) / 1000.0f);
    if (count <= 0)
        return;
    m_lastSpawn = now;
    int next = 0;
    for (int i = 0; i < count; ++i)
    {
        while (next < kMaxParticles && m_particles[static_cast<size_t>(next)].alive)
            ++next;
        if (next == kMaxParticles)
            return; // every slot is taken: the rest of this frame's particles are dropped
        Spawn(m_particles[static_cast<size_t>(next)]);
    }
}

void GUI_ParticleEmmiter::UpdateAndDraw(const ParticleView& view)
{
    if (!m_config)
        return;
    const GUI_ParticleConfig& c = *m_config;
    GVertexBuffer& batch = SharedVertexBatch();
    GD3DDevice& device = GD3DDevice::Instance();
    // Whatever others queued is drawn in its own state; the particles' quads then go out with their
    // own texture and blend.
    batch.Flush();
    batch.SetTexture(&m_config->m_texture);
    if (m_blendType == GUI_ParticleConfig::BLEND_ADDITIVE)
        device.SetBlendMode(1);

    m_liveCount = 0;
    for (GUI_Particle& p : m_particles)
    {
        if (!p.alive)
            continue;
        p.alpha *= 1.0f - c.m_alphaFalloff;
        p.size *= 1.0f - c.m_sizeFalloff;
        p.x += p.vx;
        p.y += p.vy;
        if (c.m_speedFalloff != 0.0f)
        {
            p.vx *= 1.0f - c.m_speedFalloff;
            p.vy *= 1.0f - c.m_speedFalloff;
        }
        const int a = static_cast<int>(p.alpha * 255.0f);
        if (a < 1 || p.size < 0.5f)
        {
            p.alive = false;
            continue;
        }
        const uint32_t colour = static_cast<uint32_t>(a & 0xFF) << 24 | 0x00FFFFFFu;
        const float sx = view.ToScreenX(p.x), sy = view.ToScreenY(p.y);
        const float k = view.zoom * p.size;
        const float A = k * p.cosAngle, B = k * p.sinAngle;
        PVertex* v = p.vertices;
        v[0].x = sx - A + B;
        v[0].y = sy - A - B;
        v[1].x = sx + A + B;
        v[1].y = sy - A + B;
        v[2].x = sx - A - B;
        v[2].y = sy + A - B;
        v[3].x = sx + A - B;
        v[3].y = sy + A + B;
        for (int i = 0; i < 4; ++i)
            v[i].colour = colour;
        batch.AddQuad(v);
        ++m_liveCount;
    }
    batch.Flush();
    if (m_blendType == GUI_ParticleConfig::BLEND_ADDITIVE)
        device.SetBlendMode(0);
    if (m_liveCount == 0 && c.m_lifetime > 0.0f)
        m_active = false;
    SpawnContinuously(Now());
}

std::vector<std::unique_ptr<GUI_ParticleEmmiter>>& ActiveParticleEmitters()
{
    static std::vector<std::unique_ptr<GUI_ParticleEmmiter>> list;
    return list;
}

std::vector<std::unique_ptr<GUI_ParticleEmmiter>>& RecycledParticleEmitters()
{
    static std::vector<std::unique_ptr<GUI_ParticleEmmiter>> list;
    return list;
}

GUI_ParticleEmmiter* SpawnPlaceSlotParticles(float x, float y)
{
    GUI_ParticleConfig* config = FindPlaceSlotConfig();
    if (!config)
        return nullptr;
    auto& recycled = RecycledParticleEmitters();
    for (auto it = recycled.begin(); it != recycled.end(); ++it)
    {
        if ((*it)->GetConfig() && (*it)->GetConfig()->m_name == "place_slot")
        {
            std::unique_ptr<GUI_ParticleEmmiter> emitter = std::move(*it);
            recycled.erase(it);
            emitter->Restart(x, y);
            ActiveParticleEmitters().push_back(std::move(emitter));
            return ActiveParticleEmitters().back().get();
        }
    }
    ActiveParticleEmitters().push_back(std::make_unique<GUI_ParticleEmmiter>(config, x, y));
    return ActiveParticleEmitters().back().get();
}

void UpdateAndDrawParticleEmitters(const ParticleView& view)
{
    for (const auto& emitter : ActiveParticleEmitters())
        if (emitter->IsActive())
            emitter->UpdateAndDraw(view);
}

bool RetireFinishedParticleEmitter()
{
    auto& active = ActiveParticleEmitters();
    for (auto it = active.begin(); it != active.end(); ++it)
        if (!(*it)->IsActive())
        {
            RecycledParticleEmitters().push_back(std::move(*it));
            active.erase(it);
            return true;
        }
    return false;
}

void DeleteActiveParticleEmitters()
{
    ActiveParticleEmitters().clear();
}

void ClearParticleEmitters()
{
    DeleteActiveParticleEmitters();
    RecycledParticleEmitters().clear();
}
