// The resource registry, sorted by name.
#include "sim/definitions/SIM_ResourceManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/Spreadsheet.h"
#include "sim/definitions/SIM_Resource.h"

#include <algorithm>
#include <cstdio>

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
    Clear();
    {
        Spreadsheet table(root + "/resources/resources.csv");
        for (const std::string& row : table.GetRows())
        {
            SIM_Resource* resource = new SIM_Resource();
            if (!resource->LoadFromRow(row))
            {
                GDebugLog::Instance().LogError("resources.csv row without a name skipped");
                delete resource;
                continue;
            }
            m_resources.push_back(resource);
        }
    }
    // Names that compare equal keep their file order, so the first of them is found.
    std::stable_sort(m_resources.begin(), m_resources.end(),
                     [](const SIM_Resource* a, const SIM_Resource* b) { return a->m_name < b->m_name; });
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
    SIM_Resource* resource = FindResource(name);
    if (!resource)
    {
        char text[256];
        std::snprintf(text, sizeof text, "Missing Resource:[%s]", name.c_str());
        FV_ERROR_BOX(text);
    }
    return resource;
}
