// The vehicle feature registry.
#include "sim/definitions/SIM_VehicleFeatureManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/Spreadsheet.h"
#include "sim/definitions/SIM_VehicleFeature.h"

#include <cstdio>
#include <memory>

SIM_VehicleFeatureManager& SIM_VehicleFeatureManager::Instance()
{
    return GLifetime::Get<SIM_VehicleFeatureManager>();
}

SIM_VehicleFeatureManager::~SIM_VehicleFeatureManager()
{
    Clear();
}

void SIM_VehicleFeatureManager::Clear()
{
    m_features.Clear();
}

void SIM_VehicleFeatureManager::Load(const std::string& root)
{
    Clear();
    Spreadsheet table(root + "/features/features.csv");
    for (const std::string& row : table.GetRows())
    {
        // Cells: row key, name, display name, value.
        GStringTokenizer cells(row, ',');
        cells.NextToken();
        auto feature = std::make_unique<SIM_VehicleFeature>();
        feature->m_name = cells.GetString();
        feature->m_guiName = cells.GetString();
        feature->m_value =
            GNumberText::ReadFloat(cells.GetString(), "features.csv row '" + feature->m_name + "' value");
        if (feature->m_name.empty())
        {
            GDebugLog::Instance().LogError("features.csv row without a name skipped");
            continue;
        }
        m_features.Add(std::move(feature));
    }
}

SIM_VehicleFeature* SIM_VehicleFeatureManager::FindFeature(const std::string& name) const
{
    return m_features.Find(name);
}

SIM_VehicleFeature* SIM_VehicleFeatureManager::GetFeature(const std::string& name) const
{
    if (SIM_VehicleFeature* feature = FindFeature(name))
        return feature;
    char text[256];
    std::snprintf(text, sizeof text, "Missing Feature:[%s]", name.c_str());
    FV_ERROR_BOX(text);
    return nullptr;
}
