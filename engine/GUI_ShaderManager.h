// The screen effects of the game (data/shaders/*.fx), loaded at start-up and found by file name.
#pragma once

#include "engine/GShaderEffect.h"

#include <string>
#include <vector>

class GUI_ShaderManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_ShaderManager& Instance();
    virtual ~GUI_ShaderManager();

    void LoadAll();
    GShaderEffect* FindShader(const std::string& name);
    void ReleaseAll();

    int GetCount() const { return static_cast<int>(m_effects.size()); }

private:
    GUI_ShaderManager() = default;
    GUI_ShaderManager(const GUI_ShaderManager&) = delete;
    GUI_ShaderManager& operator=(const GUI_ShaderManager&) = delete;

    std::vector<GShaderEffect> m_effects;
    std::string m_pattern = "data/shaders/*.fx";
};
