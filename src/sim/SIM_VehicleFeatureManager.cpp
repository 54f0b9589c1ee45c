// The vehicle feature registry.
#include "sim/SIM_VehicleFeatureManager.h"

#include "sim/SIM_VehicleFeature.h"

SIM_VehicleFeatureManager& SIM_VehicleFeatureManager::Instance()
{
    static SIM_VehicleFeatureManager instance;
    return instance;
}

SIM_VehicleFeatureManager::~SIM_VehicleFeatureManager()
{
    Clear();
}

void SIM_VehicleFeatureManager::Clear()
{
    for (SIM_VehicleFeature* feature : m_features)
        delete feature;
    m_features.clear();
}

void SIM_VehicleFeatureManager::Load(const std::string& root)
{
    (void)root;
    Clear();
}

SIM_VehicleFeature* SIM_VehicleFeatureManager::GetFeature(const std::string& name) const
{
    for (SIM_VehicleFeature* feature : m_features)
        if (feature->m_name == name)
            return feature;
    return nullptr;
}
