// The resource registry, sorted by name.
#include "sim/SIM_ResourceManager.h"

#include "sim/SIM_Resource.h"

SIM_ResourceManager& SIM_ResourceManager::Instance()
{
    static SIM_ResourceManager instance;
    return instance;
}

SIM_ResourceManager::~SIM_ResourceManager()
{
    Clear();
}

void SIM_ResourceManager::Clear()
{
    for (SIM_Resource* resource : m_resources)
        delete resource;
    m_resources.clear();
}

void SIM_ResourceManager::Load(const std::string& root)
{
    (void)root;
    Clear();
}

SIM_Resource* SIM_ResourceManager::FindResource(const std::string& name) const
{
    for (SIM_Resource* resource : m_resources)
        if (resource->m_name == name)
            return resource;
    return nullptr;
}

SIM_Resource* SIM_ResourceManager::GetResource(const std::string& name) const
{
    return FindResource(name);
}
