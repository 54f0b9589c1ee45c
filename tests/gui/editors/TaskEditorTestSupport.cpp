// Task editor test set-up.
#include "TaskEditorTestSupport.h"

#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GTextTable.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/editors/task/GUI_TaskGrid.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/world/SIM_MissionManager.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace fs = std::filesystem;

void TaskEditorTest::SetUp()
{
    ToolkitTest::SetUp();
    UseScreen(kScreenWidth, kScreenHeight);
    GGameServices::Install(&m_editorServices);
    const fs::path root = fs::temp_directory_path() / ("fv_taskeditor_test_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    for (const char* part : {"simulation", "missions"})
        fs::copy(fs::path("data") / part, root / part, fs::copy_options::recursive);
    for (const char* file : {"strings.ini", "simconfig.txt"})
        fs::copy(fs::path("data") / file, root / file);
    m_dataRoot = root.string();
    FreshState::Forget<GBufferedFileManager>();
    Editor().SetDataRoot(m_dataRoot + "/simulation");
    Editor().Init();
}

void TaskEditorTest::TearDown()
{
    Editor().Release();
    Editor().SetDataRoot("data/simulation");
    FreshState::Forget<GBufferedFileManager>();
    // A data check of the copy points the texts, the constants and the missions at it, and the
    // copy goes now: later tests read the shipped ones again.
    GTextTable::Instance().SetFileName("data/strings.ini");
    FreshState::Forget<GTextTable>();
    SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
    FreshState::Forget<SIM_MissionManager>();
    fs::remove_all(m_dataRoot);
    ToolkitTest::TearDown();
}

GUI_TaskEditor& TaskEditorTest::Editor()
{
    return GUI_TaskEditor::Instance();
}

void TaskEditorTest::EditorFrame()
{
    Editor().Process();
    Editor().Draw();
}

void TaskEditorTest::LeftClickAt(float x, float y)
{
    m_input.MoveTo(x, y);
    EditorFrame();
    Editor().OnLeftDown();
}

void TaskEditorTest::RightClickAt(float x, float y)
{
    m_input.MoveTo(x, y);
    EditorFrame();
    Editor().OnRightDown();
}

float TaskEditorTest::CellX(int cell) const
{
    const PRect& r = GUI_TaskEditor::Instance().GetGrid()->GetCellRect(cell);
    return static_cast<float>(r.left + r.right) / 2.0f;
}

float TaskEditorTest::CellY(int cell) const
{
    const PRect& r = GUI_TaskEditor::Instance().GetGrid()->GetCellRect(cell);
    return static_cast<float>(r.top + r.bottom) / 2.0f;
}

SIM_BaseTask* TaskEditorTest::Task(const std::string& name) const
{
    if (SIM_BaseTask* task = SIM_ProductionTaskManager::Instance().GetTask(name))
        return task;
    return SIM_FacilityManager::Instance().GetTask(name);
}
