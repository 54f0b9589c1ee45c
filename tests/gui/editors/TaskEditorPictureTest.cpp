// The task editor on its default task drawn by OpenGL, compared with a stored picture
// (tests/gui/editors/reference). With FV_WRITE_REFERENCES=1 in the environment the picture is
// written instead.
#include "EditorPictureTest.h"

#include "engine/core/GBufferedFileManager.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "platform/core/PRandom.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

class TaskEditorPicture : public EditorPictureTest
{
protected:
    // The narrowest screen the game offers: the task list ends before the Quit button.
    int ViewWidth() const override { return 1280; }
    int ViewHeight() const override { return 800; }
    void TearDown() override
    {
        GUI_TaskEditor::Instance().Release();
        EditorPictureTest::TearDown();
    }
};

TEST_F(TaskEditorPicture, DefaultTaskWithAPropHeld)
{
    // The floor greys come from the game's generator: the same seed gives the same tiles.
    PRandom::Seed(7);
    FreshState::Forget<GBufferedFileManager>();
    GUI_TaskEditor& editor = GUI_TaskEditor::Instance();
    editor.Init();
    ASSERT_NE(editor.GetCurrentTask(), nullptr);
    // The mouse rests over the preview: the held pallet's ghost snaps to the nearest point.
    editor.SetHeldPropType(SIM_PropTypeManager::Instance().GetPropType("pallet"));
    m_world.input.MoveTo(790.0f, 330.0f);
    editor.Process();
    editor.Draw();
    ExpectMatchesReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/editors", "task_editor_default_task");
}
