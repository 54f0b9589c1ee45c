// The build menu: rows collected from made-up task sets as the menu tree, fitted to the screen,
// greyed by lock and cash, the card's sizes and money text, and, in a running game, a row's
// click arming the tool that builds it and a finished research re-collecting the rows.
#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "gui/factory/placement/GUI_BulldozerTask.h"
#include "gui/factory/placement/GUI_ConveyorPlacer.h"
#include "gui/factory/placement/GUI_FacilityPlacer.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/factory/placement/GUI_SlotChainPlacer.h"
#include "gui/factory/placement/GUI_SlotPlacer.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/screens/build/GUI_Task.h"
#include "gui/screens/build/GUI_TaskDetails.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/audio/PAudioDevice.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/world/SIM_MissionManager.h"
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// A made-up task of the menu.
std::unique_ptr<SIM_ProductionTask> MakeTask(const std::string& name, int level, float index,
                                             const std::string& parent = "", bool hasChildren = false)
{
    auto task = std::make_unique<SIM_ProductionTask>();
    task->m_name = name;
    task->m_guiName = name;
    task->m_guiLevel = level;
    task->m_guiIndex = index;
    task->m_parent = parent;
    task->m_hasChildren = hasChildren;
    task->m_kind = TASK_VEHICLE;
    return task;
}

std::vector<std::string> ListedNames(const GUI_TaskPicker& picker)
{
    std::vector<std::string> names;
    for (GUI_WindowBase* row : picker.GetListedRows())
    {
        const auto* task = dynamic_cast<GUI_Task*>(row);
        names.push_back(task ? task->GetTask()->m_name : std::string("DELETE"));
    }
    return names;
}

class BuildMenuTest : public FactoryViewTest
{
protected:
    void TearDown() override
    {
        // The made-up tasks are gone by now: the menus close without another frame.
        GUI_WindowManager::Instance().CloseAll();
        GUI_PlacementTools::Reset();
        FactoryViewTest::TearDown();
        // The test missions leave; the other screens' tests expect the game's own.
        SIM_MissionManager::Instance().Unload();
        SIM_MissionManager::Instance().Load();
    }
    // The pointer on a row and a frame of the windows, then the click.
    void ClickRow(GUI_WindowBase* row)
    {
        HoverRow(row);
        GUI_WindowManager::Instance().OnClick();
    }
    // Expands the row's ancestors, so the row is listed (on a screen tall enough for the menu).
    static GUI_Task* Reveal(GUI_TaskPicker& picker, const SIM_BaseTask* task)
    {
        std::vector<GUI_Task*> chain;
        for (const SIM_BaseTask* at = task; at;)
        {
            GUI_Task* row = picker.FindRow(at);
            if (!row)
                return nullptr;
            chain.push_back(row);
            const SIM_BaseTask* parent = SIM_ProductionTaskManager::Instance().GetTask(at->m_parent);
            at = parent && !at->m_parent.empty() ? parent : nullptr;
        }
        for (size_t i = chain.size(); i-- > 1;)
            if (!chain[i]->IsExpanded())
                chain[i]->ToggleExpand();
        return chain.front();
    }
    void HoverRow(GUI_WindowBase* row)
    {
        m_world.input.MoveTo(static_cast<float>(row->GetLeft() + 60), static_cast<float>(row->GetTop() + 19));
        m_world.input.Update();
        GUI_WindowManager::Instance().Update();
    }
};

