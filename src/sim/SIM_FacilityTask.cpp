// Facility definitions, keeping their "task" section for the facility slots.
#include "sim/SIM_FacilityTask.h"

SIM_FacilityTask::SIM_FacilityTask()
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
}
