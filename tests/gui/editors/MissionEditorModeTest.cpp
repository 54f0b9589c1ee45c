// The editor as a screen: entered from the mission list with a fresh dialog, left with Escape even
// while the player types, unsaved edits dropped on the way out; and a mission made from scratch in
// the editor that the game then loads and plays without a screen.
#include "EditorTestSupport.h"

#include "engine/GHeadlessMode.h"
#include "engine/core/GRandom.h"
#include "gui/editors/mission/GUI_MissionEditor.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/editors/mission/GUI_MissionEditorMap.h"
#include "gui/screens/front/GUI_ChooseMission.h"
#include "gui/screens/front/GUI_ChooseMissionDialog.h"
#include "gui/screens/front/GUI_Mission.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint32_t kEscapeKey = 27;

int DialogCount()
{
    int count = 0;
    for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
        if (dynamic_cast<GUI_MissionEditorDialog*>(window) && !window->IsClosing())
            ++count;
    return count;
}
} // namespace

class MissionEditorMode : public MissionEditorTest
{
};

TEST_F(MissionEditorMode, EditOpensAFreshDialogAndEscapeLeavesWithoutKeepingUnsavedEdits)
{
    GHeadlessMode::ForName("mainmenu");
    auto mission = LoadCopy("m01_first_factory.txt");
    GUI_MissionEditor& editor = GUI_MissionEditor::Instance();
    GUI_MissionEditor::Edit(*mission);
    EXPECT_EQ(m_game.GetGameMode(), &editor);
    EXPECT_EQ(editor.GetName(), "editor");
    GUI_MissionEditor::Edit(*mission);
    EXPECT_EQ(DialogCount(), 1) << "a second edit replaces the open dialog";
    GUI_MissionEditorDialog* dialog = GUI_MissionEditorDialog::GetOpen();
    ASSERT_NE(dialog, nullptr);
    editor.Process();
    editor.Draw();

    // Edits in memory: an import bay, and a zone renamed while its field still has the focus.
    dialog->GetMap()->SetMode(GUI_MissionEditorMap::MODE_IMPORTS);
    m_input.MoveTo(TileX(25), TileY(25));
    editor.OnLeftDown();
    ASSERT_EQ(mission->m_imports.size(), 3u);
    dialog->GetMap()->SetMode(GUI_MissionEditorMap::MODE_SELECT);
    m_input.MoveTo(TileX(5), TileY(5));
    editor.OnLeftDown();
    GUI_TextEditWindow* name = dialog->GetNameField();
    m_input.MoveTo(static_cast<float>(name->GetRight() - 4), static_cast<float>(name->GetTop() + 10));
    editor.OnLeftDown();
    ASSERT_TRUE(name->IsFocused());
    editor.OnChar('X');
    dialog->ApplyToZone();
    ASSERT_EQ(mission->m_zones[0]->m_guiName, "Main HallX");

    editor.OnKeyDown(kEscapeKey);
    ASSERT_NE(m_game.GetGameMode(), nullptr);
    EXPECT_EQ(m_game.GetGameMode()->GetName(), "mainmenu");
    EXPECT_EQ(GUI_MissionEditorDialog::GetOpen(), nullptr);
    EXPECT_EQ(DialogCount(), 0);
    // The mission is as its file has it again.
    EXPECT_EQ(mission->m_imports.size(), 2u);
    ASSERT_FALSE(mission->m_zones.empty());
    EXPECT_EQ(mission->m_zones[0]->m_guiName, "Main Hall");
}

