// A car model the player has named and priced; finished cars are matched against it by features.
#pragma once

#include "sim/definitions/VehicleColor.h"

#include <memory>
#include <string>
#include <vector>

class SIM_VehicleComponentType;
class SIM_Vehicle;
struct SIM_VehicleFeatureRecord;

class SIM_VehicleDesign
{
public:
    // An empty design; the design manager owns the designs of the game (SIM_VehicleDesignManager::Add).
    SIM_VehicleDesign();
    SIM_VehicleDesign(const SIM_VehicleDesign&) = delete;
    SIM_VehicleDesign& operator=(const SIM_VehicleDesign&) = delete;
    virtual ~SIM_VehicleDesign();

    // True when the car's feature records are as many as the design's and each one's feature
    // is the feature of one of the design's records (order does not matter).
    bool MatchesVehicleTasks(const std::vector<SIM_VehicleFeatureRecord*>& carRecords) const;
    // The same test on a car's own feature records.
    bool MatchesVehicle(const SIM_Vehicle& car) const;
    // Worth of a design: its features' values, each scaled by the quality of the upgrades that
    // fitted it (1 + quality effects, clamped to -1..1); 0 for no design.
    static float GetDesignValue(const SIM_VehicleDesign* design);

    std::string GetName() const { return m_name; }

    // A feature record of the design's own, kept as long as the design: the car it was copied
    // from drives away, and a record kept anywhere longer would outlive every design it served.
    void AddOwnFeatureRecord(std::unique_ptr<SIM_VehicleFeatureRecord> record);
    // No features any more; the design's own records go.
    void ClearFeatureRecords();

    std::vector<SIM_VehicleComponentType*> m_componentTypes;
    std::vector<SIM_VehicleFeatureRecord*> m_featureRecords;
    std::string m_name;
    float m_price = 0.0f;
    VehicleColor m_colour;

private:
    std::vector<std::unique_ptr<SIM_VehicleFeatureRecord>> m_ownRecords;
};
