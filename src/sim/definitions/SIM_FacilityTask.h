// A facility definition (power plant, research office, supply stockpile...). It keeps its file's
// "task" section so that the facility slots can read keys of their own from it.
#pragma once

#include "sim/definitions/SIM_BaseTask.h"

#include <memory>
#include <string>

class IniLoader;

class SIM_FacilityTask : public SIM_BaseTask
{
public:
    SIM_FacilityTask();
    ~SIM_FacilityTask() override;

    void Load(const std::string& path) override;

    std::string GetClassName() const { return m_class; }
    // Section "task" of the definition file, kept for the lifetime of the definition.
    const IniLoader& GetTaskSection() const;

    std::shared_ptr<IniLoader> m_taskSection;
    std::string m_class;
};
