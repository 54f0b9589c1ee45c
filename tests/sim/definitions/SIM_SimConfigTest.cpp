// Simulation constants by name.
#include "tests/sim/SimTestSupport.h"

#include "engine/core/GDebugLog.h"
#include "sim/definitions/SIM_SimConfig.h"

#include <gtest/gtest.h>

namespace sim_simconfig_test
{
TEST(SimSimConfig, ReadsConstantsByNameWithTheFileRules)
{
    simtest::ScratchDir logs;
    GDebugLog::Instance().Open(logs.File("user"));
    SIM_SimConfig::UseFile(simtest::DataPath("simconfig.txt"));
    struct Case
    {
        const char* key;
        float value;
    };
    const Case cases[] = {
        {"HOUR_LENGTH", 1000.0f},                    // an integer
        {"HOURLY_WAGE", 12.5f},                      // a decimal value
        {"POWER_BASE_COST", 3.0f},                   // present twice: the first counts
        {"SLOT_REFUND_PERCENTAGE", 0.5f},            // "2.5 percent": not a number, the built-in value
        {"CONVEYOR_IMPORT_BAY_DELAY", 400.0f},       // no number at all: the built-in value
        {"CONVEYOR_OCCUPIED_COST_MULTIPLIER", 0.0f}, // missing, and 0 is a sensible factor
        {"hour_length", 0.0f},                       // keys are matched exactly
        {"", 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(SIM_SimConfig::GetFloat(c.key), c.value) << c.key;
    // Only the first 63 characters of a value are converted: "1.000...0e5" loses its exponent.
    EXPECT_FLOAT_EQ(SIM_SimConfig::GetFloat("LONG_VALUE"), 1.0f);
    // Each bad constant is one line of the error log that names the file, the key and the value.
    const std::string errors = simtest::ReadText(GDebugLog::Instance().GetErrorPath());
    for (const char* line : {"simconfig.txt: SLOT_REFUND_PERCENTAGE '2.5 percent' is not a number; the game uses 0.5",
                             "simconfig.txt: CONVEYOR_IMPORT_BAY_DELAY 'abc' is not a number; the game uses 400",
                             "simconfig.txt: CONVEYOR_OCCUPIED_COST_MULTIPLIER is missing (reads 0); the game uses 0"})
        EXPECT_NE(errors.find(line), std::string::npos) << line << "\n" << errors;
    EXPECT_EQ(errors.find("HOURLY_WAGE"), std::string::npos);
    GDebugLog::Instance().Close();
}

TEST(SimSimConfig, BadConstantsFallBackToSensibleValues)
{
    struct Case
    {
        const char* key;
        const char* text;
        bool present;
        float value;
        const char* problem; // start of the problem text, "" for none
    };
    const Case cases[] = {
        {"HOUR_LENGTH", "0", true, 30000.0f, "'0' is out of range (must be at least 1000"},
        {"HOUR_LENGTH", "-5", true, 30000.0f, "'-5' is out of range"},
        {"HOUR_LENGTH", "1e39", true, 30000.0f, "'1e39' is not a number"},
        {"HOUR_LENGTH", "nan", true, 30000.0f, "'nan' is not a number"},
        {"HOUR_LENGTH", "", false, 30000.0f, "is missing"},
        {"HOUR_LENGTH", " 45000 ", true, 45000.0f, ""},
        {"CONVEYOR_IMPORT_BAY_DELAY", "0", true, 400.0f, "'0' is out of range (must be above 0"},
        {"HOURLY_WAGE", "-1", true, 50.0f, "'-1' is out of range (must be at least 0"},
        {"HOURLY_WAGE", "0", true, 0.0f, ""},
        {"SLOT_REFUND_PERCENTAGE", "1.5", true, 0.5f, "'1.5' is out of range (must be at least 0 and at most 1)"},
        {"POWER_BASE_COST", "0.05", true, 0.05f, ""},
    };
    for (const Case& c : cases)
    {
        const SIM_SimConstant* constant = SIM_SimConfig::FindConstant(c.key);
        ASSERT_NE(constant, nullptr) << c.key;
        EXPECT_FLOAT_EQ(SIM_SimConfig::ValueOf(*constant, c.text, c.present), c.value) << c.key << " " << c.text;
        EXPECT_EQ(SIM_SimConfig::Problem(*constant, c.text, c.present).rfind(c.problem, 0), 0u)
            << c.key << " " << c.text << ": " << SIM_SimConfig::Problem(*constant, c.text, c.present);
    }
}

TEST(SimSimConfig, AMissingFileKeepsTheClockAtItsBuiltInPace)
{
    SIM_SimConfig::UseFile(simtest::DataPath("no_such_simconfig.txt"));
    EXPECT_EQ(SIM_SimConfig::GetFloat("HOUR_LENGTH"), 30000.0f);
    EXPECT_EQ(SIM_SimConfig::GetFloat("CONVEYOR_IMPORT_BAY_DELAY"), 400.0f);
    EXPECT_EQ(SIM_SimConfig::GetFloat("HOURLY_WAGE"), 0.0f);
    EXPECT_EQ(SIM_SimConfig::GetFloat("UNKNOWN_KEY"), 0.0f);
    SIM_SimConfig::UseFile(simtest::DataPath("simconfig.txt"));
    EXPECT_EQ(SIM_SimConfig::GetFloat("HOUR_LENGTH"), 1000.0f);
}
}
