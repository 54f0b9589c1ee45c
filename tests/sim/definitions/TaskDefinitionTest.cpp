// Task and facility definitions read from the test tree: footprints, props, robots, staff,
// upgrades, the task file's keys, tasks.csv, the build-menu order and composite tasks.
#include "tests/sim/DefsTestData.h"

#include "engine/core/IniLoader.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_SlotUpgrade.h"

#include <string>
#include <vector>

class TaskDefinitionTest : public DefsTestData
{
protected:
    void SetUp() override
    {
        DefsTestData::SetUp();
        LoadAll();
    }
    static SIM_ProductionTask* Task(const std::string& name)
    {
        SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(name);
        EXPECT_NE(task, nullptr) << name;
        return task;
    }
    // "name@position/facing" per prop of a tile, in order.
    static std::vector<std::string> Props(const TaskTileDef& tile)
    {
        std::vector<std::string> out;
        for (const auto& prop : tile.props)
            out.push_back(prop->propType->GetName() + "@" + std::to_string(prop->position) + "/" +
                          std::to_string(prop->facing));
        return out;
    }
};

TEST_F(TaskDefinitionTest, FootprintTilesKeepOffsetsTexturesAndTypes)
{
    const SIM_ProductionTask* task = Task("task_anchor");
    ASSERT_NE(task, nullptr);
    struct Expected
    {
        int x, y;
        const char* texture;
        int type;
    };
    const Expected expected[] = {
        {0, 0, "conveyor_insert01_SE.dds", TT_NORMAL}, // "tile" ignores its offsets
        {1, -2, "floor_plain_01.dds", TT_STOCKPILE},   // no texture key
        {2, -2, "", TT_EXPORT},                        // empty texture stays empty (not TT_NORMAL)
        {0, 0, "floor_plain_01.dds", TT_NORMAL},       // tiles4 without offsets; wrong-case type
    };
    ASSERT_EQ(task->m_tiles.size(), std::size(expected)); // the "notes" section is no tile
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(task->m_tiles[i].XOffset, expected[i].x);
        EXPECT_EQ(task->m_tiles[i].YOffset, expected[i].y);
        EXPECT_EQ(task->m_tiles[i].texture, expected[i].texture);
        EXPECT_EQ(task->m_tiles[i].type, expected[i].type);
    }
}

TEST_F(TaskDefinitionTest, PropListsClampStopAtGapsAndGetRobotsOnVehicleAnchors)
{
    const SIM_ProductionTask* task = Task("task_anchor");
    ASSERT_NE(task, nullptr);
    using Names = std::vector<std::string>;
    // Anchor: own props, then the robot pair; the facing -1 is kept within 0..3.
    EXPECT_EQ(Props(task->m_tiles[0]), (Names{"employee@5/1", "scientist@6/3", "robot2@1/1", "robot2@13/3"}));
    // 22 clamps to 15, -4 to 0; the gap at prop2 hides prop3.
    EXPECT_EQ(Props(task->m_tiles[1]), (Names{"employee@15/1", "pallet@0/1"}));
    // An unknown prop type ends the list there.
    EXPECT_EQ(Props(task->m_tiles[2]), (Names{"pallet@1/0"}));
    // Any tile at (0, 0) of a vehicle task with robots gets the pair.
    EXPECT_EQ(Props(task->m_tiles[3]), (Names{"robot2@1/1", "robot2@13/3"}));
    EXPECT_NE(NewErrors().find("Missing Prop Type:[no_such_prop]"), std::string::npos);
}

