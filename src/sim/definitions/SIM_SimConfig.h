// The balance of the simulation (hour length, wages, prices, delays, refunds), read by name from
// the constants file on first use. A missing file, section or key reads as 0.0.
#pragma once

#include <string>

class IniLoader;

class SIM_SimConfig
{
public:
    static constexpr const char* DEFAULT_FILE = "data\\simconfig.txt";

    static float GetFloat(const char* key);
    // Reads the constants from another file on the next request (tools and tests).
    static void UseFile(const std::string& path);

private:
    static IniLoader& Reader();
    static bool& Loaded();
    static std::string& File();
};
