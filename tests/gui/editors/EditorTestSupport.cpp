// Mission editor test set-up.
#include "EditorTestSupport.h"

#include "engine/GScreenSize.h"
#include "engine/core/GBufferedFileManager.h"
#include "gui/editors/mission/GUI_MissionEditor.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/editors/mission/GUI_MissionEditorMap.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "gui/toolkit/widgets/GUI_DropDownListItem.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_DefinitionTree.h"

#include <gtest/gtest.h>

// The registry test fills the windows with the game's own definitions in this suite.
static const bool kShippedDefinitions = [] {
    ShippedDefinitionsLoader() = [] { LoadDefinitionTree("data/simulation"); };
    return true;
}();

void EditorTestServices::UpdateWindows()
{
    GUI_WindowManager::Instance().Update();
}

void EditorTestServices::DrawWindows()
{
    GUI_WindowManager::Instance().Draw();
}

bool EditorTestServices::WindowsLeftDown()
{
    return GUI_WindowManager::Instance().OnClick();
}

bool EditorTestServices::WindowsRightDown()
{
    return GUI_WindowManager::Instance().OnRightClick();
}

void EditorTestServices::WindowsKeyDown(uint32_t virtualKey)
{
    GUI_WindowManager::Instance().OnKeyDown(virtualKey);
}

void EditorTestServices::OpenMissionEditor(const std::string& missionName)
{
    EXPECT_TRUE(GUI_MissionEditor::EditNamed(missionName)) << missionName;
}

void MissionEditorTest::SetUp()
{
    ToolkitTest::SetUp();
    GScreenSize::Set(kScreenWidth, kScreenHeight);
    GGameServices::Install(&m_editorServices);
}

void MissionEditorTest::TearDown()
{
    ToolkitTest::TearDown();
}

std::unique_ptr<SIM_Mission> MissionEditorTest::LoadCopy(const std::string& fileName)
{
    const std::string text = EngineTestFiles::ReadAll("data/missions/" + fileName);
    EXPECT_FALSE(text.empty()) << fileName;
    const std::string path = m_scratch.Write(fileName, text);
    GBufferedFileManager::Instance().Reload(path);
    auto mission = std::make_unique<SIM_Mission>();
    EXPECT_TRUE(mission->Load(path));
    return mission;
}

std::unique_ptr<SIM_Mission> MissionEditorTest::MakeEmptyMission(const std::string& name, int worldX, int worldY)
{
    const std::string text = "[config]\nname = " + name + "\nguiname = " + name +
                             "\nicon = mission_01.dds\nworldx = " + std::to_string(worldX) +
                             "\nworldy = " + std::to_string(worldY) + "\nstarting_cash = 250000\ngui_id = 9\n\n";
    const std::string path = m_scratch.Write(name + ".txt", text);
    // The file reader keeps what it read; a test that writes a file again must be read afresh.
    GBufferedFileManager::Instance().Reload(path);
    auto mission = std::make_unique<SIM_Mission>();
    mission->Load(path);
    return mission;
}

GUI_MissionEditorDialog* MissionEditorTest::OpenEditor(SIM_Mission& mission)
{
    GUI_MissionEditorDialog* dialog = GUI_WindowManager::Create<GUI_MissionEditorDialog>(&mission);
    Frame();
    return dialog;
}

GUI_MissionEditorMap* MissionEditorTest::Map() const
{
    GUI_MissionEditorDialog* dialog = GUI_MissionEditorDialog::GetOpen();
    return dialog ? dialog->GetMap() : nullptr;
}

float MissionEditorTest::TileX(int a) const
{
    const PRect r = Map()->TileRect(a, 0);
    return (static_cast<float>(r.left) + static_cast<float>(r.right)) / 2.0f;
}

float MissionEditorTest::TileY(int b) const
{
    const PRect r = Map()->TileRect(0, b);
    return (static_cast<float>(r.top) + static_cast<float>(r.bottom)) / 2.0f;
}

void MissionEditorTest::Drag(float x0, float y0, float x1, float y1)
{
    m_input.SetLeftHeld(true);
    ClickAt(x0, y0);
    Frame();
    m_input.MoveTo(x1, y1);
    Frame();
    m_input.SetLeftHeld(false);
    Frame();
}

void MissionEditorTest::Type(GUI_TextEditWindow* field, const std::string& text)
{
    ClickAt(static_cast<float>(field->GetRight() - 4), static_cast<float>(field->GetTop() + 10));
    ASSERT_TRUE(field->IsFocused());
    constexpr uint32_t kBackspace = 8;
    while (!field->GetText().empty())
        field->OnKeyDown(kBackspace);
    for (char c : text)
        m_mode.OnChar(static_cast<unsigned char>(c));
}

void MissionEditorTest::Choose(GUI_DropDownList* list, const std::string& value)
{
    ASSERT_TRUE(ClickAt(static_cast<float>(list->GetRight() - 5), static_cast<float>(list->GetTop() + 5)));
    ASSERT_TRUE(list->IsOpen());
    for (GUI_DropDownListItem* item : list->GetItems())
    {
        if (item->GetValue() != value)
            continue;
        ASSERT_TRUE(ClickAt(static_cast<float>(item->GetLeft() + 5), static_cast<float>(item->GetTop() + 5)));
        return;
    }
    ADD_FAILURE() << "no item " << value;
}
