// The list of playable missions.
#include "sim/world/SIM_MissionManager.h"

#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "sim/world/SIM_Mission.h"

#include <algorithm>

SIM_MissionManager& SIM_MissionManager::Instance()
{
    return GLifetime::Get<SIM_MissionManager>();
}

SIM_MissionManager::~SIM_MissionManager()
{
    Unload();
}

void SIM_MissionManager::Unload()
{
    m_missions.Clear();
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
        auto mission = std::make_unique<SIM_Mission>();
        if (mission->Load(path)) // a refused mission is logged by itself
            m_missions.Add(std::move(mission));
    }
    // Stable, so missions with equal gui_id keep the (sorted) order of their files.
    m_missions.StableSort([](const SIM_Mission* a, const SIM_Mission* b) { return a->m_guiId < b->m_guiId; });
    m_loaded = true;
}

SIM_Mission* SIM_MissionManager::GetMission(const std::string& name)
{
    if (m_missions.IsEmpty())
        Load();
    return m_missions.Find(name);
}
