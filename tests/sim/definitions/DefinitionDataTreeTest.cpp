// The game's own data tree loads without a single assertion or missing name.
#include "tests/sim/DefsTestData.h"

#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/VehicleColor.h"
#include "sim/research/SIM_ResearchManager.h"

#include <filesystem>

class DefinitionDataTreeTest : public DefsTestData
{
};

TEST_F(DefinitionDataTreeTest, GameDataLoadsCleanly)
{
    const std::string data = std::string(FV_SOURCE_DIR) + "/data";
    const std::string root = data + "/simulation";
    if (!std::filesystem::exists(root))
        GTEST_SKIP() << "no data/simulation in this tree";
    LoadAll(root, data);
    LoadVehicleColors(root + "/car_colors.txt");

    EXPECT_FALSE(SIM_PropTypeManager::Instance().GetPropTypes().empty());
    EXPECT_FALSE(SIM_ResourceManager::Instance().GetResources().empty());
    EXPECT_FALSE(SIM_ResearchManager::Instance().GetItems().empty());
    EXPECT_FALSE(SIM_ProductionTaskManager::Instance().GetTasks().empty());
    EXPECT_FALSE(SIM_FacilityManager::Instance().GetTasks().empty());
    EXPECT_FALSE(GetVehicleColors().empty());
    // Names the code looks up itself.
    for (const char* name : {"task_export", "task_fit chassis", "task_resource_conveyor", "task_conveyor"})
        EXPECT_NE(SIM_ProductionTaskManager::Instance().GetTask(name), nullptr) << name;
    for (const char* name : {"employee", "robot2", "pallet"})
        EXPECT_NE(SIM_PropTypeManager::Instance().GetPropType(name), nullptr) << name;
    EXPECT_NE(SIM_FacilityManager::Instance().GetTask("fac_research_office"), nullptr);
    for (const SIM_SlotUpgrade* upgrade : SIM_SlotUpgradeManager::Instance().GetUpgrades())
        EXPECT_NE(upgrade->m_research, nullptr) << upgrade->GetName();
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        EXPECT_GT(task->m_processTime, 0.0f) << task->GetName();

    const std::string errors = NewErrors();
    EXPECT_EQ(errors.find("Assertion failure"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("Missing"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("missing"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("not found"), std::string::npos) << errors;
}
