// The registry of car designs.
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GTextKeys.h"

#include "engine/core/GTextTable.h"
#include "sim/vehicles/SIM_VehicleDesign.h"

#include <algorithm>

SIM_VehicleDesignManager& SIM_VehicleDesignManager::Instance()
{
    return GLifetime::Get<SIM_VehicleDesignManager>();
}

SIM_VehicleDesignManager::~SIM_VehicleDesignManager()
{
    Clear();
}

SIM_VehicleDesign* SIM_VehicleDesignManager::Add(std::unique_ptr<SIM_VehicleDesign> design)
{
    return m_designs.Add(std::move(design));
}

void SIM_VehicleDesignManager::Remove(SIM_VehicleDesign* design)
{
    m_designs.Destroy(design);
}

void SIM_VehicleDesignManager::Clear()
{
    m_designs.Clear();
}

SIM_VehicleDesign* SIM_VehicleDesignManager::GetDesign(const std::string& name) const
{
    return m_designs.Find(name);
}

std::string SIM_VehicleDesignManager::MakeUniqueDefaultName() const
{
    const std::string base = GTextTable::GetText(GTextKeys::kDefaultDesignName);
    for (int number = 1;; ++number)
    {
        std::string name = base + std::to_string(number);
        if (!GetDesign(name))
            return name;
    }
}
