// Facility definitions, keeping their "task" section for the facility slots.
#include "sim/SIM_FacilityTask.h"

#include "engine/IniLoader.h"

SIM_FacilityTask::SIM_FacilityTask()
    : m_taskSection(std::make_shared<IniLoader>())
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

    m_name = task.GetValue("name");
    m_guiName = task.GetValue("guiname");
    m_description = task.GetValue("description");
    m_icon = task.GetValue("icon");
    m_tileLable = task.GetValue("tilelable");
    m_guiLevel = ParseInt(task.GetValue("guilevel"));
    m_guiIndex = ParseFloat(task.GetValue("guiindex"));
    m_constructionCost = static_cast<float>(ParseInt(task.GetValue("constructioncost")));
    m_parent = task.GetValue("parent");
    m_processTime = ParseFloat(task.GetValue("processtime"));
    if (task.HasKey("locked"))
        m_locked = ParseInt(task.GetValue("locked")) != 0;
    if (task.HasKey("class"))
        m_class = task.GetValue("class");
    if (task.HasKey("power_demand"))
        m_powerDemand = ParseFloat(task.GetValue("power_demand"));
    if (task.HasKey("placement_sound"))
        m_placementSound = task.GetValue("placement_sound");

    LoadTiles(path);
    LoadStaff(path);
    LoadUpgrades(path);
}