TEST_F(BuildMenuTest, RowsFollowTheMenuTreeAndCollapsingKeepsTheChildrensState)
{
    std::vector<std::unique_ptr<SIM_ProductionTask>> tasks;
    tasks.push_back(MakeTask("body", 1, 2.0f, "", true));
    tasks.push_back(MakeTask("paint", 1, 1.0f));
    tasks.push_back(MakeTask("first", 1, 1.0f)); // same place as "paint": the data's order holds
    tasks.push_back(MakeTask("doors", 2, 1.0f, "body", true));
    tasks.push_back(MakeTask("handles", 3, 1.0f, "doors"));
    tasks.push_back(MakeTask("stray", 2, 0.5f, "handles")); // names a level-3 task: never listed
    tasks.push_back(MakeTask("hidden", 0, 0.0f));           // outside the menu: no row at all
    tasks.push_back(MakeTask("deep", 5, 0.0f));
    std::vector<const SIM_BaseTask*> set;
    for (const auto& task : tasks)
        set.push_back(task.get());
    GUI_TaskPicker& picker = *GUI_WindowManager::Open(std::make_unique<GUI_TaskPicker>(set));

    size_t rows = 0;
    for (int level = 0; level < GUI_TaskPicker::kLevels; ++level)
        rows += picker.GetLevel(level).size();
    EXPECT_EQ(rows, 6u);
    EXPECT_EQ(ListedNames(picker), (std::vector<std::string>{"paint", "first", "body", "DELETE"}));

    GUI_Task* body = picker.FindRow(tasks[0].get());
    GUI_Task* doors = picker.FindRow(tasks[3].get());
    ASSERT_NE(body->GetExpandButton(), nullptr);
    body->ToggleExpand();
    EXPECT_EQ(ListedNames(picker), (std::vector<std::string>{"paint", "first", "body", "doors", "DELETE"}));
    doors->ToggleExpand();
    EXPECT_EQ(ListedNames(picker), (std::vector<std::string>{"paint", "first", "body", "doors", "handles", "DELETE"}));
    body->ToggleExpand();
    EXPECT_EQ(ListedNames(picker), (std::vector<std::string>{"paint", "first", "body", "DELETE"}));
    EXPECT_TRUE(doors->IsExpanded());
    body->ToggleExpand();
    EXPECT_EQ(ListedNames(picker).size(), 6u);

    // Indents by level, the delete row last and in the window.
    EXPECT_EQ(GUI_Task::Indent(1), 10);
    EXPECT_EQ(GUI_Task::Indent(4), 100);
    EXPECT_EQ(picker.GetListedRows().back(), picker.GetDeleteRow());
    EXPECT_EQ(picker.GetDeleteRow()->GetParent(), &picker);
}

TEST_F(BuildMenuTest, TheMenuFitsTheScreenAndScrollsTheRest)
{
    std::vector<std::unique_ptr<SIM_ProductionTask>> tasks;
    std::vector<const SIM_BaseTask*> set;
    for (int i = 0; i < 30; ++i)
    {
        tasks.push_back(MakeTask(std::string("t").append(std::to_string(i)), 1, static_cast<float>(i)));
        set.push_back(tasks.back().get());
    }
    GScreenSize::Set(1280, 768);
    GUI_TaskPicker& picker = *GUI_WindowManager::Open(std::make_unique<GUI_TaskPicker>(set));
    // 31 rows would be 1210 high: cut by rows to 664, the most that fits in 768 - 80.
    EXPECT_EQ(picker.GetHeight(), 32 + 38 * 17);
    EXPECT_EQ(picker.GetBottom(), 768 - 40);
    EXPECT_EQ(picker.GetLeft(), 0);
    EXPECT_EQ(picker.GetWidth(), 360);
    EXPECT_EQ(picker.GetScrollBar()->GetFirstRow(), 0);
    picker.OnWheelDown();
    picker.Draw();
    GUI_Task* first = nullptr;
    for (GUI_WindowBase* sub : picker.GetSubWindows())
        if (!first)
            first = dynamic_cast<GUI_Task*>(sub);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetTask()->m_name, "t1");

    // A short list: exactly its rows.
    GUI_TaskPicker& small =
        *GUI_WindowManager::Open(std::make_unique<GUI_TaskPicker>(std::vector<const SIM_BaseTask*>{set[0], set[1]}));
    EXPECT_EQ(small.GetHeight(), 32 + 38 * 3);
    EXPECT_EQ(GUI_TaskPicker::GetOpen(), &small);
}

TEST_F(BuildMenuTest, ACostEqualToTheCashIsAffordableAndGreyRowsArmNothing)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionTask cheap;
    cheap.m_constructionCost = 1000.0f;
    EXPECT_TRUE(GUI_Task::IsAvailable(cheap, 1000.0f));
    EXPECT_FALSE(GUI_Task::IsAvailable(cheap, 999.99f));
    cheap.m_locked = true;
    EXPECT_FALSE(GUI_Task::IsAvailable(cheap, 5000.0f));

    auto dear = MakeTask("dear", 1, 0.0f);
    dear->m_constructionCost = SIM_FinanceManager::Instance().GetCash() + 1.0f;
    GUI_TaskPicker& own =
        *GUI_WindowManager::Open(std::make_unique<GUI_TaskPicker>(std::vector<const SIM_BaseTask*>{dear.get()}));
    GUI_Task* row = own.FindRow(dear.get());
    GUI_PlacementTools::SetDeleteMode(true);
    ClickRow(row);
    EXPECT_FALSE(row->IsAvailableNow());
    EXPECT_EQ(row->TextColour(), 0x40000000u);
    EXPECT_EQ(row->GetIcon().m_vertices[0].colour, 0x40FFFFFFu);
    EXPECT_FALSE(GUI_PlacementTools::IsDeleteMode());
    EXPECT_FALSE(GUI_SlotPlacer::Instance().HasPending());
}

