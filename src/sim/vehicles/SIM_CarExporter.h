// Where finished cars leave the factory: matched to a car design and put into the car stock, or,
// when no design matches, made into a new design for the player to name and price.
#pragma once

class SIM_Vehicle;
class SIM_VehicleDesign;
class SIM_VehicleFeature;

class SIM_CarExporter
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_CarExporter& Instance();
    virtual ~SIM_CarExporter() = default;

    void ExportVehicle(SIM_Vehicle* car);
    // Components, feature records (copied) and a random car colour from the car.
    static void FillDesignFromVehicle(SIM_VehicleDesign* design, const SIM_Vehicle* car);
    // Appends a feature entry without upgrades to the design (a design read from a savegame).
    static void AddDesignFeature(SIM_VehicleDesign* design, SIM_VehicleFeature* feature);

private:
    SIM_CarExporter() = default;
};
