// The list of playable missions.
#include "sim/world/SIM_MissionManager.h"

#include "engine/core/GFileList.h"
#include "sim/world/SIM_Mission.h"

#include <algorithm>

SIM_MissionManager& SIM_MissionManager::Instance()
{
    static SIM_MissionManager instance;
    return instance;
}

SIM_MissionManager::~SIM_MissionManager()
{
    Unload();
}

void SIM_MissionManager::Unload()
{
    for (SIM_Mission* mission : m_missions)
        delete mission;
    m_missions.clear();
    m_loaded = false;
}

void SIM_MissionManager::Load(const char* pattern)
{
    if (m_loaded)
        return;
    GFileList files;
    files.m_keepFolder = true;
    files.Find(pattern);
    for (const std::string& path : files.m_files)
    {
        SIM_Mission* mission = new SIM_Mission();
        if (mission->Load(path))
            m_missions.push_back(mission);
        else
            delete mission; // refused and logged by the mission
    }
    // Stable, so missions with equal gui_id keep the (sorted) order of their files.
    std::stable_sort(m_missions.begin(), m_missions.end(),
                     [](const SIM_Mission* a, const SIM_Mission* b) { return a->m_guiId < b->m_guiId; });
    m_loaded = true;
}

SIM_Mission* SIM_MissionManager::GetMission(const std::string& name)
{
    if (m_missions.empty())
        Load();
    for (SIM_Mission* mission : m_missions)
        if (mission->m_name == name)
            return mission;
    return nullptr;
}