TEST_F(MissionEditorMode, TheMissionListsEditButtonOpensTheEditorOnThatMission)
{
    GHeadlessMode::ForName("mainmenu");
    GUI_ChooseMission& list = GUI_ChooseMission::Instance();
    m_game.SetGameMode(list.GGameMode::GetName());
    Frame();
    for (size_t row : {size_t{1}, size_t{0}})
    {
        SCOPED_TRACE(row);
        const GUI_ChooseMissionDialog* missions = GUI_ChooseMissionDialog::GetOpen();
        ASSERT_NE(missions, nullptr);
        ASSERT_GT(missions->GetRows().size(), row);
        const auto* strip = dynamic_cast<const GUI_Mission*>(missions->GetRows()[row].get());
        ASSERT_NE(strip, nullptr);
        SIM_Mission* mission = strip->GetMission();
        const GUI_ButtonText* edit = strip->GetEditButton();
        m_input.MoveTo(static_cast<float>(edit->GetLeft() + edit->GetRight()) / 2.0f,
                       static_cast<float>(edit->GetTop() + edit->GetBottom()) / 2.0f);
        list.OnLeftDown();
        Frame();

        // The list is gone and the editor shows that mission's floor, imports marked.
        ASSERT_NE(m_game.GetGameMode(), nullptr);
        EXPECT_EQ(m_game.GetGameMode()->GetName(), "editor");
        EXPECT_EQ(GUI_ChooseMissionDialog::GetOpen(), nullptr);
        EXPECT_EQ(DialogCount(), 1);
        ASSERT_EQ(GUI_WindowManager::Instance().GetWindows().size(), 1u);
        GUI_MissionEditorDialog* dialog = GUI_MissionEditorDialog::GetOpen();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetMission(), mission);
        ASSERT_FALSE(mission->m_imports.empty());
        const SIM_GridPos bay = mission->m_imports.front();
        EXPECT_EQ(dialog->GetMap()->GetTile(bay.x, bay.y).GetKind(), GUI_EditorTile::KIND_IMPORT);
        GUI_MissionEditor::Instance().Draw();

        // Back to the main menu, then into the list again for the next strip.
        GUI_MissionEditor::Instance().OnKeyDown(kEscapeKey);
        Frame();
        EXPECT_EQ(m_game.GetGameMode()->GetName(), "mainmenu");
        EXPECT_TRUE(GUI_WindowManager::Instance().GetWindows().empty());
        m_game.SetGameMode(list.GGameMode::GetName());
        Frame();
    }
    // A name the mission list does not know opens nothing.
    EXPECT_FALSE(GUI_MissionEditor::EditNamed("no_such_mission"));
    EXPECT_EQ(m_game.GetGameMode()->GetName(), list.GGameMode::GetName());
}

TEST_F(MissionEditorMode, AMissionMadeInTheEditorLoadsAndPlays)
{
    // Drawn from nothing: an open hall with an import bay and an export on its edge, and a locked
    // annex that was never given a type.
    auto made = MakeEmptyMission("m99_made_in_editor", 32, 32);
    GUI_MissionEditorDialog* dialog = OpenEditor(*made);
    GUI_MissionEditorMap* map = dialog->GetMap();
    map->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    DragTiles(1, 1, 21, 21);
    map->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
    DragTiles(1, 21, 21, 31);
    ClickTile(5, 5);
    Type(dialog->GetNameField(), "Hall");
    Type(dialog->GetRentField(), "1");
    Choose(dialog->GetWallsList(), "1");
    Choose(dialog->GetFloorList(), "floor_concrete_01.dds");
    Choose(dialog->GetTypeList(), "UNLOCKED");
    map->SetMode(GUI_MissionEditorMap::MODE_IMPORTS);
    ClickTile(1, 5);
    map->SetMode(GUI_MissionEditorMap::MODE_EXPORTS);
    ClickTile(20, 10);
    ASSERT_TRUE(dialog->OnSave());
    dialog->Close();
    Frame();

    PClock::SetManual(true, 1000ull * 1000000ull);
    GRandom::Init();
    SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
    SIM_ThreadManager::Instance().Init();
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load(made->m_file));
    ASSERT_EQ(mission.m_zones.size(), 2u);
    EXPECT_EQ(mission.m_zones[1]->m_state, SIM_BuildingZone::STATE_LOCKED);
    ASSERT_TRUE(SIM_Game::Instance().InitSimulation(&mission));
    SIM_Factory* factory = SIM_Game::Instance().GetFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->GetTile(10, 10)->m_zoneState, SIM_Tile::ZONE_OPEN);
    EXPECT_EQ(factory->GetTile(10, 25)->m_zoneState, SIM_Tile::ZONE_LOCKED);
    const float startCash = SIM_FinanceManager::Instance().GetCash();
    EXPECT_EQ(startCash, 250000.0f);

    // The importer goes on the bay site the editor placed, and the game runs on.
    const SIM_ProductionTask* importer = SIM_ProductionTaskManager::Instance().GetTask("task_resource_importer");
    ASSERT_NE(importer, nullptr);
    EXPECT_NE(SIM_Placement::PlaceTask(importer, factory->GetTile(1, 5), 1, false), nullptr);
    EXPECT_NE(SIM_ResourceConveyorManager::Instance().GetImportBayOn(factory->GetTile(1, 5)), nullptr);
    for (int frame = 0; frame < 600; ++frame)
    {
        PClock::AdvanceManual(16ull * 1000000ull);
        SIM_Game::Instance().Update();
        SIM_Presentation::Instance().ApplyPosted();
    }
    EXPECT_LT(SIM_FinanceManager::Instance().GetCash(), startCash);
    EXPECT_FALSE(SIM_FinanceManager::Instance().IsGameOver());

    while (!SlotQueries::Instance().GetAllSlots().empty())
        SIM_Placement::RemoveSlot(SlotQueries::Instance().GetAllSlots().front(), true, false);
    FreshState::EndGame();
    FreshState::Forget<SIM_ThreadManager>();
    PClock::SetManual(false);
}
