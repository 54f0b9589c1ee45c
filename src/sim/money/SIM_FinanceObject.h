// A recurring hourly cost or income of the factory (the employees' wages, for one), settled by the
// finance manager once per game hour and booked under its category.
#pragma once

#include "sim/money/SIM_FinanceRecord.h"

#include <cstdint>

class SIM_FinanceObject
{
public:
    // Cost 0, income 0, no category; registers with the finance manager.
    SIM_FinanceObject();
    virtual ~SIM_FinanceObject();
    SIM_FinanceObject(const SIM_FinanceObject&) = delete;
    SIM_FinanceObject& operator=(const SIM_FinanceObject&) = delete;

    // Books the hourly amount: the income when there is one, else the cost.
    void PostHour();

    float cost = 0.0f;      // taken from the cash every game hour
    float income = 0.0f;    // added to the cash every game hour
    int category = FC_NONE; // set by the owner to 0..9 before the first hour
    // The object's index in the finance manager's list, -1 before it is listed; the list's own.
    int32_t m_listIndex = -1;
};
