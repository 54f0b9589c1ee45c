// The palette of car colours that finished cars and new designs are painted from.
#pragma once

#include <string>
#include <vector>

struct VehicleColor
{
    int r = 255;
    int g = 255;
    int b = 255;
    int a = 255;
};

// The car colours, loaded from data on first use.
std::vector<VehicleColor>& GetVehicleColors();
// Appends every value of section "colors" of the file as {r, g, b, 255}.
void LoadVehicleColors(const std::string& path = "data/simulation/car_colors.txt");
// Uniform pick from the car colours; white (with a log line) when the palette is empty.
VehicleColor GetRandomVehicleColor();
