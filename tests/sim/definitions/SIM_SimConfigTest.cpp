// Simulation constants by name.
#include "tests/sim/SimTestSupport.h"

#include "sim/definitions/SIM_SimConfig.h"

#include <gtest/gtest.h>

namespace sim_simconfig_test
{
TEST(SimSimConfig, ReadsConstantsByNameWithTheFileRules)
{
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
        {"SLOT_REFUND_PERCENTAGE", 2.5f},            // the leading number of the value
        {"CONVEYOR_IMPORT_BAY_DELAY", 0.0f},         // no number at all
        {"CONVEYOR_OCCUPIED_COST_MULTIPLIER", 0.0f}, // missing
        {"hour_length", 0.0f},                       // keys are matched exactly
        {"", 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(SIM_SimConfig::GetFloat(c.key), c.value) << c.key;
    // Only the first 63 characters of a value are converted: "1.000...0e5" loses its exponent.
    EXPECT_FLOAT_EQ(SIM_SimConfig::GetFloat("LONG_VALUE"), 1.0f);
}

TEST(SimSimConfig, MissingFileReadsZeroForEveryKey)
{
    SIM_SimConfig::UseFile(simtest::DataPath("no_such_simconfig.txt"));
    EXPECT_EQ(SIM_SimConfig::GetFloat("HOUR_LENGTH"), 0.0f);
    EXPECT_EQ(SIM_SimConfig::GetFloat("HOURLY_WAGE"), 0.0f);
    SIM_SimConfig::UseFile(simtest::DataPath("simconfig.txt"));
    EXPECT_EQ(SIM_SimConfig::GetFloat("HOUR_LENGTH"), 1000.0f);
}
}
