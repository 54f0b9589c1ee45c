// Broken data files (empty, binary, short rows, junk numbers) load without a crash and leave
// only what can be read.
#include "tests/sim/DefsTestData.h"

#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/research/SIM_ResearchManager.h"

class DefinitionBadDataTest : public DefsTestData
{
protected:
    void SetUp() override
    {
        DefsTestData::SetUp();
        LoadAll(Root("bad"));
    }
};

TEST_F(DefinitionBadDataTest, ShortRowsKeepWhatTheyNameAndSkipTheNameless)
{
    const auto& resources = SIM_ResourceManager::Instance().GetResources();
    ASSERT_EQ(resources.size(), 2u); // "#1" and the nameless row are skipped
    const SIM_Resource* copper = SIM_ResourceManager::Instance().GetResource("copper");
    ASSERT_NE(copper, nullptr);
    EXPECT_FLOAT_EQ(copper->m_basePrice, 12.0f);  // junk after the number
    EXPECT_FLOAT_EQ(copper->m_spriteScale, 0.0f); // "nan" is no number
    EXPECT_TRUE(copper->IsComponent());
    const SIM_Resource* iron = SIM_ResourceManager::Instance().GetResource("iron");
    ASSERT_NE(iron, nullptr);
    EXPECT_FLOAT_EQ(iron->m_prices[0], 0.0f);

    ASSERT_EQ(SIM_VehicleFeatureManager::Instance().GetFeatures().size(), 1u);
    EXPECT_FLOAT_EQ(SIM_VehicleFeatureManager::Instance().GetFeatures()[0]->GetValue(), 0.0f);
    EXPECT_TRUE(SIM_ResearchManager::Instance().GetItems().empty());
    EXPECT_NE(NewErrors().find("row without a name"), std::string::npos);
}

TEST_F(DefinitionBadDataTest, TaskFileWithJunkValues)
{
    const SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask("task_short");
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->m_guiLevel, 2147483647); // clamped, not overflowed
    // Empty pieces read as 0; 9 and -1 are no sides.
    EXPECT_EQ(task->m_exitDirections, (std::vector<int>{0, 0, 3}));
    ASSERT_EQ(task->m_tiles.size(), 1u);
    EXPECT_TRUE(task->m_tiles[0].props.empty()); // no prop type named
    EXPECT_EQ(task->m_subTasksApplied, (std::vector<std::string>{"task_short", "other"}));
    // The row without cells sets zeros; the empty-named rows find no task.
    EXPECT_FLOAT_EQ(task->m_processTime, 0.0f);
    EXPECT_EQ(task->m_iconColour.r, 0);
}

TEST_F(DefinitionBadDataTest, BinaryAndEmptyFilesGiveEmptyDefinitions)
{
    // Binary files still become (empty) definitions, as a folder of data files always does.
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        EXPECT_TRUE(task->GetName() == "task_short" || task->GetName().empty()) << task->GetName();
    EXPECT_EQ(SIM_SlotUpgradeManager::Instance().GetUpgrades().size(), 1u);
    EXPECT_EQ(SIM_FacilityManager::Instance().GetTasks().size(), 1u);
    for (int i = 0; i < GFV_COUNT; ++i)
        EXPECT_FLOAT_EQ(SIM_GlobalFactoryVariables::Instance().GetMultiplier(i), 1.0f);
}
