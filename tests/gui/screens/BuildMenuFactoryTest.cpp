// A player's first factory built through the build menu alone: rows chosen with the mouse in the
// menu, slots and conveyors put down with the mouse on the floor, every click routed as the
// in-game mode routes it (windows first, then the tools, then the floor). Then the game runs
// until the first car leaves the hall.
#include "engine/GScreenSize.h"
#include "gui/factory/placement/GUI_PlacementTools.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/screens/build/GUI_Task.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/audio/PAudioDevice.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/world/SIM_MissionManager.h"
#include "sim/world/SIM_Tile.h"
#include "tests/gui/factory/FactoryViewTestSupport.h"

#include <gtest/gtest.h>

namespace
{
class BuildMenuFactoryTest : public FactoryViewTest
{
protected:
    void TearDown() override
    {
        GUI_WindowManager::Instance().CloseAll();
        GUI_PlacementTools::Reset();
        FactoryViewTest::TearDown();
        SIM_MissionManager::Instance().Unload();
        SIM_MissionManager::Instance().Load();
    }

    // One frame of the game screen: input, windows, the view, the tools' ghosts.
    void Frame()
    {
        m_world.Frame();
        GUI_WindowManager::Instance().Update();
        GUI_PlacementTools::DrawGhosts();
        GUI_WindowManager::Instance().Draw();
    }
    void MoveTo(float x, float y)
    {
        m_world.input.MoveTo(x, y);
        Frame();
    }
    // The left button at the pointer as the in-game mode routes it.
    void PressLeft()
    {
        if (GUI_WindowManager::Instance().OnClick())
            return;
        if (!GUI_PlacementTools::OnLeftDown())
            GUI_Factory::Instance().OnClick(m_world.input.GetMouseX(), m_world.input.GetMouseY());
    }
    void ReleaseLeft() { GUI_PlacementTools::OnLeftUp(); }

    float TileX(int x, int y) const { return FactoryFrameView::FromCamera().ToScreenX(m_world.Tile(x, y)->m_worldX); }
    float TileY(int x, int y) const { return FactoryFrameView::FromCamera().ToScreenY(m_world.Tile(x, y)->m_worldY); }

