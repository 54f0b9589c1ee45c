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
    // The types of the last load go: kept, they would be the ones found by name, with the atlas
    // lookups of the first game of the run, and every new game would add a copy of each. The
    // game's set-up removes the designs and cars that name types before it reloads them.
    Clear();
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
