// The definition load of a new game, without the rest of the set-up.
#include "sim/definitions/SIM_DefinitionTree.h"

#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/research/SIM_ResearchManager.h"

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
