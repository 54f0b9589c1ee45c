// Car designs and how finished cars are matched against them.
#include "sim/vehicles/SIM_VehicleDesign.h"

#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

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
