// The production task registry: load, complete from tasks.csv, sort and combine.
#include "sim/definitions/SIM_ProductionTaskManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/Spreadsheet.h"
#include "sim/definitions/SIM_ProductionTask.h"

#include <algorithm>
#include <memory>

SIM_ProductionTaskManager& SIM_ProductionTaskManager::Instance()
{
    return GLifetime::Get<SIM_ProductionTaskManager>();
}

SIM_ProductionTaskManager::~SIM_ProductionTaskManager()
{
    Clear();
}

void SIM_ProductionTaskManager::Clear()
{
    m_tasks.Clear();
}

void SIM_ProductionTaskManager::Load(const std::string& root)
{
    Clear();

    GFileList files;
    files.m_keepFolder = true;
    files.Find(root + "/tasks/*.ini");
    for (const std::string& path : files.GetFiles())
    {
        auto task = std::make_unique<SIM_ProductionTask>();
        task->Load(path);
        m_tasks.Add(std::move(task));
    }

    MarkParents();

    Spreadsheet table(root + "/tasks/tasks.csv");
    for (const std::string& row : table.GetRows())
        ApplyTableRow(row);

    // Stable, so that tasks of one level keep the folder's order on every machine.
    m_tasks.StableSort(CompareTasksByGuiLevel);

    for (SIM_ProductionTask* task : m_tasks.Items())
        task->CombineSubTasks();
}

SIM_ProductionTask* SIM_ProductionTaskManager::GetTask(const std::string& name) const
{
    return m_tasks.Find(name);
}

void SIM_ProductionTaskManager::MarkParents()
{
    for (SIM_ProductionTask* a : m_tasks.Items())
        for (const SIM_ProductionTask* b : m_tasks.Items())
            if (b->m_parent == a->m_name)
            {
                a->m_hasChildren = true;
                break;
            }
}

bool SIM_ProductionTaskManager::CompareTasksByGuiLevel(const SIM_ProductionTask* a, const SIM_ProductionTask* b)
{
    return a->m_guiLevel > b->m_guiLevel;
}

void SIM_ProductionTaskManager::ApplyTableRow(const std::string& row)
{
    GStringTokenizer cells(row, ',');
    cells.NextToken(); // the row marker
    const std::string name = cells.GetString();
    SIM_ProductionTask* task = GetTask(name);
    if (!task)
    {
        // Rows add no tasks; a row for a task the folder does not define is skipped.
        GDebugLog::Instance().LogError("tasks.csv row for missing task:[" + name + "]");
        return;
    }
    const std::string where = "tasks.csv row '" + name + "'";
    task->m_processTime = static_cast<float>(GNumberText::ReadInt(cells.GetString(), where + " time"));
    task->m_icon = cells.GetString();
    task->m_constructionCost = static_cast<float>(GNumberText::ReadInt(cells.GetString(), where + " cost"));
    task->m_powerDemand = static_cast<float>(GNumberText::ReadInt(cells.GetString(), where + " power"));
    task->SetDefaultFloorTexture(cells.GetString());

    GStringTokenizer colour(cells.NextToken(), ',');
    task->m_iconColour.r = colour.GetInt();
    task->m_iconColour.g = colour.GetInt();
    task->m_iconColour.b = colour.GetInt();
    task->m_iconColour.a = 255;
}
