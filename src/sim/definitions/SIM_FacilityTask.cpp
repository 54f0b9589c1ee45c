// Facility definitions, keeping their "task" section for the facility slots.
#include "sim/definitions/SIM_FacilityTask.h"

#include "engine/core/IniLoader.h"

SIM_FacilityTask::SIM_FacilityTask() : m_taskSection(std::make_shared<IniLoader>())
{
    m_kind = TASK_STANDALONE;
    m_iconColour = TaskIconColour{128, 128, 128, 255};
}

SIM_FacilityTask::~SIM_FacilityTask() = default;

const IniLoader& SIM_FacilityTask::GetTaskSection() const
{
    return *m_taskSection;
}

void SIM_FacilityTask::Load(const std::string& path)
{
    m_file = path;
    IniLoader& task = *m_taskSection;
    task.Load("task", path);

    LoadCommonKeys(task);
    m_icon = task.GetValue("icon");
    m_constructionCost = static_cast<float>(task.GetInt("constructioncost"));
    m_processTime = task.GetFloat("processtime");
    if (task.HasKey("class"))
        m_class = task.GetValue("class");
    if (task.HasKey("power_demand"))
        m_powerDemand = task.GetFloat("power_demand");

    LoadTiles(path);
    LoadStaff(path);
    LoadUpgrades(path);
}
