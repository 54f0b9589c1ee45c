// Finds every mission file once and hands the missions out by name, in list order.
#pragma once
#include "sim/SIM_Registry.h"
#include "sim/world/SIM_Mission.h"

#include <string>
#include <vector>

class SIM_Mission;

class SIM_MissionManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr const char* DEFAULT_PATTERN = "data/missions/*.txt";

    static SIM_MissionManager& Instance();

    SIM_MissionManager() = default;
    virtual ~SIM_MissionManager();
    SIM_MissionManager(const SIM_MissionManager&) = delete;
    SIM_MissionManager& operator=(const SIM_MissionManager&) = delete;

    // Fills the list once, sorted by gui_id; missions that cannot be played are left out.
    void Load(const char* pattern = DEFAULT_PATTERN);
    SIM_Mission* GetMission(const std::string& name);
    const std::vector<SIM_Mission*>& GetMissions() const { return m_missions.Items(); }
    // Forgets every mission so the next Load reads the files again (tools and tests).
    void Unload();

private:
    SIM_Registry<SIM_Mission> m_missions;
    bool m_loaded = false;
};
