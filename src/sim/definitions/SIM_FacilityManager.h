// Owns every facility definition in the order the facility folder lists them and finds them by name.
#pragma once
#include "sim/SIM_Registry.h"

#include <string>
#include <vector>

class SIM_FacilityTask;

class SIM_FacilityManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_FacilityManager& Instance();
    virtual ~SIM_FacilityManager();

    // Loads every <root>/facilities/*.ini (root is "data/simulation" in the game).
    void Load(const std::string& root = "data/simulation");
    // First definition in listing order whose name is exactly this one, or null.
    SIM_FacilityTask* GetTask(const std::string& name) const;
    void Clear();

    const std::vector<SIM_FacilityTask*>& GetTasks() const { return m_tasks.Items(); }

private:
    SIM_Registry<SIM_FacilityTask> m_tasks;
};
