// What a production slot does: fit a part, paint, make a component, move cars on a conveyor,
// export finished cars. Read from one task file and completed by its row of tasks.csv.
#pragma once

#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/TaskResourceAmount.h"

#include <string>
#include <vector>

class SIM_ProductionTask : public SIM_BaseTask
{
public:
    SIM_ProductionTask() { m_kind = TASK_VEHICLE; }

    void Load(const std::string& path) override;
    bool IsConveyor() const override { return m_isConveyor; }

    // Every TT_NORMAL tile whose texture is empty gets this one.
    void SetDefaultFloorTexture(const std::string& texture);
    // A composite task takes its resources (and, with two or more steps, its cost, time and
    // power) from its applied sub-tasks as they stand at this moment.
    void CombineSubTasks();

    std::string GetParentName() const { return m_parent; }

    std::vector<TaskResourceAmount> m_resources;
    std::vector<TaskResourceAmount> m_exports;
    std::vector<std::string> m_subTasksApplied;
    std::vector<std::string> m_subTasksRequired;
    std::vector<std::string> m_components;
    std::vector<std::string> m_features;
    std::vector<int> m_exitDirections;
    std::vector<int> m_inputDirections;
    std::string m_sprites[4]; // NE, SE, SW, NW
    bool m_isConveyor = false;
};
