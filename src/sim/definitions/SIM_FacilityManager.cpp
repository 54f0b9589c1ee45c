// The facility registry.
#include "sim/definitions/SIM_FacilityManager.h"

#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "sim/definitions/SIM_FacilityTask.h"

SIM_FacilityManager& SIM_FacilityManager::Instance()
{
    return GLifetime::Get<SIM_FacilityManager>();
}

SIM_FacilityManager::~SIM_FacilityManager()
{
    Clear();
}

void SIM_FacilityManager::Clear()
{
    m_tasks.Clear();
}

void SIM_FacilityManager::Load(const std::string& root)
{
    Clear();
    GFileList files;
    files.m_keepFolder = true;
    files.Find(root + "/facilities/*.ini");
    for (const std::string& path : files.GetFiles())
    {
        auto task = std::make_unique<SIM_FacilityTask>();
        task->Load(path);
        m_tasks.Add(std::move(task));
    }
}

SIM_FacilityTask* SIM_FacilityManager::GetTask(const std::string& name) const
{
    return m_tasks.Find(name);
}
