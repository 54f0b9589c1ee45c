// The facility registry.
#include "sim/definitions/SIM_FacilityManager.h"

#include "engine/core/GFileList.h"
#include "sim/definitions/SIM_FacilityTask.h"

SIM_FacilityManager& SIM_FacilityManager::Instance()
{
    static SIM_FacilityManager instance;
    return instance;
}

SIM_FacilityManager::~SIM_FacilityManager()
{
    Clear();
}

void SIM_FacilityManager::Clear()
{
    for (SIM_FacilityTask* task : m_tasks)
        delete task;
    m_tasks.clear();
}

void SIM_FacilityManager::Load(const std::string& root)
{
    Clear();
    GFileList files;
    files.m_keepFolder = true;
    files.Find(root + "/facilities/*.ini");
    for (const std::string& path : files.GetFiles())
    {
        SIM_FacilityTask* task = new SIM_FacilityTask();
        task->Load(path);
        m_tasks.push_back(task);
    }
}

SIM_FacilityTask* SIM_FacilityManager::GetTask(const std::string& name) const
{
    for (SIM_FacilityTask* task : m_tasks)
        if (task->m_name == name)
            return task;
    return nullptr;
}