    // The menu row of the task, its ancestors expanded by their buttons, clicked.
    void ChooseInMenu(const char* name)
    {
        GUI_TaskPicker* picker = GUI_TaskPicker::GetOpen();
        ASSERT_NE(picker, nullptr);
        const SIM_BaseTask* task = SIM_ProductionTaskManager::Instance().GetTask(name);
        ASSERT_NE(task, nullptr) << name;
        std::vector<const SIM_BaseTask*> chain;
        for (const SIM_BaseTask* at = task; at;)
        {
            chain.push_back(at);
            at = at->m_parent.empty() ? nullptr : SIM_ProductionTaskManager::Instance().GetTask(at->m_parent);
        }
        for (size_t i = chain.size(); i-- > 1;)
        {
            GUI_Task* row = picker->FindRow(chain[i]);
            ASSERT_NE(row, nullptr);
            if (row->IsExpanded())
                continue;
            ASSERT_EQ(row->GetParent(), picker) << chain[i]->m_name;
            ASSERT_NE(row->GetExpandButton(), nullptr);
            MoveTo(static_cast<float>(row->GetExpandButton()->GetLeft() + 7),
                   static_cast<float>(row->GetExpandButton()->GetTop() + 7));
            PressLeft();
            ASSERT_TRUE(row->IsExpanded()) << chain[i]->m_name;
        }
        GUI_Task* row = picker->FindRow(task);
        ASSERT_NE(row, nullptr);
        ASSERT_EQ(row->GetParent(), picker) << name;
        MoveTo(static_cast<float>(row->GetLeft() + 120), static_cast<float>(row->GetTop() + 19));
        PressLeft();
        ReleaseLeft();
    }
    void ClickTile(int x, int y)
    {
        MoveTo(TileX(x, y), TileY(x, y));
        PressLeft();
        ReleaseLeft();
        Frame();
    }
    // A drag along a straight run of tiles.
    void DragTiles(int x0, int y0, int x1, int y1)
    {
        MoveTo(TileX(x0, y0), TileY(x0, y0));
        PressLeft();
        for (int x = x0, y = y0; x != x1 || y != y1;)
        {
            x += x1 > x ? 1 : x1 < x ? -1 : 0;
            y += y1 > y ? 1 : y1 < y ? -1 : 0;
            MoveTo(TileX(x, y), TileY(x, y));
        }
        ReleaseLeft();
        Frame();
    }
    std::string Describe() const
    {
        std::string text;
        for (int x = 4; x <= 20; ++x)
        {
            const auto* slot = dynamic_cast<const SIM_ProductionSlot*>(m_world.Tile(x, 10)->m_occupant);
            if (!slot)
                continue;
            // Appended piece by piece: gcc 12 warns falsely on a literal joined to a temporary string.
            text += '\n';
            text += std::to_string(x);
            text += std::string(": car ") + (slot->GetVehicle() ? "yes" : "no") + " missing " +
                    (slot->AreResourcesMissing() ? "yes" : "no") + " next " + (slot->GetNextSlot() ? "yes" : "no");
        }
        text += "\nconveyors:";
        for (int y = 4; y <= 12; ++y)
        {
            text += "\n";
            for (int x = 0; x <= 12; ++x)
                text += m_world.Tile(x, y)->m_conveyor ? "C" : (m_world.Tile(x, y)->m_occupant ? "S" : ".");
        }
        return text;
    }
    std::string TaskAt(int x, int y) const
    {
        const SIM_PlaceableSlot* slot = m_world.Tile(x, y)->m_occupant;
        return slot && slot->GetTask() ? slot->GetTask()->m_name : std::string();
    }
};

TEST_F(BuildMenuFactoryTest, AnImportBayAThreeStationLineAndAnExporterSendOutTheFirstCar)
{
    GScreenSize::Set(2560, 1200);
    ASSERT_TRUE(m_world.StartGame("m01_first_factory"));
    GUI_Sounds::Instance().GetDevice().StopAll();
    FactoryWorld::LookAt(m_world.Tile(12, 5), 0.15f);
    GUI_TaskPicker::Toggle();
    ASSERT_NE(GUI_TaskPicker::GetOpen(), nullptr);
    const int menuRight = GUI_TaskPicker::GetOpen()->GetRight();
    for (int y = 4; y <= 12; ++y)
        for (int x = 1; x <= 20; x += 19)
        {
            ASSERT_GT(TileX(x, y), static_cast<float>(menuRight + 10))
                << x << "," << y << " " << TileX(1, 5) << " " << TileX(1, 12) << " " << TileX(20, 4) << " "
                << TileX(20, 12) << " " << TileY(1, 5) << " " << TileY(1, 12) << " " << TileY(20, 4) << " "
                << TileY(20, 12) << "," << y;
            ASSERT_LT(TileX(x, y), 2540.0f) << x << "," << y;
            ASSERT_GT(TileY(x, y), 40.0f) << x << "," << y;
            ASSERT_LT(TileY(x, y), 1180.0f) << x << "," << y;
        }

    ChooseInMenu("task_resource_importer");
    ClickTile(1, 5);
    ASSERT_EQ(TaskAt(1, 5), "task_resource_importer");
    ASSERT_NE(SIM_ResourceConveyorManager::Instance().GetImportBayOn(m_world.Tile(1, 5)), nullptr);

    const char* stations[] = {"task_fit chassis", "task_fit_body", "task_paint_undercoat"};
    for (int i = 0; i < 3; ++i)
    {
        ChooseInMenu(stations[i]);
        ClickTile(8 + i, 10);
        ASSERT_EQ(TaskAt(8 + i, 10), stations[i]);
    }
    // The exporter goes down last, at the end of the line: the chassis it asks for is fitted
    // three stations up.
    ChooseInMenu("task_conveyor");
    DragTiles(11, 10, 19, 10);
    ASSERT_EQ(TaskAt(19, 10), "task_conveyor");
    ChooseInMenu("task_export");
    ClickTile(20, 10);
    ASSERT_EQ(TaskAt(20, 10), "task_export");

    // The overhead conveyor: down from the bay, along the row behind the stockpiles, and a branch
    // up onto each stockpile (a run ends on a stockpile; it never passes over one).
    ChooseInMenu("task_resource_conveyor");
    DragTiles(1, 5, 1, 12);
    ChooseInMenu("task_resource_conveyor");
    DragTiles(1, 12, 10, 12);
    for (int x = 8; x <= 10; ++x)
    {
        ChooseInMenu("task_resource_conveyor");
        DragTiles(x, 12, x, 11);
    }
    for (int x = 8; x <= 10; ++x)
        ASSERT_NE(m_world.Tile(x, 11)->m_conveyor, nullptr) << x;
    ASSERT_FALSE(SIM_FinanceManager::Instance().IsGameOver());

    // Run the hall until a car reaches the exporter.
    GUI_TaskPicker::Toggle();
    SIM_Game::Instance().SetSpeed(4.0f);
    bool carLeft = false;
    for (int frame = 0; frame < 60 * 60 * 6 && !carLeft; ++frame)
    {
        FactoryWorld::AdvanceClock(16.0f);
        SIM_Game::Instance().Update();
        SIM_Presentation::Instance().ApplyPosted();
        carLeft = !SIM_VehicleDesignManager::Instance().GetDesigns().empty();
    }
    EXPECT_TRUE(carLeft) << "no car reached the exporter; hour " << SIM_Game::Instance().GetCurrentHour() << ", cash "
                         << SIM_FinanceManager::Instance().GetCash() << ", over "
                         << SIM_FinanceManager::Instance().IsGameOver() << Describe();
}
} // namespace
