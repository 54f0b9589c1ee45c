// Hires the staff of every slot; keeps the list of employees in service. Each employee belongs to
// the slot that hired it and leaves this list when it is deleted.
#pragma once
#include "sim/SIM_IndexedList.h"
#include "sim/slots/SIM_Employee.h"

#include <memory>

class SIM_EmployeeManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_EmployeeManager& Instance();
    virtual ~SIM_EmployeeManager();

    // A new employee without wage yet (Init starts it), appended to the list; the caller owns it.
    std::unique_ptr<SIM_Employee> CreateEmployee();
    // An employee is being deleted: it leaves the list, in constant time.
    void Forget(SIM_Employee* employee);
    // Game reset: empties the list (the slots own and delete the employees).
    void Clear();

    using EmployeeList = SIM_IndexedList<SIM_Employee, &SIM_Employee::m_listIndex>;
    const EmployeeList& GetEmployees() const { return m_employees; }

private:
    SIM_EmployeeManager() = default;
    EmployeeList m_employees; // in order of hiring; owned by their slots
};
