// Car designs and how finished cars are matched against them.
#include "sim/vehicles/SIM_VehicleDesign.h"

#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

#include <algorithm>
#include <utility>

SIM_VehicleDesign::SIM_VehicleDesign() = default;

SIM_VehicleDesign::~SIM_VehicleDesign() = default;

void SIM_VehicleDesign::AddOwnFeatureRecord(std::unique_ptr<SIM_VehicleFeatureRecord> record)
{
    m_featureRecords.push_back(record.get());
    m_ownRecords.push_back(std::move(record));
}

void SIM_VehicleDesign::ClearFeatureRecords()
{
    m_featureRecords.clear();
    m_ownRecords.clear();
}

bool SIM_VehicleDesign::MatchesVehicle(const SIM_Vehicle& car) const
{
    std::vector<SIM_VehicleFeatureRecord*> records;
    records.reserve(car.GetFeatureRecords().size());
    for (const auto& record : car.GetFeatureRecords())
        records.push_back(record.get());
    return MatchesVehicleTasks(records);
}

bool SIM_VehicleDesign::MatchesVehicleTasks(const std::vector<SIM_VehicleFeatureRecord*>& carRecords) const
{
    if (carRecords.size() != m_featureRecords.size())
        return false;
    for (const SIM_VehicleFeatureRecord* carRecord : carRecords)
    {
        if (!carRecord)
            return false;
        bool found = false;
        for (const SIM_VehicleFeatureRecord* own : m_featureRecords)
            if (own && own->feature == carRecord->feature)
            {
                found = true;
                break;
            }
        if (!found)
            return false;
    }
    return true;
}

float SIM_VehicleDesign::GetDesignValue(const SIM_VehicleDesign* design)
{
    if (!design)
        return 0.0f;
    float value = 0.0f;
    for (const SIM_VehicleFeatureRecord* record : design->m_featureRecords)
    {
        if (!record || !record->feature)
            continue;
        float quality = 1.0f;
        for (const SIM_SlotUpgrade* upgrade : record->upgrades)
        {
            if (!upgrade)
                continue;
            for (const SlotUpgradeEffect& effect : upgrade->m_effects)
                if (effect.type == SU_QUALITY)
                    quality += effect.value;
        }
        quality = std::clamp(quality, -1.0f, 1.0f);
        value += record->feature->GetValue() * quality;
    }
    return value;
}
