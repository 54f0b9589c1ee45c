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
    // the default, or left out, with a line in the error log. A file that cannot be read as
    // settings is renamed to "<path>.bad" before the defaults are written, and not written over
    // when that fails.
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
    // Renames the unreadable file to "<path>.bad"; false (logged) when it cannot be.
    bool KeepAside();
    GOptions(const GOptions&) = delete;
    GOptions& operator=(const GOptions&) = delete;

    std::vector<GOptionFloat> m_floats;
    std::vector<GOptionString> m_strings;
    std::string m_path;
};
