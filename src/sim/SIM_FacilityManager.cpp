// The facility registry.
#include "sim/SIM_FacilityManager.h"

#include "sim/SIM_FacilityTask.h"

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
    (void)root;
    Clear();
}

SIM_FacilityTask* SIM_FacilityManager::GetTask(const std::string& name) const
{
    for (SIM_FacilityTask* task : m_tasks)
        if (task->m_name == name)
            return task;
    return nullptr;
}
