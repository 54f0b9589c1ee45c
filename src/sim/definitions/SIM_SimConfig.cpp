// The simulation constants, read by name.
#include "sim/definitions/SIM_SimConfig.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/IniLoader.h"
#include "platform/core/PFile.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>

namespace
{
// Values longer than this were never read in full.
constexpr size_t kSimConfigValueLength = 63;

std::string SimConfigRange(const SIM_SimConstant& c)
{
    std::string range = FormatString(c.leastExcluded ? "above %.10g" : "at least %.10g", static_cast<double>(c.least));
    if (c.most < FLT_MAX)
        range += FormatString(" and at most %.10g", static_cast<double>(c.most));
    return range;
}
} // namespace

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

std::vector<float>& SIM_SimConfig::Values()
{
    static std::vector<float> values;
    return values;
}

void SIM_SimConfig::UseFile(const std::string& path)
{
    File() = path;
    Loaded() = false;
}

const std::vector<SIM_SimConstant>& SIM_SimConfig::Constants()
{
    // Hour length and the bay delay are durations the clock and the bays divide by or wait for:
    // a game hour under a second would pass hours every few frames. Wages, prices and cost
    // factors may be 0 (free) but never negative; a refund beyond the price would pay the
    // player for building.
    static const std::vector<SIM_SimConstant> constants = {
        {"HOUR_LENGTH", 30000.0f, 1000.0f, false, 86400000.0f},
        {"HOURLY_WAGE", 50.0f, 0.0f, false, 1.0e9f},
        {"POWER_BASE_COST", 0.05f, 0.0f, false, 1.0e9f},
        {"CONSTRUCTION_COST_MULT_PER_TIER", 1.0f, 0.0f, false, 1000.0f},
        {"CONVEYOR_IMPORT_BAY_DELAY", 400.0f, 0.0f, true, 3600000.0f},
        {"SLOT_REFUND_PERCENTAGE", 0.5f, 0.0f, false, 1.0f},
        {"CONVEYOR_OCCUPIED_COST_MULTIPLIER", 2.0f, 0.0f, false, 1000.0f},
    };
    return constants;
}

const SIM_SimConstant* SIM_SimConfig::FindConstant(const std::string& key)
{
    for (const SIM_SimConstant& c : Constants())
        if (key == c.key)
            return &c;
    return nullptr;
}

std::string SIM_SimConfig::Problem(const SIM_SimConstant& c, const std::string& text, bool present)
{
    const bool zeroSensible = !c.leastExcluded && c.least <= 0.0f && c.most >= 0.0f;
    if (!present)
        return zeroSensible ? "is missing (reads 0)" : "is missing";
    float value = 0.0f;
    if (text.size() > kSimConfigValueLength)
        return "'" + text.substr(0, kSimConfigValueLength) + "...' is longer than 63 characters";
    if (!GNumberText::IsWholeFloat(text, &value))
        return "'" + text + "' is not a number";
    const bool low = c.leastExcluded ? !(value > c.least) : !(value >= c.least);
    if (low || value > c.most)
        return "'" + text + "' is out of range (must be " + SimConfigRange(c) + ")";
    return std::string();
}

float SIM_SimConfig::ValueOf(const SIM_SimConstant& c, const std::string& text, bool present)
{
    const bool zeroSensible = !c.leastExcluded && c.least <= 0.0f && c.most >= 0.0f;
    if (!present)
        return zeroSensible ? 0.0f : c.fallback;
    if (!Problem(c, text, true).empty())
        return c.fallback;
    float value = 0.0f;
    GNumberText::IsWholeFloat(text, &value);
    return value;
}

void SIM_SimConfig::LoadIfNeeded()
{
    if (Loaded())
        return;
    Loaded() = true; // also when the file or the section is missing
    const bool read = Reader().LoadSection("config", File().c_str());
    Values().clear();
    if (!read)
    {
        const std::string why = PFile::Exists(File()) ? " has no constants in section [config]" : " not found";
        GDebugLog::Instance().LogError("Simulation constants " + File() + why +
                                       ": the game uses its built-in hour length and bay delay, and 0 for the rest");
    }
    for (const SIM_SimConstant& c : Constants())
    {
        const bool present = Reader().HasKey(c.key);
        const std::string& text = Reader().GetValue(c.key);
        const float value = ValueOf(c, text, present);
        Values().push_back(value);
        // A whole missing file was reported once above.
        const std::string problem = read ? Problem(c, text, present) : std::string();
        if (!problem.empty())
            GDebugLog::Instance().LogError(FormatString("%s: %s %s; the game uses %g", File().c_str(), c.key,
                                                        problem.c_str(), static_cast<double>(value)));
    }
}

float SIM_SimConfig::GetFloat(const char* key)
{
    LoadIfNeeded();
    const std::vector<SIM_SimConstant>& constants = Constants();
    for (size_t i = 0; i < constants.size(); ++i)
        if (std::strcmp(constants[i].key, key) == 0)
            return Values()[i];
    // Other keys: the leading number of the first 63 characters, 0.0 when there is none.
    const std::string value = Reader().GetValue(key);
    char buffer[64];
    std::strncpy(buffer, value.c_str(), sizeof(buffer) - 1);
    buffer[sizeof(buffer) - 1] = '\0';
    if (buffer[0] == '\0')
        return 0.0f;
    return static_cast<float>(std::strtod(buffer, nullptr));
}
