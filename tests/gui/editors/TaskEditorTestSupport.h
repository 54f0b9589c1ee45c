// Set-up shared by the task editor tests: the recording device on a screen the editor's layout
// fits, the game's definitions copied into a scratch data folder (saves never touch the shipped
// files), and the editor built on them.
#pragma once

#include "EditorTestSupport.h"

#include <string>

class GUI_TaskEditor;
class GUI_TaskEditorTile;
class SIM_BaseTask;

class TaskEditorTest : public ToolkitTest
{
protected:
    // 1024 pixels of preview: a layout one tile off the diagonal draws at one pixel per unit.
    static constexpr int kScreenWidth = 1824;
    static constexpr int kScreenHeight = 1026;

    void SetUp() override;
    void TearDown() override;

    GUI_TaskEditor& Editor();
    // One frame of the editor as the game runs it.
    void EditorFrame();
    void LeftClickAt(float x, float y);
    void RightClickAt(float x, float y);
    // The middle of a grid cell.
    float CellX(int cell) const;
    float CellY(int cell) const;
    // The task of that name among the production tasks and facilities the editor loaded.
    SIM_BaseTask* Task(const std::string& name) const;

    std::string m_dataRoot; // the copied data folder (its "simulation" is the editor's)
    EditorTestGame m_game;
    EditorTestServices m_editorServices;
};
