// A placed power plant: a facility whose output, read from its facility file, feeds the
// factory's power account.
#pragma once
#include "sim/slots/SIM_FacilitySlot.h"

class SIM_PowerplantSlot : public SIM_FacilitySlot
{
public:
    SIM_PowerplantSlot();
    ~SIM_PowerplantSlot() override;

    // The facility's set-up, then the output from "power_supply" (0 when absent).
    void SetTask(SIM_FacilityTask* task) override;
    float GetPowerOutput() const { return m_powerOutput; }

private:
    float m_powerOutput = 0.0f;
};
