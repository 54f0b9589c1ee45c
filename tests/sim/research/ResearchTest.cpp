// The research tree, what completing research unlocks, and the factory-wide multipliers.
#include "tests/sim/DefsTestData.h"

#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

#include <algorithm>
#include <map>

class ResearchTest : public DefsTestData
{
protected:
    void SetUp() override
    {
        DefsTestData::SetUp();
        LoadAll();
    }
    static SIM_Researchable* Item(const std::string& name)
    {
        SIM_Researchable* item = SIM_ResearchManager::Instance().GetResearchable(name);
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
    // Which of the lockable tasks and facilities are still locked.
    static std::map<std::string, bool> Locks()
    {
        std::map<std::string, bool> locks;
        for (const char* name : {"task_locked_a", "task_locked_b", "task_locked_c"})
            locks[name] = SIM_ProductionTaskManager::Instance().GetTask(name)->m_locked;
        locks["fac_locked_lab"] = SIM_FacilityManager::Instance().GetTask("fac_locked_lab")->m_locked;
        return locks;
    }
    // What a loaded game does for finished research: full progress, then a silent completion.
    static void Finish(const std::string& name)
    {
        SIM_Researchable* item = Item(name);
        item->m_progress = item->m_cost;
        item->Complete(true);
    }
    static float Multiplier(int index) { return SIM_GlobalFactoryVariables::Instance().GetMultiplier(index); }
};

// Counts what completion tells the screens.
class ResearchTestListener : public SIM_PresentationListener
{
public:
    int rebuilds = 0, refreshes = 0;
    SIM_Researchable* shown = nullptr;
    void RebuildTaskPicker() override { ++rebuilds; }
    void RefreshTechTree() override { ++refreshes; }
    void ShowResearchComplete(SIM_Researchable* item) override { shown = item; }
};

TEST_F(ResearchTest, RowsAreReadAndLinkedIntoATree)
{
    const SIM_Researchable* basics = Item("research_basics");
    const SIM_Researchable* tools = Item("research_tools");
    const SIM_Researchable* orphan = Item("research_orphan");
    ASSERT_TRUE(basics && tools && orphan);
    EXPECT_EQ(basics->m_description, "Start, of the tree");
    EXPECT_EQ(basics->m_prerequisite, nullptr);
    EXPECT_EQ(tools->m_prerequisite, basics);
    ASSERT_EQ(basics->m_children.size(), 2u);
    EXPECT_EQ(basics->m_children[0], tools);
    EXPECT_EQ(orphan->m_prerequisite, nullptr); // names no item
    EXPECT_FLOAT_EQ(tools->m_cost, 200.0f);
    EXPECT_EQ(tools->m_kind, RESEARCH_TECHNOLOGY);
    EXPECT_EQ(orphan->m_kind, RESEARCH_PROCESS); // neither keyword
    // A quoted list with an empty name in it; the last cell of a row.
    EXPECT_EQ(tools->m_unlocks, (std::vector<std::string>{"task_locked_a", "upg_fast"}));
    EXPECT_EQ(Item("research_belts")->m_unlocks, (std::vector<std::string>{"fac_locked_lab"}));
    EXPECT_TRUE(basics->IsComplete()); // cost 0
    EXPECT_FALSE(tools->IsComplete());
    EXPECT_EQ(SIM_ResearchManager::Instance().FindUnlockingResearch("upg_fast"), tools);
    EXPECT_EQ(SIM_ResearchManager::Instance().FindUnlockingResearch("upg_nothing"), nullptr);
}

TEST_F(ResearchTest, LoadingOverALoadedTreeIsReportedAndAddsTheItemsAgain)
{
    const size_t loaded = SIM_ResearchManager::Instance().GetItems().size();
    ASSERT_GT(loaded, 0u);
    EXPECT_EQ(NewErrors().find("SIM_ResearchManager"), std::string::npos);
    SIM_ResearchManager::Instance().Load(Root());
    EXPECT_NE(NewErrors().find("Assertion failure:filename:SIM_ResearchManager,linenum:142"), std::string::npos);
    EXPECT_EQ(SIM_ResearchManager::Instance().GetItems().size(), 2 * loaded);
    // Look-ups still find the first copy.
    EXPECT_EQ(SIM_ResearchManager::Instance().GetResearchable("research_basics"),
              SIM_ResearchManager::Instance().GetItems().front());
}

TEST_F(ResearchTest, PrerequisiteLoopsAreCut)
{
    const SIM_Researchable* a = Item("research_loop_a");
    const SIM_Researchable* b = Item("research_loop_b");
    const SIM_Researchable* self = Item("research_self");
    ASSERT_TRUE(a && b && self);
    // a links to b first; b's link back to a would close the loop and is refused.
    EXPECT_EQ(a->m_prerequisite, b);
    EXPECT_EQ(b->m_prerequisite, nullptr);
    EXPECT_EQ(self->m_prerequisite, nullptr);
    EXPECT_TRUE(self->m_children.empty());
    EXPECT_NE(NewErrors().find("Research prerequisite loop at [research_loop_b]"), std::string::npos);
}

TEST_F(ResearchTest, CompletingUnlocksExactlyItsTasksAndFacilities)
{
    using Locks_t = std::map<std::string, bool>;
    EXPECT_EQ(
        Locks(),
        (Locks_t{{"task_locked_a", true}, {"task_locked_b", true}, {"task_locked_c", true}, {"fac_locked_lab", true}}));
    Finish("research_tools");
    EXPECT_EQ(
        Locks(),
        (Locks_t{
            {"task_locked_a", false}, {"task_locked_b", true}, {"task_locked_c", true}, {"fac_locked_lab", true}}));
    Finish("research_belts");
    EXPECT_EQ(
        Locks(),
        (Locks_t{
            {"task_locked_a", false}, {"task_locked_b", true}, {"task_locked_c", true}, {"fac_locked_lab", false}}));
    Finish("research_expansion");
    EXPECT_EQ(
        Locks(),
        (Locks_t{
            {"task_locked_a", false}, {"task_locked_b", false}, {"task_locked_c", true}, {"fac_locked_lab", false}}));
}

TEST_F(ResearchTest, PointsCompleteTheCurrentResearchAndTellTheScreens)
{
    ResearchTestListener listener;
    SIM_Presentation::Instance().SetListener(&listener);
    SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    SIM_Researchable* tools = Item("research_tools");
    research.SetCurrentResearch(tools);
    research.AddResearchPoints(150.0f);
    EXPECT_FLOAT_EQ(tools->m_progress, 150.0f);
    EXPECT_EQ(research.GetCurrentResearch(), tools);
    EXPECT_EQ(listener.shown, nullptr);
    research.AddResearchPoints(80.0f); // overshoots
    EXPECT_FLOAT_EQ(tools->m_progress, 200.0f);
    EXPECT_EQ(research.GetCurrentResearch(), nullptr);
    EXPECT_EQ(listener.rebuilds, 1);
    EXPECT_EQ(listener.refreshes, 1);
    EXPECT_EQ(listener.shown, tools);
    research.AddResearchPoints(10.0f); // nothing to research
    EXPECT_EQ(listener.rebuilds, 1);
    // Silent completion (a loaded game) tells nobody.
    Finish("research_belts");
    EXPECT_EQ(listener.rebuilds, 1);
    SIM_Presentation::Instance().SetListener(nullptr);
}

TEST_F(ResearchTest, UnlockTextsNameTheUnlockedThing)
{
    const SIM_Researchable* tools = Item("research_tools");
    EXPECT_EQ(tools->GetUnlockText("task_locked_a"), "New slot: Locked A");
    EXPECT_EQ(tools->GetUnlockText("fac_locked_lab"), "New facility: Laboratory");
    EXPECT_EQ(tools->GetUnlockText("upg_fast"), "New upgrade: Fast Tools (Anchor Station, Stocked Maker)");
    EXPECT_EQ(tools->GetUnlockText("nothing_at_all"), "");
}

TEST_F(ResearchTest, UpgradeUsersStopAfterFourNames)
{
    // Five definitions offer upg_shared: four names, then "...".
    const std::string users = Item("research_orphan")->GetUpgradeUsers("upg_shared");
    EXPECT_EQ(std::count(users.begin(), users.end(), ','), 3);
    ASSERT_GE(users.size(), 3u);
    EXPECT_EQ(users.substr(users.size() - 3), "...");
    EXPECT_EQ(users.find("Power Plant"), std::string::npos); // facilities come after the tasks
    EXPECT_EQ(Item("research_orphan")->GetUpgradeUsers("upg_fast"), "Anchor Station, Stocked Maker");
    EXPECT_EQ(Item("research_orphan")->GetUpgradeUsers("upg_prop"), "");
}

TEST_F(ResearchTest, MultipliersFollowCompletedResearch)
{
    // research_basics costs nothing, so its upgrade counts from the start.
    EXPECT_FLOAT_EQ(Multiplier(GFV_CONVEYOR_SPEED), 1.0f);
    EXPECT_FLOAT_EQ(Multiplier(GFV_RESOURCE_CONV_SPEED), 1.0f); // its research does not exist
    EXPECT_FLOAT_EQ(Multiplier(GFV_IMPORT_RATE_SPEED), 1.5f);
    Finish("research_belts");
    // Two completed +0.25 upgrades on one variable.
    EXPECT_FLOAT_EQ(Multiplier(GFV_CONVEYOR_SPEED), 1.5f);
    SIM_GlobalFactoryVariables::Instance().Recalculate();
    SIM_GlobalFactoryVariables::Instance().Recalculate();
    EXPECT_FLOAT_EQ(Multiplier(GFV_CONVEYOR_SPEED), 1.5f);
    EXPECT_FLOAT_EQ(Multiplier(GFV_IMPORT_RATE_SPEED), 1.5f);
}

TEST_F(ResearchTest, UnknownVariableIsReportedOnlyOnceItsResearchIsComplete)
{
    EXPECT_EQ(NewErrors().find("GFV_WARP_SPEED"), std::string::npos);
    Finish("research_tools");
    EXPECT_NE(NewErrors().find("Global factory variable [GFV_WARP_SPEED] not found:SIM_GlobalFactoryVariables 89"),
              std::string::npos);
    EXPECT_FLOAT_EQ(Multiplier(GFV_CONVEYOR_SPEED), 1.0f);
}

TEST_F(ResearchTest, MultiplierNeverFallsToZero)
{
    SIM_GlobalFactoryVariables& variables = SIM_GlobalFactoryVariables::Instance();
    variables.m_globalUpgrades.push_back({"research_basics", -5.0f, "GFV_CONVEYOR_SPEED"});
    variables.Recalculate();
    EXPECT_FLOAT_EQ(Multiplier(GFV_CONVEYOR_SPEED), SIM_GlobalFactoryVariables::kMinimumMultiplier);
}

TEST_F(ResearchTest, WithoutGlobalUpgradesEveryMultiplierIsOne)
{
    SIM_GlobalFactoryVariables::Instance().Load(Root() + "/no_such_folder");
    for (int i = 0; i < GFV_COUNT; ++i)
        EXPECT_FLOAT_EQ(Multiplier(i), 1.0f);
}
