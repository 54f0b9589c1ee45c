// Vehicle component types read from the components folder.
#include "sim/SIM_VehicleComponentType.h"

void SIM_VehicleComponentType::Load(const std::string& path)
{
    (void)path;
}

void SIM_VehicleComponentType::LoadFacing(int facing, const std::string& value)
{
    (void)facing;
    (void)value;
}
