// The definition load of a new game, without the rest of the set-up.
#include "sim/SIM_DefinitionTree.h"

#include "sim/SIM_FacilityManager.h"
#include "sim/SIM_GlobalFactoryVariables.h"
#include "sim/SIM_ProductionTaskManager.h"
#include "sim/SIM_PropTypeManager.h"
#include "sim/SIM_ResearchManager.h"
#include "sim/SIM_ResourceManager.h"
#include "sim/SIM_SlotUpgradeManager.h"
#include "sim/SIM_VehicleComponentTypeManager.h"
#include "sim/SIM_VehicleFeatureManager.h"

void LoadDefinitionTree(const std::string& simRoot)
{
    SIM_PropTypeManager::Instance().Load(simRoot);
    SIM_ResourceManager::Instance().Load(simRoot);
    SIM_VehicleFeatureManager::Instance().Load(simRoot);
    SIM_ResearchManager::Instance().Clear();
    SIM_ResearchManager::Instance().Load(simRoot);
    SIM_VehicleComponentTypeManager::Instance().Load(simRoot);
    SIM_SlotUpgradeManager::Instance().Load(simRoot);
    SIM_ProductionTaskManager::Instance().Load(simRoot);
    SIM_FacilityManager::Instance().Load(simRoot);
    SIM_GlobalFactoryVariables::Instance().Load(simRoot);
}