TEST_F(TaskDefinitionTest, RobotsOnlyForVehicleTasksWithRobots)
{
    struct Case
    {
        const char* task;
        bool robots;
    };
    const Case cases[] = {
        {"task_component", false},   // component task
        {"task_standalone", false},  // standalone task
        {"task_conveyor_two", true}, // conveyor, but has_robots switched back on
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.task);
        const SIM_ProductionTask* task = Task(c.task);
        ASSERT_NE(task, nullptr);
        ASSERT_FALSE(task->m_tiles.empty());
        bool hasRobot = false;
        for (const auto& prop : task->m_tiles[0].props)
            hasRobot = hasRobot || prop->propType->GetName() == "robot2";
        EXPECT_EQ(hasRobot, c.robots);
    }
    const SIM_FacilityTask* lab = SIM_FacilityManager::Instance().GetTask("fac_locked_lab");
    ASSERT_NE(lab, nullptr);
    EXPECT_EQ(lab->m_tiles[0].props.size(), 2u);
}

TEST_F(TaskDefinitionTest, ConveyorFlagDecidesUntypedTiles)
{
    EXPECT_EQ(Task("task_conveyor")->m_tiles[0].type, TT_CONVEYOR); // is_conveyor exactly 1
    EXPECT_EQ(Task("task_conveyor")->m_tiles[1].type, TT_EXPORT);
    EXPECT_EQ(Task("task_conveyor_two")->m_tiles[0].type, TT_NORMAL); // is_conveyor 2
}

TEST_F(TaskDefinitionTest, StaffAreEmployeeScientistAndBusinessmanPropsInFootprintOrder)
{
    const SIM_ProductionTask* task = Task("task_anchor");
    ASSERT_NE(task, nullptr);
    std::vector<std::string> staff;
    for (const TaskPropDef* entry : task->m_staff)
        staff.push_back(entry->propType->GetName() + "@" + std::to_string(entry->position));
    EXPECT_EQ(staff, (std::vector<std::string>{"employee@5", "scientist@6", "employee@15"}));
    // Staff point at the tile records' own entries.
    EXPECT_EQ(task->m_staff[0], task->m_tiles[0].props[0].get());
    EXPECT_EQ(SIM_FacilityManager::Instance().GetTask("fac_locked_lab")->m_staff.size(), 2u);
}

TEST_F(TaskDefinitionTest, UpgradesSectionNamesUpgradesByValueOnly)
{
    const SIM_ProductionTask* task = Task("task_anchor");
    ASSERT_NE(task, nullptr);
    // "a = upg_fast" found; "b = no_such_upgrade" skipped; the bare "upg_shared" names nothing.
    ASSERT_EQ(task->m_upgrades.size(), 1u);
    EXPECT_EQ(task->m_upgrades[0]->GetName(), "upg_fast");
    EXPECT_TRUE(task->HasUpgrade("upg_fast"));
    EXPECT_FALSE(task->HasUpgrade("upg_shared"));
    EXPECT_FALSE(task->HasUpgrade("UPG_FAST"));
    EXPECT_NE(NewErrors().find("Missing Upgrade:[no_such_upgrade]"), std::string::npos);
}

TEST_F(TaskDefinitionTest, TaskKindRobotsAndConveyorFollowTheTaskSection)
{
    struct Case
    {
        const char* task;
        int kind;
        bool conveyor;
        bool robots;
    };
    const Case cases[] = {
        {"task_anchor", TASK_VEHICLE, false, true},      // neither key: robots on
        {"task_conveyor", TASK_VEHICLE, true, false},    // is_conveyor 1 alone
        {"task_conveyor_two", TASK_VEHICLE, true, true}, // is_conveyor and has_robots
        {"task_component", TASK_COMPONENT, false, true},
        {"task_lowercase", TASK_VEHICLE, false, false}, // "Component" is no kind keyword
        {"task_standalone", TASK_STANDALONE, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.task);
        const SIM_ProductionTask* task = Task(c.task);
        ASSERT_NE(task, nullptr);
        EXPECT_EQ(task->m_kind, c.kind);
        EXPECT_EQ(task->IsConveyor(), c.conveyor);
        EXPECT_EQ(task->m_hasRobots, c.robots);
    }
}

