// One row of a features list: the feature's name and its value in money; resting the mouse on it
// shows the feature with the slot upgrades that were in force when it was fitted. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <memory>
#include <string>

class GUI_Tooltip;
struct SIM_VehicleFeatureRecord;

class GUI_Feature : public GUI_WindowBase
{
public:
    // The record is not owned; its owner (a design, or a car whose windows close when it goes)
    // outlives the row.
    explicit GUI_Feature(const SIM_VehicleFeatureRecord* record);
    ~GUI_Feature() override;

    void Update() override;
    void Draw() override;

    // "$1,234": a value without its fraction, grouped by thousands.
    static std::string FormatValue(float value);

private:
    std::unique_ptr<GUI_Tooltip> m_tooltip;
    const SIM_VehicleFeatureRecord* m_record; // not owned
    std::string m_featureName;
    std::string m_valueText;
};
