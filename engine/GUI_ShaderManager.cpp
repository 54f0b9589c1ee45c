// Effects by name.
#include "engine/GUI_ShaderManager.h"

#include "engine/GD3DDevice.h"
#include "engine/GShaderNames.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"

GUI_ShaderManager& GUI_ShaderManager::Instance()
{
    return GLifetime::Get<GUI_ShaderManager>();
}

GUI_ShaderManager::~GUI_ShaderManager()
{
    // Safe after the device is gone: effects it left behind no longer touch it.
    ReleaseAll();
}

void GUI_ShaderManager::LoadAll()
{
    m_pattern = "data/shaders/*.fx";
    GFileList list;
    list.m_keepFolder = true;
    list.Find(m_pattern);
    // Loading again releases the earlier effects rather than leaking them.
    ReleaseAll();
    m_effects.resize(list.GetFiles().size());
    for (size_t i = 0; i < list.GetFiles().size(); ++i)
        m_effects[i].Load(list.GetFiles()[i]);
    // A missing effect only draws plainly, so say which file the views will go without. (A file
    // that fails to compile has said so already.)
    if (!GD3DDevice::Instance().HasShaderSupport())
        return;
    for (const char* name : kGameShaderNames)
    {
        bool found = false;
        for (const GShaderEffect& effect : m_effects)
            found |= effect.m_name == name;
        if (!found)
            GDebugLog::Instance().LogError(std::string("Shader file missing: ") + kShaderFolder + "/" + name);
    }
}

GShaderEffect* GUI_ShaderManager::FindShader(const std::string& name)
{
    for (GShaderEffect& effect : m_effects)
        if (effect.m_name == name)
            return &effect;
    GDebugLog::Instance().LogError("Shader not found: " + name.substr(0, 110));
    return nullptr;
}

void GUI_ShaderManager::ReleaseAll()
{
    for (GShaderEffect& effect : m_effects)
        effect.Release();
    m_effects.clear();
}
