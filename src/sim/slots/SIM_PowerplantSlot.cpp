// A placed power plant and its output.
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/definitions/SIM_DataNames.h"

#include "sim/slots/SIM_PowerManager.h"

SIM_PowerplantSlot::SIM_PowerplantSlot()
{
    SIM_PowerManager::Instance().RegisterPlant(this);
}

SIM_PowerplantSlot::~SIM_PowerplantSlot()
{
    SIM_PowerManager::Instance().UnregisterPlant(this);
}

void SIM_PowerplantSlot::SetTask(SIM_FacilityTask* task)
{
    SIM_FacilitySlot::SetTask(task);
    m_powerOutput = GetTaskNumber(SIM_DataNames::kKeyPowerSupply);
}
