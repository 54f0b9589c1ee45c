// The balance of the simulation (hour length, wages, prices, delays, refunds), read by name from
// the constants file on first use. A constant the game knows is held to the range in which it
// makes sense: one that is not a number or out of range (an hour of no length would pass a game
// hour every frame) is reported in the error log and replaced by its built-in value; a missing
// one reads 0.0 where that is sensible, else its built-in value. Other keys read as the file has
// them, and a missing file, section or key as 0.0.
#pragma once

#include <string>
#include <vector>

class IniLoader;

// A constant the game reads, the values it may sensibly take and the value used instead of a
// bad one (the shipped one).
struct SIM_SimConstant
{
    const char* key;
    float fallback;
    float least;
    bool leastExcluded; // true for divisors and durations: the least value itself is not sensible
    float most;
};

class SIM_SimConfig
{
public:
    static constexpr const char* DEFAULT_FILE = "data\\simconfig.txt";

    static float GetFloat(const char* key);
    // Reads the constants from another file on the next request (tools and tests).
    static void UseFile(const std::string& path);

    // Every constant the game reads, in the order the file ships them.
    static const std::vector<SIM_SimConstant>& Constants();
    static const SIM_SimConstant* FindConstant(const std::string& key);
    // What is wrong with a constant as the file holds it ("" when nothing): missing, not a
    // number, or out of its range. present is false for a missing key.
    static std::string Problem(const SIM_SimConstant& constant, const std::string& text, bool present);
    // The value a constant takes from its text, by the rules above.
    static float ValueOf(const SIM_SimConstant& constant, const std::string& text, bool present);

private:
    static void LoadIfNeeded();
    static IniLoader& Reader();
    static bool& Loaded();
    static std::string& File();
    static std::vector<float>& Values();
};
