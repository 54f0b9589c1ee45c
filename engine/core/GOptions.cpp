// The player's settings in config.txt.
#include "engine/core/GOptions.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/IniLoader.h"

#include <cstdlib>

GOptions& GOptions::Instance()
{
    return GLifetime::Get<GOptions>();
}

void GOptions::Clear()
{
    m_floats.clear();
    m_strings.clear();
}

GOptionFloat* GOptions::FindFloat(const std::string& name)
{
    for (GOptionFloat& setting : m_floats)
        if (setting.name == name)
            return &setting;
    return nullptr;
}

float GOptions::GetFloat(const std::string& name)
{
    if (GOptionFloat* setting = FindFloat(name))
        return setting->value;
    DebugTrace(FormatString("Missing Global variable [%s]", name.c_str()), "GOptions", 98);
    return 0.0f;
}

void GOptions::SetFloat(const std::string& name, float value)
{
    if (m_floats.empty())
        Load();
    if (GOptionFloat* setting = FindFloat(name))
    {
        setting->value = value;
        return;
    }
    DebugTrace("Missing Global variable", "GOptions", 39);
    AddFloat(name, value);
}

void GOptions::AddFloat(const std::string& name, float value)
{
    m_floats.push_back({name, value});
}

void GOptions::AddFloatIfMissing(const std::string& name, float value)
{
    if (!FindFloat(name))
        AddFloat(name, value);
}

void GOptions::SetDefaults()
{
    AddFloatIfMissing("OPTIONS_SFX", 1.0f);
    AddFloatIfMissing("OPTIONS_MUSIC", 1.0f);
    AddFloatIfMissing("OPTIONS_MASTERVOLUME", 1.0f);
    AddFloatIfMissing("OPTIONS_VOICE", 1.0f);
    AddFloatIfMissing("OPTIONS_INTERFACE_VOLUME", 1.0f);
    AddFloatIfMissing("OPT_AUTOSAVE", 1.0f);
}

void GOptions::Load()
{
    Clear();
    FILE* probe = GFile::Open(m_path, "rt");
    if (!probe)
    {
        SetDefaults();
        Save();
        return;
    }
    fclose(probe);
    IniLoader ini;
    std::string key;
    std::string value;
    ini.Load("floats", m_path);
    while (ini.NextPair(key, value))
        AddFloat(key, strtof(value.c_str(), nullptr));
    ini.Load("strings", m_path);
    while (ini.NextPair(key, value))
        m_strings.push_back({key, value});
    SetDefaults();
    Save();
}

bool GOptions::Save()
{
    std::string text = "[floats]\n";
    for (const GOptionFloat& setting : m_floats)
        text += FormatString("%s = %.2f\n", setting.name.c_str(), setting.value);
    text += "[strings]\n";
    for (const GOptionString& setting : m_strings)
        text += setting.name + " = " + setting.value + "\n";
    // Rewritten at every start: a kill in the middle must never cost the player the settings,
    // so the file is replaced all at once. The file cache is refreshed with it, or a later load
    // would bring back the old values.
    if (!GFile::Replace(m_path, text))
    {
        DebugTrace("Failed to save variables", "GOptions", __LINE__);
        return false;
    }
    return true;
}
