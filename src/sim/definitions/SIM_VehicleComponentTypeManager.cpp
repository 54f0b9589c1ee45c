// The component type registry.
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"

#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "sim/definitions/SIM_VehicleComponentType.h"

SIM_VehicleComponentTypeManager& SIM_VehicleComponentTypeManager::Instance()
{
    return GLifetime::Get<SIM_VehicleComponentTypeManager>();
}

SIM_VehicleComponentTypeManager::~SIM_VehicleComponentTypeManager()
{
    Clear();
}

void SIM_VehicleComponentTypeManager::Clear()
{
    m_types.Clear();
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
        auto type = std::make_unique<SIM_VehicleComponentType>();
        type->Load(path);
        m_types.Add(std::move(type));
    }
}

SIM_VehicleComponentType* SIM_VehicleComponentTypeManager::GetComponentType(const std::string& name) const
{
    return m_types.Find(name);
}