TEST_F(BuildMenuTest, TheCardShowsCostTimeStaffPowerAndAppliedTasks)
{
    EXPECT_EQ(GUI_TaskDetails::MoneyText(1200000.75f), "$1,200,000");
    EXPECT_EQ(GUI_TaskDetails::MoneyText(999.0f), "$999");

    SIM_FacilityTask facility;
    facility.m_kind = TASK_STANDALONE;
    GUI_TaskDetails facilityCard(&facility);
    EXPECT_EQ(facilityCard.DetailsHeight(), 142);
    EXPECT_EQ(facilityCard.GetFacilityTask(), &facility);

    auto production = MakeTask("weld", 1, 0.0f);
    production->m_subTasksApplied = {"a", "b", "c"};
    production->m_processTime = 2500.0f;
    production->m_powerDemand = 1.5f;
    production->m_constructionCost = 12345.0f;
    GUI_TaskDetails card(production.get());
    EXPECT_EQ(card.DetailsHeight(), 190);
    EXPECT_EQ(card.GetCostValue(), "$12,345");
    EXPECT_EQ(card.GetTimeValue(), "2.50 s");
    EXPECT_EQ(card.GetStaffValue(), "0");
    EXPECT_EQ(card.GetPowerValue(), "1.50");

    // A standalone production task is asked what it is: never taken for a facility.
    production->m_kind = TASK_STANDALONE;
    GUI_TaskDetails standalone(production.get());
    EXPECT_EQ(standalone.GetFacilityTask(), nullptr);
    EXPECT_EQ(standalone.GetProductionTask(), production.get());
}

TEST_F(BuildMenuTest, EachKindOfTaskArmsItsOwnTool)
{
    struct Case
    {
        const char* name;
        int kind;
        bool facility;
        GUI_Task::Tool tool;
    };
    const Case cases[] = {
        {"task_resource_conveyor", TASK_COMPONENT, false, GUI_Task::Tool::Conveyor},
        {"task_conveyor", TASK_VEHICLE, false, GUI_Task::Tool::SlotChain},
        {"task_fit_body", TASK_VEHICLE, false, GUI_Task::Tool::Slot},
        {"task_make_part", TASK_COMPONENT, false, GUI_Task::Tool::Slot},
        {"task_standalone", TASK_STANDALONE, false, GUI_Task::Tool::Slot},
        {"fac_power_plant", TASK_STANDALONE, true, GUI_Task::Tool::Facility},
        {"odd", 7, false, GUI_Task::Tool::None},
    };
    for (const Case& c : cases)
    {
        std::unique_ptr<SIM_BaseTask> task;
        if (c.facility)
            task = std::make_unique<SIM_FacilityTask>();
        else
            task = std::make_unique<SIM_ProductionTask>();
        task->m_name = c.name;
        task->m_kind = c.kind;
        EXPECT_EQ(GUI_Task::ToolFor(*task), c.tool) << c.name;
    }
}

TEST_F(BuildMenuTest, ClickingARowInAGameArmsThePlacerWithThatTask)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    GUI_Sounds::Instance().GetDevice().StopAll();
    GScreenSize::Set(1920, 1200);
    GUI_TaskPicker& picker = *GUI_TaskPicker::Open();
    const SIM_ProductionTask* fitBody = SIM_ProductionTaskManager::Instance().GetTask("task_fit_body");
    ASSERT_NE(fitBody, nullptr);
    GUI_Task* row = Reveal(picker, fitBody);
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->GetParent(), &picker);

    ClickRow(row);
    EXPECT_EQ(GUI_SlotPlacer::Instance().GetPendingProductionTask(), fitBody);
    EXPECT_TRUE(GUI_Sounds::Instance().IsSoundPlaying("select.ogg"));
    // The card of the hovered row stands right of the menu, with the task's cost.
    ASSERT_NE(row->GetDetails(), nullptr);
    EXPECT_EQ(row->GetDetails()->GetLeft(), picker.GetRight() + 30);
    EXPECT_EQ(row->GetDetails()->GetCostValue(), GUI_TaskDetails::MoneyText(fitBody->m_constructionCost));

    // A facility row drops the waiting slot and arms the facility placer.
    const SIM_FacilityTask* plant = SIM_FacilityManager::Instance().GetTask("fac_power_plant");
    ASSERT_NE(plant, nullptr);
    GUI_Task* plantRow = picker.FindRow(plant);
    ASSERT_NE(plantRow, nullptr);
    ASSERT_EQ(plantRow->GetParent(), &picker);
    ClickRow(plantRow);
    EXPECT_FALSE(GUI_SlotPlacer::Instance().HasPending());
    EXPECT_TRUE(GUI_FacilityPlacer::Instance().HasPending());

    // The overhead conveyor row arms the conveyor tool, and the placer drops the facility.
    GUI_Task* conveyorRow = picker.FindRow(SIM_ProductionTaskManager::Instance().GetTask("task_resource_conveyor"));
    ASSERT_NE(conveyorRow, nullptr);
    ClickRow(conveyorRow);
    EXPECT_TRUE(GUI_ConveyorPlacer::Instance().IsArmed());
    EXPECT_FALSE(GUI_FacilityPlacer::Instance().HasPending());

    // The delete row switches delete mode on; a task row switches it off again.
    ClickRow(picker.GetDeleteRow());
    EXPECT_TRUE(GUI_PlacementTools::IsDeleteMode());
    ClickRow(row);
    EXPECT_FALSE(GUI_PlacementTools::IsDeleteMode());
    EXPECT_FALSE(GUI_ConveyorPlacer::Instance().IsArmed());
    EXPECT_EQ(GUI_SlotPlacer::Instance().GetPendingProductionTask(), fitBody);

    // Locked tasks are offered greyed and arm nothing.
    for (GUI_WindowBase* listed : picker.GetListedRows())
    {
        const auto* taskRow = dynamic_cast<GUI_Task*>(listed);
        if (taskRow && taskRow->GetTask()->m_locked)
        {
            EXPECT_FALSE(taskRow->IsAvailableNow()) << taskRow->GetTask()->m_name;
        }
    }
}

