// The simulation constants, read by name.
#include "sim/definitions/SIM_SimConfig.h"

#include "engine/core/IniLoader.h"

#include <cstdlib>
#include <cstring>

IniLoader& SIM_SimConfig::Reader()
{
    static IniLoader reader;
    return reader;
}

bool& SIM_SimConfig::Loaded()
{
    static bool loaded = false;
    return loaded;
}

std::string& SIM_SimConfig::File()
{
    static std::string file = DEFAULT_FILE;
    return file;
}

void SIM_SimConfig::UseFile(const std::string& path)
{
    File() = path;
    Loaded() = false;
}

float SIM_SimConfig::GetFloat(const char* key)
{
    if (!Loaded())
    {
        Reader().LoadSection("config", File().c_str());
        Loaded() = true; // also when the file or the section is missing: every key then reads 0.0
    }
    const std::string value = Reader().GetValue(key);
    char buffer[64];
    std::strncpy(buffer, value.c_str(), sizeof(buffer) - 1);
    buffer[sizeof(buffer) - 1] = '\0';
    if (buffer[0] == '\0')
        return 0.0f;
    return static_cast<float>(std::strtod(buffer, nullptr));
}
