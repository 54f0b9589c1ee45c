// The resource registry, sorted by name.
#include "sim/definitions/SIM_ResourceManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/Spreadsheet.h"
#include "sim/definitions/SIM_Resource.h"

#include <algorithm>
#include <cstdio>
#include <memory>

SIM_ResourceManager& SIM_ResourceManager::Instance()
{
    return GLifetime::Get<SIM_ResourceManager>();
}

SIM_ResourceManager::~SIM_ResourceManager()
{
    Clear();
}

void SIM_ResourceManager::Clear()
{
    m_resources.Clear();
}

void SIM_ResourceManager::Load(const std::string& root)
{
    Clear();
    {
        Spreadsheet table(root + "/resources/resources.csv");
        for (const std::string& row : table.GetRows())
        {
            auto resource = std::make_unique<SIM_Resource>();
            if (!resource->LoadFromRow(row))
            {
                GDebugLog::Instance().LogError("resources.csv row without a name skipped");
                continue;
            }
            m_resources.Add(std::move(resource));
        }
    }
    // Names that compare equal keep their file order, so the first of them is found.
    m_resources.StableSort([](const SIM_Resource* a, const SIM_Resource* b) { return a->m_name < b->m_name; });
}

SIM_Resource* SIM_ResourceManager::FindResource(const std::string& name) const
{
    return m_resources.Find(name);
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
