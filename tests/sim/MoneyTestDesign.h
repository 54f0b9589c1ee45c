// A car design for the money tests: worth `value` (one feature, no upgrades) and priced `price`;
// the design manager holds it while the test design lives.
#pragma once

#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

#include <memory>

struct MoneyTestDesign
{
    MoneyTestDesign(float value, float price)
    {
        feature.m_value = value;
        record.feature = &feature;
        design.m_featureRecords.push_back(&record);
        design.m_price = price;
    }
    ~MoneyTestDesign() { SIM_VehicleDesignManager::Instance().Remove(&design); }
    MoneyTestDesign(const MoneyTestDesign&) = delete;
    MoneyTestDesign& operator=(const MoneyTestDesign&) = delete;

    SIM_VehicleFeature feature;
    SIM_VehicleFeatureRecord record;
    SIM_VehicleDesign& design = *SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
};
