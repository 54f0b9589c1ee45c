// The component type registry.
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"

#include "engine/core/GFileList.h"
#include "sim/definitions/SIM_VehicleComponentType.h"

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
    // Appended: designs of an earlier game may still point at the types loaded before, and the
    // first of two equal names is the one found.
    GFileList files;
    files.m_keepFolder = true;
    files.Find(root + "/components/*.txt");
    for (const std::string& path : files.GetFiles())
    {
        SIM_VehicleComponentType* type = new SIM_VehicleComponentType();
        type->Load(path);
        m_types.push_back(type);
    }
}

SIM_VehicleComponentType* SIM_VehicleComponentTypeManager::GetComponentType(const std::string& name) const
{
    for (SIM_VehicleComponentType* type : m_types)
        if (type->m_name == name)
            return type;
    return nullptr;
}
