// The top panel of the slot dialog: the slot's task, work time, state and power use, with the
// progress strip. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_SlotTooltipProgress;
class SIM_ProductionSlot;

class GUI_SlotStatus : public GUI_WindowBase
{
public:
    explicit GUI_SlotStatus(SIM_ProductionSlot* slot);

    // Reads the time and power values and lays out the progress strip.
    void Refresh();
    void Draw() override;

    const std::string& GetTimeValue() const { return m_timeValue; }

private:
    GUI_SlotTooltipProgress* m_progress = nullptr; // owned as a sub-window
    SIM_ProductionSlot* m_slot;                    // not owned: the simulation's
    PRect m_inner;
    std::string m_timeLabel;
    std::string m_timeValue;
    std::string m_stateLabel;
    std::string m_stateValue;
    std::string m_powerLabel;
    std::string m_powerValue;
    std::string m_taskLabel;
};
