// What a car needs of the station it stands in: the station takes the car over when it arrives,
// lets go of it when the cars are cleared, and the car turns with it. The car knows its station
// only through this, so cars sit below the slots that move them.
#pragma once

class SIM_ProductionSlot;
class SIM_Vehicle;

class SIM_VehicleHolder
{
public:
    // A car reached the station's position (vehicles job).
    virtual void OnVehicleArrived() = 0;
    virtual SIM_Vehicle* GetVehicle() const = 0;
    virtual void SetVehicle(SIM_Vehicle* car) = 0;
    virtual int GetHolderFacing() const = 0;
    virtual SIM_ProductionSlot* AsProductionSlot() = 0;

protected:
    ~SIM_VehicleHolder() = default;
};
