// A feature a car has been given, with the upgrades of the slot that gave it (they decide the
// quality of that feature in the car's value).
#pragma once

#include <vector>

class SIM_VehicleFeature;
class SIM_SlotUpgrade;

struct SIM_VehicleFeatureRecord
{
    SIM_VehicleFeature* feature = nullptr;
    std::vector<SIM_SlotUpgrade*> upgrades; // copy of the installing slot's list
};
