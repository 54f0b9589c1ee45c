// The player's settings (volumes, autosave, the conveyor overlay switch) as named numbers and
// named texts, kept in config.txt in the user folder.
#pragma once
#include <string>
#include <vector>

struct GOptionFloat
{
    std::string name;
    float value = 0.0f;
};

struct GOptionString
{
    std::string name;
    std::string value;
};

class GOptions
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GOptions& Instance();

    // The value of the first setting with this name; missing: a trace line and 0.0.
    float GetFloat(const std::string& name);
    // Changes the first setting with this name (loading the file first when nothing is
    // loaded yet); a missing name is traced and appended. Does not save.
    void SetFloat(const std::string& name, float value);
    void AddFloat(const std::string& name, float value);
    void AddFloatIfMissing(const std::string& name, float value);
    GOptionFloat* FindFloat(const std::string& name);
    // Adds the six default settings that are missing, each 1.0.
    void SetDefaults();

    // Reads the file (or writes the defaults when it is missing) and saves it back in the
    // canonical form. A value the setting cannot take (a volume outside 0 to 1, a switch other
    // than 0 or 1, a setting the game does not read that is no finite number) is replaced by
    // the default, or left out, with a line in the error log. A line the canonical form does not
    // carry (in no section the settings read, or after a damaged header) is named in the error
    // log and the file kept aside before it is rewritten. A file that cannot be read as settings
    // is kept aside before the defaults are written, and not written over when it cannot be.
    // A file kept aside goes to "<path>.bad", or the first of "<path>.bad.2", ".bad.3" and on
    // that is free: no copy kept before is ever written over.
    void Load();
    // Writes "[floats]" with "name = 0.00" lines, then "[strings]" with "name = text" lines.
    // False when the file cannot be written.
    bool Save();

    void SetPath(const std::string& path) { m_path = path; }
    const std::string& GetPath() const { return m_path; }
    const std::vector<GOptionFloat>& GetFloats() const { return m_floats; }
    const std::vector<GOptionString>& GetStrings() const { return m_strings; }
    // Empties both lists (tests; the game loads once at start-up).
    void Clear();

private:
    GOptions() = default;
    // Appends a setting read from the file, its value checked as Load says.
    void AddLoadedFloat(const std::string& name, const std::string& text);
    // Renames the file to the first free name of those Load lists: that name, or "" with the
    // reason in `why` when it cannot be.
    std::string KeepAside(std::string& why);
    // Names every line of the file that the rewrite will not carry and keeps the file aside.
    void KeepLinesNotWrittenBack();
    GOptions(const GOptions&) = delete;
    GOptions& operator=(const GOptions&) = delete;

    std::vector<GOptionFloat> m_floats;
    std::vector<GOptionString> m_strings;
    std::string m_path;
};