TEST_F(TaskDefinitionTest, TaskFileListsAndStrings)
{
    const SIM_ProductionTask* task = Task("task_anchor");
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->GetGuiName(), "Anchor Station");
    EXPECT_EQ(task->GetParentName(), "task_group");
    EXPECT_EQ(task->m_placementSound, "clunk.ogg");
    EXPECT_FLOAT_EQ(task->m_guiIndex, 1.5f);
    EXPECT_EQ(task->m_sprites[0], "anchor_ne");
    EXPECT_EQ(task->m_sprites[3], "anchor_nw");
    EXPECT_EQ(task->m_exitDirections, (std::vector<int>{0, 2}));
    EXPECT_EQ(task->m_inputDirections, (std::vector<int>{2})); // 7 is no side
    EXPECT_TRUE(Task("task_group")->m_exitDirections.empty());
    EXPECT_EQ(task->m_subTasksApplied, (std::vector<std::string>{"task_anchor"}));
    EXPECT_EQ(task->m_subTasksRequired, (std::vector<std::string>{"task_paint", "task_fit"}));
    // Equal resource lines stay separate entries; the unknown one is dropped.
    ASSERT_EQ(task->m_resources.size(), 2u);
    EXPECT_EQ(task->m_resources[0].resource->GetName(), "steel");
    EXPECT_EQ(task->m_resources[0].count, 2);
    EXPECT_EQ(task->m_resources[1].count, 3);
    ASSERT_EQ(task->m_exports.size(), 1u);
    EXPECT_EQ(task->m_exports[0].resource->GetName(), "seat");
}

TEST_F(TaskDefinitionTest, TableRowsCompleteTasks)
{
    struct Case
    {
        const char* task;
        float time, cost, power;
        int r, g, b;
        const char* icon;
    };
    const Case cases[] = {
        {"task_anchor", 10, 500, 2, 10, 20, 30, "icon_anchor"},
        {"task_conveyor", 1, 12, 0, 40, 0, 0, "icon_conv"}, // 12.9 drops its fraction; unquoted colour
        {"task_group", 0, 0, 0, 255, 0, 0, ""},             // no row
        {"task_a", 5, 100, 2, 1, 2, 3, "icon_a2"},          // a later row overwrites
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.task);
        const SIM_ProductionTask* task = Task(c.task);
        ASSERT_NE(task, nullptr);
        EXPECT_FLOAT_EQ(task->m_processTime, c.time);
        EXPECT_FLOAT_EQ(task->m_constructionCost, c.cost);
        EXPECT_FLOAT_EQ(task->m_powerDemand, c.power);
        EXPECT_EQ(task->m_iconColour.r, c.r);
        EXPECT_EQ(task->m_iconColour.g, c.g);
        EXPECT_EQ(task->m_iconColour.b, c.b);
        EXPECT_EQ(task->m_iconColour.a, 255);
        EXPECT_EQ(task->GetIcon(), c.icon);
    }
    // The floor texture fills only empty TT_NORMAL tiles, and the first row got there first.
    EXPECT_EQ(Task("task_a")->m_tiles[0].texture, "floor_a.dds");
    EXPECT_EQ(Task("task_a")->m_tiles[1].texture, "");
    EXPECT_EQ(Task("task_anchor")->m_tiles[2].texture, "");
    // A row for a task no file defines adds nothing and is reported.
    EXPECT_EQ(SIM_ProductionTaskManager::Instance().GetTask("task_ghost"), nullptr);
    EXPECT_NE(NewErrors().find("task_ghost"), std::string::npos);
}

TEST_F(TaskDefinitionTest, TasksAreSortedByLevelHighestFirstAndFoundExactly)
{
    const auto& tasks = SIM_ProductionTaskManager::Instance().GetTasks();
    for (size_t i = 1; i < tasks.size(); ++i)
        EXPECT_GE(tasks[i - 1]->m_guiLevel, tasks[i]->m_guiLevel) << i;
    EXPECT_EQ(tasks.back()->GetName(), "task_conveyor_two"); // -1 after 0
    // Lookups take the first in sorted order: the higher-level duplicate.
    EXPECT_EQ(Task("task_dup")->GetGuiName(), "Duplicate High");
    EXPECT_EQ(SIM_ProductionTaskManager::Instance().GetTask("Task_Anchor"), nullptr);
}

