// One member of a slot's staff and the wage it costs.
#include "sim/slots/SIM_Employee.h"

#include "sim/definitions/SIM_SimConfig.h"
#include "sim/money/SIM_FinanceObject.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/slots/SIM_EmployeeManager.h"

SIM_Employee::SIM_Employee() = default;

SIM_Employee::~SIM_Employee()
{
    SIM_EmployeeManager::Instance().Forget(this);
}

void SIM_Employee::Init(const TaskPropDef* staffKind)
{
    m_staffKind = staffKind;
    m_financeObject = std::make_unique<SIM_FinanceObject>();
    m_financeObject->cost = SIM_SimConfig::GetFloat("HOURLY_WAGE");
    m_financeObject->category = FC_WAGES;
}
