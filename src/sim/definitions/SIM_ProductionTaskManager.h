// Owns every production task: loads the task folder, completes the tasks from tasks.csv, marks
// parents, sorts them by build-menu level (highest first) and combines composite tasks.
#pragma once
#include "sim/SIM_Registry.h"

#include <string>
#include <vector>

class SIM_ProductionTask;

class SIM_ProductionTaskManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_ProductionTaskManager& Instance();
    virtual ~SIM_ProductionTaskManager();

    // The whole load from <root>/tasks (root is "data/simulation" in the game).
    void Load(const std::string& root = "data/simulation");
    // First task in sorted order whose name is exactly this one, or null.
    SIM_ProductionTask* GetTask(const std::string& name) const;
    void MarkParents();
    void Clear();

    // Task a goes before task b when its build-menu level is higher.
    static bool CompareTasksByGuiLevel(const SIM_ProductionTask* a, const SIM_ProductionTask* b);

    const std::vector<SIM_ProductionTask*>& GetTasks() const { return m_tasks.Items(); }

private:
    void ApplyTableRow(const std::string& row);

    SIM_Registry<SIM_ProductionTask> m_tasks;
};
