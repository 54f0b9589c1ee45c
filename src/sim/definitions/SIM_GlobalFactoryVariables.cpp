// The factory-wide multipliers and the global upgrades that research grants.
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "engine/core/GLifetime.h"
#include "sim/definitions/SIM_DataNames.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "engine/core/IniLoader.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

#include <cstdio>

SIM_GlobalFactoryVariables& SIM_GlobalFactoryVariables::Instance()
{
    return GLifetime::Get<SIM_GlobalFactoryVariables>();
}

SIM_GlobalFactoryVariables::SIM_GlobalFactoryVariables()
{
    m_variables[GFV_CONVEYOR_SPEED].name = SIM_DataNames::kVarConveyorSpeed;
    m_variables[GFV_RESOURCE_CONV_SPEED].name = SIM_DataNames::kVarResourceConveyorSpeed;
    m_variables[GFV_IMPORT_RATE_SPEED].name = SIM_DataNames::kVarImportRateSpeed;
}

void SIM_GlobalFactoryVariables::Load(const std::string& root)
{
    m_globalUpgrades.clear();
    GFileList files;
    files.m_keepFolder = true;
    files.Find(root + "/global_upgrades/*.txt");
    IniLoader config;
    for (const std::string& path : files.GetFiles())
    {
        config.Load("config", path);
        GlobalUpgrade upgrade;
        upgrade.variableName = config.GetValue("VariableName");
        upgrade.value = config.GetFloat("Value");
        upgrade.researchName = config.GetValue("ResearchName");
        m_globalUpgrades.push_back(upgrade);
    }
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
    // Cars divide their conveyor time by these; at zero or below they would never arrive or
    // would run backwards, so a multiplier never falls below a small positive floor.
    for (Variable& variable : m_variables)
        if (!(variable.multiplier >= kMinimumMultiplier))
        {
            GDebugLog::Instance().LogError("Global factory variable " + variable.name + " below its floor");
            variable.multiplier = kMinimumMultiplier;
        }
}

SIM_GlobalFactoryVariables::Variable* SIM_GlobalFactoryVariables::FindVariable(const std::string& name)
{
    for (Variable& variable : m_variables)
        if (variable.name == name)
            return &variable;
    char text[256];
    std::snprintf(text, sizeof text, "Global factory variable [%s] not found", name.c_str());
    DebugErrorBox(text, "SIM_GlobalFactoryVariables", 89);
    return nullptr;
}
