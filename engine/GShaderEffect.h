// One screen effect loaded from data/shaders: used between Begin and End around ordinary sprite
// drawing, which it then replaces with its first technique's first pass.
#pragma once

#include "platform/video/PEffect.h"

#include <string>

class GShaderEffect
{
public:
    void Load(const std::string& path);
    std::string GetName() const { return m_name; }
    void Begin();
    void End();
    // Releases the effect (the record stays, named, without an effect).
    void Release();

    // Users set the effect's parameters through it; null when the effect did not load.
    PEffect* GetEffect() const { return m_effect; }
    bool IsActive() const { return m_active; }

    bool m_active = false;
    PEffectHandle m_technique = nullptr;
    PEffect* m_effect = nullptr;
    std::string m_name;
};
