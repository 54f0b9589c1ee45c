// One member of a slot's staff; costs an hourly wage through its finance object.
#pragma once
#include <cstdint>
#include <memory>

class SIM_FinanceObject;
struct TaskPropDef;

class SIM_Employee
{
public:
    SIM_Employee();
    virtual ~SIM_Employee();
    SIM_Employee(const SIM_Employee&) = delete;
    SIM_Employee& operator=(const SIM_Employee&) = delete;

    // Stores the staff entry and starts the wage: "HOURLY_WAGE" per hour in the wages category.
    void Init(const TaskPropDef* staffKind);

    SIM_FinanceObject* GetFinanceObject() const { return m_financeObject.get(); }

    // The employee's index in the employee manager's list, -1 before it is listed; the list's own.
    int32_t m_listIndex = -1;

private:
    std::unique_ptr<SIM_FinanceObject> m_financeObject;
    const TaskPropDef* m_staffKind = nullptr;
};
