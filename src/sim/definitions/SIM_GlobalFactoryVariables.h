// Factory-wide multipliers that research raises: how fast cars ride conveyors, how fast resources
// travel overhead and how fast import bays send. They always follow the completed research.
#pragma once

#include <string>
#include <vector>

enum GlobalFactoryVariableIndex
{
    GFV_CONVEYOR_SPEED = 0,
    GFV_RESOURCE_CONV_SPEED = 1,
    GFV_IMPORT_RATE_SPEED = 2,
    GFV_COUNT = 3,
};

class SIM_GlobalFactoryVariables
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    struct GlobalUpgrade
    {
        std::string researchName;
        float value = 0.0f;
        std::string variableName;
    };
    struct Variable
    {
        float multiplier = 1.0f;
        std::string name;
    };

    // Lowest multiplier the research can leave; below it movement would stop or reverse.
    static constexpr float kMinimumMultiplier = 0.05f;

    static SIM_GlobalFactoryVariables& Instance();
    SIM_GlobalFactoryVariables();
    virtual ~SIM_GlobalFactoryVariables() = default;

    // Reads every <root>/global_upgrades/*.txt (root is "data/simulation" in the game), then
    // recomputes.
    void Load(const std::string& root = "data/simulation");
    // Every multiplier back to 1.0 plus the values of the global upgrades whose research is complete.
    void Recalculate();
    // The variable of that name, or null after an error report.
    Variable* FindVariable(const std::string& name);

    float GetMultiplier(int index) const
    {
        return (index >= 0 && index < GFV_COUNT) ? m_variables[index].multiplier : 1.0f;
    }

    std::vector<GlobalUpgrade> m_globalUpgrades;
    Variable m_variables[GFV_COUNT];
};
