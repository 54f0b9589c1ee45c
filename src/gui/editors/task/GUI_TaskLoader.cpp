// The task editor's task list.
#include "gui/editors/task/GUI_TaskLoader.h"

#include "gui/editors/task/GUI_TaskLoaderStrip.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"

#include <memory>

void GUI_TaskLoader::RebuildRows()
{
    for (const auto& row : m_rows)
        if (row->GetParent() == this)
            (void)RemoveSubWindow(row.get());
    m_rows.clear();
    for (SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        m_rows.push_back(std::make_unique<GUI_TaskLoaderStrip>(task));
    for (SIM_FacilityTask* facility : SIM_FacilityManager::Instance().GetTasks())
        m_rows.push_back(std::make_unique<GUI_TaskLoaderStrip>(facility));
    SortAndLayoutRows();
}
