// The car colour palette.
#include "sim/VehicleColor.h"

std::vector<VehicleColor>& GetVehicleColors()
{
    static std::vector<VehicleColor> colours;
    return colours;
}

void LoadVehicleColors(const std::string& path)
{
    (void)path;
}

VehicleColor GetRandomVehicleColor()
{
    std::vector<VehicleColor>& colours = GetVehicleColors();
    if (colours.empty())
        return VehicleColor{};
    return colours[0];
}
