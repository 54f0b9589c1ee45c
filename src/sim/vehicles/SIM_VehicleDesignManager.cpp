// The registry of car designs.
#include "sim/vehicles/SIM_VehicleDesignManager.h"

#include "engine/core/GTextTable.h"
#include "sim/vehicles/SIM_VehicleDesign.h"

#include <algorithm>

SIM_VehicleDesignManager& SIM_VehicleDesignManager::Instance()
{
    static SIM_VehicleDesignManager instance;
    return instance;
}

SIM_VehicleDesignManager::~SIM_VehicleDesignManager()
{
    Clear();
}

void SIM_VehicleDesignManager::Register(SIM_VehicleDesign* design)
{
    m_designs.push_back(design);
}

void SIM_VehicleDesignManager::Unregister(SIM_VehicleDesign* design)
{
    m_designs.erase(std::remove(m_designs.begin(), m_designs.end(), design), m_designs.end());
}

void SIM_VehicleDesignManager::Clear()
{
    // Each design takes itself out of the list as it is deleted.
    while (!m_designs.empty())
        delete m_designs.back();
}

SIM_VehicleDesign* SIM_VehicleDesignManager::GetDesign(const std::string& name) const
{
    for (SIM_VehicleDesign* design : m_designs)
        if (design->m_name == name)
            return design;
    return nullptr;
}

std::string SIM_VehicleDesignManager::MakeUniqueDefaultName() const
{
    const std::string base = GTextTable::GetText("DEFAULT_DESIGN_NAME");
    for (int number = 1;; ++number)
    {
        std::string name = base + std::to_string(number);
        if (!GetDesign(name))
            return name;
    }
}
