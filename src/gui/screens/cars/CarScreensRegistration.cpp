// The car screens in the window registry, opened with stand-in data: a design without parts for
// the new-design dialog and a car without features for the details.
#include "gui/screens/cars/GUI_CarStock.h"
#include "gui/screens/cars/GUI_NewDesign.h"
#include "gui/screens/cars/GUI_VehicleDetails.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleDesign.h"

#include <memory>

namespace
{
SIM_VehicleDesign& StandInDesign()
{
    static SIM_VehicleDesign design;
    return design;
}

SIM_Vehicle& StandInCar()
{
    static SIM_Vehicle car;
    return car;
}

const GUI_WindowRegistration kCarStock{"carstock", [] { return std::make_unique<GUI_CarStock>(); }, false};
const GUI_WindowRegistration kNewDesign{
    "newdesign", [] { return std::make_unique<GUI_NewDesign>(&StandInDesign(), nullptr); }, true};
const GUI_WindowRegistration kVehicleDetails{"vehicledetails",
                                             [] { return std::make_unique<GUI_VehicleDetails>(&StandInCar()); }, false};
} // namespace
