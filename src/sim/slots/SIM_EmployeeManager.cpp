// Hires staff and keeps the list of employees in service.
#include "sim/slots/SIM_EmployeeManager.h"

#include "engine/core/GLifetime.h"
#include "sim/slots/SIM_Employee.h"

SIM_EmployeeManager& SIM_EmployeeManager::Instance()
{
    return GLifetime::Get<SIM_EmployeeManager>();
}

SIM_EmployeeManager::~SIM_EmployeeManager() = default;

std::unique_ptr<SIM_Employee> SIM_EmployeeManager::CreateEmployee()
{
    auto employee = std::make_unique<SIM_Employee>();
    m_employees.Add(employee.get());
    return employee;
}

void SIM_EmployeeManager::Forget(SIM_Employee* employee)
{
    // The list never keeps a pointer to an employee that is gone.
    m_employees.Remove(employee);
}

void SIM_EmployeeManager::Clear()
{
    m_employees.Clear();
}
