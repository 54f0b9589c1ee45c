// Car designs, features and cars made by hand for the car screen tests; everything made is gone
// again when the helper goes (designs, stock, cars, the listener).
#pragma once

#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

struct CarTestData
{
    ~CarTestData()
    {
        SIM_VehicleManager::Instance().DeleteAll();
        SIM_SalesManager::Instance().ClearStock();
        FreshState::Forget<SIM_VehicleDesignManager>();
        SIM_Presentation::Instance().DiscardPosted();
        SIM_Presentation::Instance().SetListener(nullptr);
    }

    SIM_VehicleFeature* Feature(const std::string& name, float value)
    {
        features.push_back(std::make_unique<SIM_VehicleFeature>());
        features.back()->m_name = name;
        features.back()->m_guiName = name;
        features.back()->m_value = value;
        return features.back().get();
    }

    SIM_VehicleFeatureRecord* Record(SIM_VehicleFeature* feature)
    {
        records.push_back(std::make_unique<SIM_VehicleFeatureRecord>());
        records.back()->feature = feature;
        return records.back().get();
    }

    SIM_VehicleDesign* Design(const std::string& name, float price, const std::vector<SIM_VehicleFeature*>& with,
                              const std::vector<SIM_VehicleComponentType*>& parts = {}, VehicleColor colour = {})
    {
        SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
        design->m_name = name;
        design->m_price = price;
        for (SIM_VehicleFeature* feature : with)
            design->m_featureRecords.push_back(Record(feature));
        design->m_componentTypes = parts;
        design->m_colour = colour;
        return design;
    }

    // A design as the factory would make it from a car with these shipped parts and features, priced
    // at its value (the shipped parts and features must be loaded).
    SIM_VehicleDesign* ShippedDesign(const std::string& name, const std::vector<const char*>& parts,
                                     const std::vector<const char*>& with, VehicleColor colour)
    {
        std::vector<SIM_VehicleComponentType*> types;
        for (const char* part : parts)
        {
            SIM_VehicleComponentType* type = SIM_VehicleComponentTypeManager::Instance().GetComponentType(part);
            EXPECT_NE(type, nullptr) << part;
            if (type)
                types.push_back(type);
        }
        std::vector<SIM_VehicleFeature*> found;
        for (const char* feature : with)
        {
            SIM_VehicleFeature* f = SIM_VehicleFeatureManager::Instance().GetFeature(feature);
            EXPECT_NE(f, nullptr) << feature;
            if (f)
                found.push_back(f);
        }
        SIM_VehicleDesign* design = Design(name, 0.0f, found, types, colour);
        design->m_price = SIM_VehicleDesign::GetDesignValue(design);
        return design;
    }

    // A car on the floor with these features.
    static SIM_Vehicle* Car(const std::vector<SIM_VehicleFeature*>& with)
    {
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        for (SIM_VehicleFeature* feature : with)
        {
            auto record = std::make_unique<SIM_VehicleFeatureRecord>();
            record->feature = feature;
            car->AddCompletedTask(std::move(record));
        }
        return car;
    }

    std::vector<std::unique_ptr<SIM_VehicleFeature>> features;
    std::vector<std::unique_ptr<SIM_VehicleFeatureRecord>> records;
};
