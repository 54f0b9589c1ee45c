// A recurring hourly cost or income, settled and booked by the finance manager every game hour.
#include "sim/money/SIM_FinanceObject.h"

#include "sim/money/SIM_FinanceManager.h"

SIM_FinanceObject::SIM_FinanceObject()
{
    SIM_FinanceManager::Instance().RegisterObject(this);
}

SIM_FinanceObject::~SIM_FinanceObject()
{
    SIM_FinanceManager::Instance().UnregisterObject(this);
}

void SIM_FinanceObject::PostHour()
{
    float amount = income > 0.0f ? income : cost;
    SIM_FinanceRecord::Instance().StoreRecordNow(category, amount);
}
