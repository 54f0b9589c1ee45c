// A car design for the money tests: worth `value` (one feature, no upgrades) and priced `price`.
#pragma once

#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

struct MoneyTestDesign
{
    MoneyTestDesign(float value, float price)
    {
        feature.m_value = value;
        record.feature = &feature;
        design.m_featureRecords.push_back(&record);
        design.m_price = price;
    }
    MoneyTestDesign(const MoneyTestDesign&) = delete;
    MoneyTestDesign& operator=(const MoneyTestDesign&) = delete;

    SIM_VehicleFeature feature;
    SIM_VehicleFeatureRecord record;
    SIM_VehicleDesign design;
};
