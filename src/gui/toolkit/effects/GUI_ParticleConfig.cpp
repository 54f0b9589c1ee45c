// Particle configurations and their list.
#include "gui/toolkit/effects/GUI_ParticleConfig.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "engine/core/IniLoader.h"
#include "gui/toolkit/effects/EffectsIniValues.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"

namespace
{
bool s_particleConfigsLoaded = false;
std::string s_particleFolder = "data/particles";
} // namespace

void GUI_ParticleConfig::Load(const std::string& path)
{
    IniLoader ini;
    ini.Load("config", path);
    m_name = ini.GetValue("Name");
    m_textureName = ini.GetValue("TextureName");
    m_minSpeed = EffectsIniFloat(ini.GetValue("MinXVelocity"));
    m_maxSpeed = EffectsIniFloat(ini.GetValue("MaxXVelocity"));
    m_minYVelocity = EffectsIniFloat(ini.GetValue("MinYVelocity"));
    m_maxYVelocity = EffectsIniFloat(ini.GetValue("MaxYVelocity"));
    m_minSize = EffectsIniFloat(ini.GetValue("MinSize"));
    m_maxSize = EffectsIniFloat(ini.GetValue("MaxSize"));
    m_alphaFalloff = EffectsIniFloat(ini.GetValue("AlphaFalloff"));
    m_sizeFalloff = EffectsIniFloat(ini.GetValue("SizeFalloff"));
    m_speedFalloff = EffectsIniFloat(ini.GetValue("SpeedFalloff"));
    m_xScatter = EffectsIniFloat(ini.GetValue("XScatter"));
    m_yScatter = EffectsIniFloat(ini.GetValue("YScatter"));
    m_particlesPerSecond = EffectsIniFloat(ini.GetValue("ParticlesPerSecond"));
    m_initialParticles = static_cast<int>(EffectsIniFloat(ini.GetValue("InitialParticles")));
    m_lifetime = EffectsIniFloat(ini.GetValue("Lifetime"));
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
