// The mission editor on "First Factory" drawn by OpenGL at the smallest screen the game supports,
// its main hall selected, compared with a stored picture (tests/gui/editors/reference). With
// FV_WRITE_REFERENCES=1 in the environment the picture is written instead.
#include "EditorPictureTest.h"

#include "gui/editors/mission/GUI_MissionEditor.h"
#include "gui/editors/mission/GUI_MissionEditorDialog.h"
#include "gui/editors/mission/GUI_MissionEditorMap.h"
#include "sim/world/SIM_Mission.h"

#include <gtest/gtest.h>

class MissionEditorPicture : public EditorPictureTest
{
protected:
    int ViewWidth() const override { return 1280; }
    int ViewHeight() const override { return 768; }
};

TEST_F(MissionEditorPicture, FirstFactoryWithItsMainHallSelected)
{
    SIM_Mission mission;
    ASSERT_TRUE(mission.Load("data/missions/m01_first_factory.txt"));
    GUI_MissionEditor::Edit(mission);
    GUI_MissionEditorDialog* dialog = GUI_MissionEditorDialog::GetOpen();
    ASSERT_NE(dialog, nullptr);
    dialog->SelectZone(mission.m_zones[0].get());
    // The mouse rests beside the dialog, so nothing shows a hover.
    m_world.input.MoveTo(5.0f, 5.0f);
    GUI_MissionEditor& editor = GUI_MissionEditor::Instance();
    editor.Process();
    editor.Draw();
    ExpectMatchesReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/editors", "mission_editor_first_factory");
    // Leaving must not touch the shipped file's mission beyond reading it again.
    editor.Exit();
    EXPECT_EQ(GUI_MissionEditorDialog::GetOpen(), nullptr);
}
