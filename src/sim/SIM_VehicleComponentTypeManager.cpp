// The component type registry.
#include "sim/SIM_VehicleComponentTypeManager.h"

#include "sim/SIM_VehicleComponentType.h"

SIM_VehicleComponentTypeManager& SIM_VehicleComponentTypeManager::Instance()
{
    static SIM_VehicleComponentTypeManager instance;
    return instance;
}

SIM_VehicleComponentTypeManager::~SIM_VehicleComponentTypeManager()
{
    Clear();
}

void SIM_VehicleComponentTypeManager::Clear()
{
    for (SIM_VehicleComponentType* type : m_types)
        delete type;
    m_types.clear();
}

void SIM_VehicleComponentTypeManager::Load(const std::string& root)
{
    (void)root;
    Clear();
}

SIM_VehicleComponentType* SIM_VehicleComponentTypeManager::GetComponentType(const std::string& name) const
{
    for (SIM_VehicleComponentType* type : m_types)
        if (type->m_name == name)
            return type;
    return nullptr;
}
