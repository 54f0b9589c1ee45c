// One kind of particle effect as read from data/particles: the texture, how fast, how large and
// how long its particles live, how they spread and how many are thrown, and how they blend.
#pragma once

#include "engine/CLoadedTextureRef.h"

#include <memory>
#include <string>
#include <vector>

class GUI_ParticleConfig
{
public:
    enum BlendType
    {
        BLEND_NORMAL = 0,
        BLEND_ADDITIVE = 1,
    };

    GUI_ParticleConfig() = default;
    virtual ~GUI_ParticleConfig() = default;

    // Fills the config from section config of one file (every missing number reads 0) and finds or
    // loads its texture. Main thread.
    void Load(const std::string& path);

    CLoadedTextureRef m_texture;
    std::string m_name;
    std::string m_textureName;
    float m_minSpeed = 0.0f; // world units per drawn frame
    float m_maxSpeed = 0.0f;
    float m_minYVelocity = 0.0f; // read and kept; no motion uses them
    float m_maxYVelocity = 0.0f;
    float m_minSize = 0.0f; // half the side of a particle's square, world units
    float m_maxSize = 0.0f;
    float m_alphaFalloff = 0.0f; // fractions lost per drawn frame
    float m_sizeFalloff = 0.0f;
    float m_speedFalloff = 0.0f;
    float m_xScatter = 0.0f; // world units around the emitter
    float m_yScatter = 0.0f;
    float m_particlesPerSecond = 0.0f;
    int m_initialParticles = 0;
    float m_lifetime = 0.0f; // milliseconds; 0 or less spawns for ever
    int m_blendType = BLEND_NORMAL;
};

// Every config read, in load order.
std::vector<std::unique_ptr<GUI_ParticleConfig>>& ParticleConfigList();
// Reads every "*.txt" of the particle folder into the list, unless it is loaded already.
void LoadParticleConfigs(const std::string& folder = "data/particles");
// Deletes every config; the next use reads the folder again. Emitters must be cleared first.
void ClearParticleConfigs();
// The config named exactly "place_slot" (the folder is read first when needed), or null with
// "Particle config not found" reported.
GUI_ParticleConfig* FindPlaceSlotConfig();