// Forwards the research's call to the menu as the game's presentation does.
class MenuPresentation : public SIM_PresentationListener
{
public:
    void RebuildTaskPicker() override { GUI_TaskPicker::RebuildOpen(); }
};

TEST_F(BuildMenuTest, AFinishedResearchUnlocksRowsOfTheOpenMenu)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionTask* engine = SIM_ProductionTaskManager::Instance().GetTask("task_make_engine");
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(engine->m_locked);
    SIM_ProductionTask* parent = SIM_ProductionTaskManager::Instance().GetTask(engine->m_parent);
    ASSERT_NE(parent, nullptr);
    GScreenSize::Set(1920, 1200);
    GUI_TaskPicker& picker = *GUI_TaskPicker::Open();
    GUI_Task* engineRow = Reveal(picker, engine);
    ASSERT_NE(engineRow, nullptr);
    ASSERT_EQ(engineRow->GetParent(), &picker);
    picker.Draw();
    EXPECT_FALSE(engineRow->IsAvailableNow());
    const size_t listed = picker.GetListedRows().size();

    MenuPresentation presentation;
    SIM_Presentation::Instance().SetListener(&presentation);
    SIM_Researchable research;
    research.m_unlocks = {engine->m_name};
    research.Complete(false);
    SIM_Presentation::Instance().SetListener(&GUI_Factory::Instance());
    EXPECT_FALSE(engine->m_locked);
    EXPECT_EQ(picker.GetListedRows().size(), listed);
    EXPECT_TRUE(engineRow->IsAvailableNow() || engine->m_constructionCost > SIM_FinanceManager::Instance().GetCash());
    engine->m_locked = true;
}
} // namespace

namespace
{
// Wide enough for the menu and the card beside it.
class BuildMenuPictureTest : public FactoryPictureTest
{
protected:
    int ViewWidth() const override { return 960; }
    int ViewHeight() const override { return 540; }
    void TearDown() override
    {
        GUI_WindowManager::Instance().CloseAll();
        GUI_PlacementTools::Reset();
        FactoryPictureTest::TearDown();
        SIM_MissionManager::Instance().Unload();
        SIM_MissionManager::Instance().Load();
    }
};

// The menu over the hall: level-one rows, the chassis row expanded with its stations, a locked
// station greyed, the delete row last, and the card of the hovered row joined to the menu.
TEST_F(BuildMenuPictureTest, TheMenuWithAnExpandedRowAndTheHoveredTasksCard)
{
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    GD3DDevice::Instance().GetDevice()->Clear(0xFF101418u);
    GUI_TaskPicker& picker = *GUI_TaskPicker::Open();
    GUI_Task* chassis = picker.FindRow(SIM_ProductionTaskManager::Instance().GetTask("task_make_chassis"));
    ASSERT_NE(chassis, nullptr);
    chassis->ToggleExpand();
    GUI_Task* hovered = picker.FindRow(SIM_ProductionTaskManager::Instance().GetTask("task_make_axles"));
    ASSERT_NE(hovered, nullptr);
    ASSERT_EQ(hovered->GetParent(), &picker);
    m_world.input.MoveTo(static_cast<float>(hovered->GetLeft() + 120), static_cast<float>(hovered->GetTop() + 19));
    m_world.input.Update();
    GUI_WindowManager::Instance().Update();
    GUI_WindowManager::Instance().Draw();
    ASSERT_NE(hovered->GetDetails(), nullptr);
    EXPECT_EQ(hovered->GetDetails()->GetLeft(), picker.GetRight() + 30);
    CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/screens/reference/build_menu.png");
}
} // namespace
