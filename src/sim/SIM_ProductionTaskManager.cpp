// The production task registry: load, complete from tasks.csv, sort and combine.
#include "sim/SIM_ProductionTaskManager.h"

#include "sim/SIM_ProductionTask.h"

SIM_ProductionTaskManager& SIM_ProductionTaskManager::Instance()
{
    static SIM_ProductionTaskManager instance;
    return instance;
}

SIM_ProductionTaskManager::~SIM_ProductionTaskManager()
{
    Clear();
}

void SIM_ProductionTaskManager::Clear()
{
    for (SIM_ProductionTask* task : m_tasks)
        delete task;
    m_tasks.clear();
}

void SIM_ProductionTaskManager::Load(const std::string& root)
{
    (void)root;
    Clear();
}

SIM_ProductionTask* SIM_ProductionTaskManager::GetTask(const std::string& name) const
{
    for (SIM_ProductionTask* task : m_tasks)
        if (task->m_name == name)
            return task;
    return nullptr;
}

void SIM_ProductionTaskManager::MarkParents()
{
    for (SIM_ProductionTask* a : m_tasks)
        for (const SIM_ProductionTask* b : m_tasks)
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
    (void)row;
}