TEST_F(TaskDefinitionTest, ParentsAreMarkedByName)
{
    EXPECT_TRUE(Task("task_group")->m_hasChildren);
    EXPECT_FALSE(Task("task_anchor")->m_hasChildren);
    EXPECT_FALSE(Task("task_conveyor_two")->m_hasChildren);
}

TEST_F(TaskDefinitionTest, CompositeTasksSumTheirSteps)
{
    // Steps A (100, 5, 2) and B (50, 3, 1) with a tier multiplier of 1.5; the own name and an
    // unknown name contribute nothing; the own table values are discarded.
    const SIM_ProductionTask* combo = Task("task_combo");
    ASSERT_NE(combo, nullptr);
    EXPECT_FLOAT_EQ(combo->m_constructionCost, 225.0f);
    EXPECT_FLOAT_EQ(combo->m_processTime, 8.0f);
    EXPECT_FLOAT_EQ(combo->m_powerDemand, 3.0f);
    // Resources merge into the first entry of the same kind.
    std::vector<std::string> resources;
    for (const TaskResourceAmount& amount : combo->m_resources)
        resources.push_back(amount.resource->GetName() + "=" + std::to_string(amount.count));
    EXPECT_EQ(resources, (std::vector<std::string>{"steel=15", "paint=2", "seat=1"}));
    EXPECT_NE(NewErrors().find("no_such_task"), std::string::npos);

    // Only the own name: nothing changes.
    const SIM_ProductionTask* single = Task("task_single");
    EXPECT_FLOAT_EQ(single->m_constructionCost, 70.0f);
    ASSERT_EQ(single->m_resources.size(), 1u);
    EXPECT_EQ(single->m_resources[0].count, 2);

    // One step: the table values stay, only the resources merge.
    const SIM_ProductionTask* one = Task("task_one");
    EXPECT_FLOAT_EQ(one->m_constructionCost, 60.0f);
    EXPECT_FLOAT_EQ(one->m_processTime, 6.0f);
    ASSERT_EQ(one->m_resources.size(), 2u);
    EXPECT_EQ(one->m_resources[0].resource->GetName(), "paint");
    EXPECT_EQ(one->m_resources[0].count, 3);
    EXPECT_EQ(one->m_resources[1].resource->GetName(), "steel");
}

TEST_F(TaskDefinitionTest, FacilitiesReadTheirTaskSectionAndKeepIt)
{
    const SIM_FacilityTask* lab = SIM_FacilityManager::Instance().GetTask("fac_locked_lab");
    ASSERT_NE(lab, nullptr);
    EXPECT_FLOAT_EQ(lab->m_constructionCost, 1500.0f); // fraction dropped
    EXPECT_FLOAT_EQ(lab->m_processTime, 2.5f);         // fraction kept
    EXPECT_TRUE(lab->m_locked);
    EXPECT_EQ(lab->GetClassName(), "");
    EXPECT_EQ(lab->m_kind, TASK_STANDALONE);
    EXPECT_EQ(lab->m_iconColour.r, 128);
    EXPECT_EQ(lab->GetTaskSection().GetValue("research_points_earned"), "5");

    const SIM_FacilityTask* plant = SIM_FacilityManager::Instance().GetTask("fac_power_plant");
    ASSERT_NE(plant, nullptr);
    EXPECT_EQ(plant->GetClassName(), "SIM_PowerplantSlot");
    EXPECT_FLOAT_EQ(plant->m_powerDemand, 1.5f);
    EXPECT_EQ(plant->m_placementSound, "hum.ogg");
    EXPECT_EQ(plant->GetTaskSection().GetValue("power_supply"), "40");
    EXPECT_TRUE(plant->HasUpgrade("upg_shared"));

    EXPECT_EQ(SIM_FacilityManager::Instance().GetTask("fac_dup")->GetGuiName(), "First Duplicate");
}
