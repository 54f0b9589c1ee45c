// A particle emitter: up to 256 textured squares thrown from a point of the factory floor that
// fade, shrink and slow down frame by frame. Placing a slot starts one; the in-game screen updates
// and draws every active emitter once per drawn frame and recycles the finished ones.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <array>
#include <memory>
#include <vector>

class GUI_ParticleConfig;
class GUI_ParticleEmmiter;

struct GUI_Particle
{
    GUI_ParticleEmmiter* owner = nullptr;
    bool alive = false;
    float vx = 0.0f, vy = 0.0f;
    float initialSize = 0.0f, initialAlpha = 0.0f;
    float initialX = 0.0f, initialY = 0.0f, initialVx = 0.0f, initialVy = 0.0f;
    float x = 0.0f, y = 0.0f; // world
    float size = 0.0f, alpha = 0.0f;
    PVertex* vertices = nullptr; // its four corners in the emitter's vertex array
    float angle = 0.0f;          // degrees
    float sinAngle = 0.0f, cosAngle = 0.0f;
};

// Where the world is on the screen: the world point at the screen centre and the zoom (screen
// pixels per world unit), as the camera has them.
struct ParticleView
{
    float cameraX = 0.0f, cameraY = 0.0f, zoom = 1.0f;

    float ToScreenX(float worldX) const;
    float ToScreenY(float worldY) const;
};

class GUI_ParticleEmmiter
{
public:
    static constexpr int kMaxParticles = 256;

    // An emitter of the "place_slot" effect at a world point; without that config it stays
    // inactive and throws nothing.
    GUI_ParticleEmmiter(float x, float y);
    // An emitter of any config (not owned: the config list owns it) at a world point.
    GUI_ParticleEmmiter(GUI_ParticleConfig* config, float x, float y);
    virtual ~GUI_ParticleEmmiter() = default;
    GUI_ParticleEmmiter(const GUI_ParticleEmmiter&) = delete;
    GUI_ParticleEmmiter& operator=(const GUI_ParticleEmmiter&) = delete;

    // Starts over at a new point: no particle alive, the initial ones thrown, active again.
    void Restart(float x, float y);
    // One drawn frame: moves, fades and draws every live particle through the shared batch, then
    // throws new ones as the clock says. Main thread.
    void UpdateAndDraw(const ParticleView& view);

    bool IsActive() const { return m_active; }
    int GetLiveCount() const { return m_liveCount; }
    GUI_ParticleConfig* GetConfig() const { return m_config; }
    float GetX() const { return m_x; }
    // The particles, for the view that places them where it wants after a spawn.
    GUI_Particle& GetParticle(int index) { return m_particles[static_cast<size_t>(index)]; }

    // Milliseconds of the emitters' clock (the millisecond clock since its first reading).
    static float Now();

private:
    void ClearParticles();
    void SpawnInitialParticles();
    void Spawn(GUI_Particle& particle);
    void SpawnContinuously(float now);

    GUI_ParticleConfig* m_config = nullptr;
    std::array<GUI_Particle, kMaxParticles> m_particles;
    float m_x = 0.0f, m_y = 0.0f;
    float m_startTime = 0.0f;
    bool m_active = false;
    std::array<PVertex, static_cast<size_t>(kMaxParticles) * 4> m_vertices;
    float m_lastSpawn = 0.0f;
    int m_liveCount = 0;
    int m_blendType = 0;
};

// The emitters being drawn, and the finished ones kept for reuse.
std::vector<std::unique_ptr<GUI_ParticleEmmiter>>& ActiveParticleEmitters();
std::vector<std::unique_ptr<GUI_ParticleEmmiter>>& RecycledParticleEmitters();

// The placement effect at a world point: a finished "place_slot" emitter started over, or a new
// one. Null when there is no "place_slot" config (reported). The emitter stays owned by the list.
GUI_ParticleEmmiter* SpawnPlaceSlotParticles(float x, float y);
// Every active emitter's frame, in list order.
void UpdateAndDrawParticleEmitters(const ParticleView& view);
// Moves the first finished emitter to the recycle list; false when none is finished.
bool RetireFinishedParticleEmitter();
void DeleteActiveParticleEmitters();
// Deletes every emitter, active and recycled.
void ClearParticleEmitters();
