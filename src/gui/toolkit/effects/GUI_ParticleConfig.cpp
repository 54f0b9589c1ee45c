// Particle configurations and their list.
#include "gui/toolkit/effects/GUI_ParticleConfig.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "engine/core/IniLoader.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"

#include <cstdlib>

namespace
{
bool s_particleConfigsLoaded = false;
std::string s_particleFolder = "data/particles";

float ParticleFloat(const IniLoader& ini, const char* key)
{
    return static_cast<float>(std::atof(ini.GetValue(key).substr(0, 63).c_str()));
}
} // namespace

void GUI_ParticleConfig::Load(const std::string& path)
{
    IniLoader ini;
    ini.Load("config", path);
    m_name = ini.GetValue("Name");
    m_textureName = ini.GetValue("TextureName");
    m_minSpeed = ParticleFloat(ini, "MinXVelocity");
    m_maxSpeed = ParticleFloat(ini, "MaxXVelocity");
    m_minYVelocity = ParticleFloat(ini, "MinYVelocity");
    m_maxYVelocity = ParticleFloat(ini, "MaxYVelocity");
    m_minSize = ParticleFloat(ini, "MinSize");
    m_maxSize = ParticleFloat(ini, "MaxSize");
    m_alphaFalloff = ParticleFloat(ini, "AlphaFalloff");
    m_sizeFalloff = ParticleFloat(ini, "SizeFalloff");
    m_speedFalloff = ParticleFloat(ini, "SpeedFalloff");
    m_xScatter = ParticleFloat(ini, "XScatter");
    m_yScatter = ParticleFloat(ini, "YScatter");
    m_particlesPerSecond = ParticleFloat(ini, "ParticlesPerSecond");
    m_initialParticles = static_cast<int>(ParticleFloat(ini, "InitialParticles"));
    m_lifetime = ParticleFloat(ini, "Lifetime");
    m_blendType = ini.GetValue("Type") == "ADDITIVE" ? BLEND_ADDITIVE : BLEND_NORMAL;
    m_texture.SetByName(m_textureName);
}

std::vector<std::unique_ptr<GUI_ParticleConfig>>& ParticleConfigList()
{
    static std::vector<std::unique_ptr<GUI_ParticleConfig>> list;
    return list;
}

void LoadParticleConfigs(const std::string& folder)
{
    if (s_particleConfigsLoaded)
        return;
    s_particleFolder = folder;
    auto& list = ParticleConfigList();
    list.clear();
    GFileList files;
    files.Find(folder + "/*.txt");
    for (const std::string& path : files.GetFiles())
    {
        auto config = std::make_unique<GUI_ParticleConfig>();
        config->Load(path);
        list.push_back(std::move(config));
    }
    s_particleConfigsLoaded = true;
}

void ClearParticleConfigs()
{
    // Emitters point at their configs; none may outlive them.
    ClearParticleEmitters();
    ParticleConfigList().clear();
    s_particleConfigsLoaded = false;
}

GUI_ParticleConfig* FindPlaceSlotConfig()
{
    if (!s_particleConfigsLoaded)
        LoadParticleConfigs(s_particleFolder);
    for (const auto& config : ParticleConfigList())
        if (config->m_name == "place_slot")
            return config.get();
    FV_ERROR_BOX("Particle config not found");
    return nullptr;
}
