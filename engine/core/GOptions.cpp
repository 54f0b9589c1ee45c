// The player's settings in config.txt.
#include "engine/core/GOptions.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/IniLoader.h"
#include "platform/core/PFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace
{
// The settings the game reads and what each can take: a volume runs from 0 to 1, a switch is 0
// (off) or 1 (on). Anything else in the file, a "nan" or a "-inf" included, would reach the
// sound mixer or quietly switch the autosave off, so it is taken as the default instead.
struct GOptionRule
{
    const char* name;
    float fallback;
    bool isSwitch;
    bool addedByStartUp; // not one of the defaults a load adds
};

constexpr GOptionRule kOptionRules[] = {
    {"OPTIONS_SFX", 1.0f, false, false},
    {"OPTIONS_MUSIC", 1.0f, false, false},
    {"OPTIONS_MASTERVOLUME", 1.0f, false, false},
    {"OPTIONS_VOICE", 1.0f, false, false},
    {"OPTIONS_INTERFACE_VOLUME", 1.0f, false, false},
    {"OPT_AUTOSAVE", 1.0f, true, false},
    {"OPT_CONVEYOR_GUI", 1.0f, true, true},
};

const GOptionRule* FindOptionRule(const std::string& name)
{
    for (const GOptionRule& rule : kOptionRules)
        if (name == rule.name)
            return &rule;
    return nullptr;
}

bool OptionValueFits(const GOptionRule& rule, float value)
{
    return rule.isSwitch ? value == 0.0f || value == 1.0f : value >= 0.0f && value <= 1.0f;
}
} // namespace

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
    for (const GOptionRule& rule : kOptionRules)
        if (!rule.addedByStartUp)
            AddFloatIfMissing(rule.name, rule.fallback);
}

void GOptions::AddLoadedFloat(const std::string& name, const std::string& text)
{
    float value = 0.0f;
    const bool number = GNumberText::IsWholeFloat(text, &value);
    const GOptionRule* rule = FindOptionRule(name);
    if (!rule)
    {
        // A setting this game does not read keeps its place, as long as it is a number at all.
        if (number)
            AddFloat(name, value);
        else
            GDebugLog::Instance().LogError(FormatString("%s holds an unusable %s '%s' (not a finite number); left out",
                                                        m_path.c_str(), name.c_str(), text.c_str()));
        return;
    }
    if (number && OptionValueFits(*rule, value))
    {
        AddFloat(name, value);
        return;
    }
    GDebugLog::Instance().LogError(
        FormatString("%s holds an unusable %s '%s' (not %s); using %.2f", m_path.c_str(), name.c_str(), text.c_str(),
                     rule->isSwitch ? "0 or 1" : "a number from 0 to 1", static_cast<double>(rule->fallback)));
    AddFloat(name, rule->fallback);
}

std::string GOptions::KeepAside(std::string& why)
{
    // A copy kept at an earlier start may still hold settings the player wants back: each one
    // kept goes under a name of its own.
    constexpr int kMostKept = 100;
    for (int copy = 1; copy <= kMostKept; ++copy)
    {
        std::string aside = m_path + ".bad";
        if (copy > 1)
            aside.append(".").append(std::to_string(copy));
        errno = 0;
        if (PFile::RenameNoReplace(m_path, aside))
            return aside;
        if (errno != EEXIST)
        {
            why = "cannot be kept as " + aside + " (" + PFile::ErrorText(errno) + ")";
            return {};
        }
    }
    why = FormatString("cannot be kept aside: %d copies are kept already", kMostKept);
    return {};
}

void GOptions::Load()
{
    Clear();
    // Only a regular file is read; anything else counts as missing and gets the defaults.
    if (!PFile::Exists(m_path))
    {
        SetDefaults();
        Save();
        return;
    }
    // A file that is there but cannot be opened is no more usable than one in another encoding.
    bool usable = false;
    if (FILE* probe = GFile::Open(m_path, "rt"))
    {
        fclose(probe);
        // The game always writes the floats' header; a file without it is in another encoding,
        // damaged or not a settings file at all.
        IniLoader sections;
        sections.LoadSectionNames(m_path);
        const std::vector<std::string>& names = sections.GetSectionNames();
        usable = std::find(names.begin(), names.end(), "floats") != names.end();
    }
    if (!usable)
    {
        // It still holds the player's settings: it is kept aside before the defaults replace it,
        // and left alone when it cannot be.
        SetDefaults();
        std::string why;
        const std::string kept = KeepAside(why);
        if (kept.empty())
        {
            GDebugLog::Instance().LogError(
                FormatString("%s cannot be read as settings and %s; using the defaults, the file is left as it is",
                             m_path.c_str(), why.c_str()));
            return;
        }
        GDebugLog::Instance().LogError(FormatString("%s cannot be read as settings; kept as %s, using the defaults",
                                                    m_path.c_str(), kept.c_str()));
        Save();
        return;
    }
    IniLoader ini;
    std::string key;
    std::string value;
    ini.Load("floats", m_path);
    while (ini.NextPair(key, value))
        AddLoadedFloat(key, value);
    ini.Load("strings", m_path);
    while (ini.NextPair(key, value))
        m_strings.push_back({key, value});
    KeepLinesNotWrittenBack();
    SetDefaults();
    Save();
}

void GOptions::KeepLinesNotWrittenBack()
{
    // The file is rewritten from its two sections alone: a line after a damaged header, a section
    // the game does not read or a note of the player's would be gone without a word. Each is
    // named, and the whole file kept aside as it was.
    constexpr size_t kMostNamed = 20;
    constexpr size_t kLongestShown = 120;
    std::vector<IniLine> named;
    const size_t lost = IniLoader::LinesOutside(m_path, {"floats", "strings"}, kMostNamed, named);
    if (lost == 0)
        return;
    GDebugLog& log = GDebugLog::Instance();
    for (const IniLine& line : named)
    {
        const std::string& text = line.text;
        const std::string shown = text.size() <= kLongestShown ? text : text.substr(0, kLongestShown) + "...";
        log.LogError(FormatString("%s line %d '%s' is no setting the game reads; it is not written back",
                                  m_path.c_str(), line.number, shown.c_str()));
    }
    if (lost > named.size())
        log.LogError(FormatString("%s has %zu more such lines", m_path.c_str(), lost - named.size()));
    std::string why;
    const std::string kept = KeepAside(why);
    log.LogError(kept.empty() ? m_path + " " + why + "; the lines named above are not written back"
                              : m_path + " as it was is kept as " + kept);
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
