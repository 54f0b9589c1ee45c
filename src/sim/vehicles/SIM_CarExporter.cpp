// Finished cars leaving the factory: into the car stock, or into a new design.
#include "sim/vehicles/SIM_CarExporter.h"

#include "engine/core/GLifetime.h"

#include <memory>

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/VehicleColor.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/vehicles/SIM_VehicleManager.h"

SIM_CarExporter& SIM_CarExporter::Instance()
{
    return GLifetime::Get<SIM_CarExporter>();
}

void SIM_CarExporter::ExportVehicle(SIM_Vehicle* car)
{
    FV_ASSERT(car != nullptr);
    if (!car)
        return;
    SIM_VehicleDesign* match = nullptr;
    for (SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
    {
        if (design && design->MatchesVehicle(*car))
        {
            match = design;
            break;
        }
    }
    if (match)
    {
        SIM_SalesManager::Instance().AddVehicleToStock(car);
        return;
    }

    // The first car of a new configuration becomes a design for the player to name and price;
    // it is not stocked itself.
    SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
    FillDesignFromVehicle(design, car);
    if (!SIM_Presentation::Instance().HasListener())
        return;
    // The dialog puts this very car into stock when the player saves the design, so it must
    // outlive its drive off the floor.
    SIM_VehicleManager::Instance().HoldForDesign(car);
    if (SIM_VehicleManager::InVehicleJob())
        SIM_Presentation::Instance().Post(
            [design, car] { SIM_Presentation::Instance().Listener().ShowNewDesign(design, car); });
    else
        SIM_Presentation::Instance().Listener().ShowNewDesign(design, car);
}

void SIM_CarExporter::FillDesignFromVehicle(SIM_VehicleDesign* design, const SIM_Vehicle* car)
{
    FV_ASSERT(car != nullptr && design != nullptr);
    if (!car || !design)
        return;
    design->m_componentTypes.clear();
    for (const auto& component : car->GetComponents())
        design->m_componentTypes.push_back(const_cast<SIM_VehicleComponentType*>(component->GetType()));
    // A design outlives the car it was made from, so it gets its own copies of the car's
    // feature records.
    design->ClearFeatureRecords();
    for (const auto& record : car->GetFeatureRecords())
        design->AddOwnFeatureRecord(std::make_unique<SIM_VehicleFeatureRecord>(*record));
    design->m_colour = GetRandomVehicleColor();
}

void SIM_CarExporter::AddDesignFeature(SIM_VehicleDesign* design, SIM_VehicleFeature* feature)
{
    if (!design || !feature)
        return;
    auto record = std::make_unique<SIM_VehicleFeatureRecord>();
    record->feature = feature;
    design->AddOwnFeatureRecord(std::move(record));
}
