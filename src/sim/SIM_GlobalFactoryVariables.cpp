// The factory-wide multipliers and the global upgrades that research grants.
#include "sim/SIM_GlobalFactoryVariables.h"

#include "sim/SIM_ResearchManager.h"
#include "sim/SIM_Researchable.h"

SIM_GlobalFactoryVariables& SIM_GlobalFactoryVariables::Instance()
{
    static SIM_GlobalFactoryVariables instance;
    return instance;
}

SIM_GlobalFactoryVariables::SIM_GlobalFactoryVariables()
{
    m_variables[GFV_CONVEYOR_SPEED].name = "GFV_CONVEYOR_SPEED";
    m_variables[GFV_RESOURCE_CONV_SPEED].name = "GFV_RESOURCE_CONV_SPEED";
    m_variables[GFV_IMPORT_RATE_SPEED].name = "GFV_IMPORT_RATE_SPEED";
}

void SIM_GlobalFactoryVariables::Load(const std::string& root)
{
    (void)root;
    m_globalUpgrades.clear();
    Recalculate();
}

void SIM_GlobalFactoryVariables::Recalculate()
{
    for (Variable& variable : m_variables)
        variable.multiplier = 1.0f;
    for (const GlobalUpgrade& upgrade : m_globalUpgrades)
    {
        const SIM_Researchable* research = SIM_ResearchManager::Instance().GetResearchable(upgrade.researchName);
        if (!research || !research->IsComplete())
            continue;
        if (Variable* variable = FindVariable(upgrade.variableName))
            variable->multiplier += upgrade.value;
    }
}

SIM_GlobalFactoryVariables::Variable* SIM_GlobalFactoryVariables::FindVariable(const std::string& name)
{
    for (Variable& variable : m_variables)
        if (variable.name == name)
            return &variable;
    return nullptr;
}
