// The task editor's preview.
#include "gui/editors/task/GUI_TaskPreview.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/editors/task/GUI_TaskEditorTile.h"
#include "gui/editors/task/TaskLayoutWriter.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"

namespace
{
GUI_TaskPreview* g_taskPreview = nullptr;
}

GUI_TaskPreview::GUI_TaskPreview()
{
    g_taskPreview = this;
}

GUI_TaskPreview::~GUI_TaskPreview()
{
    if (g_taskPreview == this)
        g_taskPreview = nullptr;
}

GUI_TaskPreview* GUI_TaskPreview::Get()
{
    return g_taskPreview;
}

void GUI_TaskPreview::LoadDefaultTask()
{
    SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(kDefaultTask);
    if (!task)
        GDebugLog::Instance().LogError(std::string("Task editor: default task [") + kDefaultTask + "] missing");
    BuildTaskTiles(task);
}

void GUI_TaskPreview::DeleteTiles()
{
    for (GUI_TaskEditorTile* tile : m_tiles)
        (void)RemoveSubWindow(tile);
    m_tiles.clear();
}

void GUI_TaskPreview::BuildTaskTiles(SIM_BaseTask* task)
{
    m_task = task;
    DeleteTiles();
    if (!task)
        return;
    for (TaskTileDef& record : task->m_tiles)
    {
        GUI_TaskEditorTile* tile = CreateSubWindow<GUI_TaskEditorTile>();
        m_tiles.push_back(tile);
        tile->Init(&record);
    }
}

GUI_TaskEditorTile* GUI_TaskPreview::FindTile(int xOffset, int yOffset)
{
    if (!g_taskPreview)
        return nullptr;
    for (GUI_TaskEditorTile* tile : g_taskPreview->m_tiles)
        if (tile->GetXOffset() == xOffset && tile->GetYOffset() == yOffset)
            return tile;
    return nullptr;
}

void GUI_TaskPreview::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect area{m_left, m_top, m_right, m_bottom};
    device.FillRect(area, kBackground);
    device.DrawRectLines(area, 0xFF000000u);
    GFontManager& fonts = GFontManager::Instance();
    if (m_task && fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        fonts.Print(m_task->GetGuiName(), 0xFFFFFFFFu, static_cast<float>(m_left), static_cast<float>(m_top),
                    static_cast<float>(m_right - m_left), 2);
        fonts.Flush();
    }
    // Every floor before any prop: a prop may reach over the tile behind it.
    for (GUI_TaskEditorTile* tile : m_tiles)
        tile->DrawFloor();
    for (GUI_TaskEditorTile* tile : m_tiles)
        tile->DrawProps();
}

bool GUI_TaskPreview::SaveTaskLayout()
{
    if (!m_task)
        return false;
    if (!TaskLayoutWriter::Save(*m_task))
        return false;
    // The reload frees every task: nothing here may point into them any more.
    BuildTaskTiles(nullptr);
    GUI_TaskEditor::Instance().OnDefinitionsReloading();
    const std::string& root = GUI_TaskEditor::Instance().GetDataRoot();
    SIM_ProductionTaskManager::Instance().Load(root);
    SIM_FacilityManager::Instance().Load(root);
    GUI_TaskEditor::Instance().RequestRebuild();
    return true;
}
