// Hires staff and keeps the list of employees in service.
#include "sim/slots/SIM_EmployeeManager.h"

#include <algorithm>

#include "sim/slots/SIM_Employee.h"

SIM_EmployeeManager& SIM_EmployeeManager::Instance()
{
    static SIM_EmployeeManager instance;
    return instance;
}

SIM_EmployeeManager::~SIM_EmployeeManager() = default;

std::unique_ptr<SIM_Employee> SIM_EmployeeManager::CreateEmployee()
{
    auto employee = std::make_unique<SIM_Employee>();
    m_employees.push_back(employee.get());
    return employee;
}

void SIM_EmployeeManager::Forget(SIM_Employee* employee)
{
    // The list never keeps a pointer to an employee that is gone.
    m_employees.erase(std::remove(m_employees.begin(), m_employees.end(), employee), m_employees.end());
}

void SIM_EmployeeManager::Clear()
{
    m_employees.clear();
}
