// The names of data the code looks up: the tasks, facilities, classes, props, keys and factory
// variables that behave specially. The game and the data checker both take them from here, so a
// name that the data lacks is found by the checker, not by a player.
#pragma once
#include <utility>

namespace SIM_DataNames
{
// Production tasks.
inline constexpr const char* kTaskExport = "task_export";
inline constexpr const char* kTaskResourceImporter = "task_resource_importer";
inline constexpr const char* kTaskResourceConveyor = "task_resource_conveyor";
inline constexpr const char* kTaskConveyor = "task_conveyor";
inline constexpr const char* kTaskConveyorLeft = "task_conveyor_left";
inline constexpr const char* kTaskConveyorRight = "task_conveyor_right";
inline constexpr const char* kTaskFuelTank = "task_fuel_tank";
// The stations that make a new car when they stand empty (two carry a blank in their name).
inline constexpr const char* kTaskFitChassis = "task_fit chassis";
inline constexpr const char* kTaskFitFrontAxle = "task_fit_front_axle";
inline constexpr const char* kTaskFitAxles = "task_fit axles";
// The paint stations: grey undercoat, then a colour from the palette.
inline constexpr const char* kTaskPaintUndercoat = "task_paint_undercoat";
inline constexpr const char* kTaskPaintFinish = "task_paint_finish";

// Facilities, the slot classes a facility file may ask for, and the keys the slots read.
inline constexpr const char* kFacPowerPlant = "fac_power_plant";
inline constexpr const char* kFacSupplyStockpile = "fac_supply_stockpile";
inline constexpr const char* kFacResearchOffice = "fac_research_office";
inline constexpr const char* kClassPowerplantSlot = "SIM_PowerplantSlot";
inline constexpr const char* kClassSupplyStockpile = "SIM_SupplyStockpile";
inline constexpr const char* kKeyPowerSupply = "power_supply";
inline constexpr const char* kKeyResearchPoints = "research_points_earned";

// Prop types: the staff a footprint hires, the robots every station with robots gets, and the
// pallets a supply stockpile lays out (every prop type whose name contains the pallet mark).
inline constexpr const char* kPropEmployee = "employee";
inline constexpr const char* kPropScientist = "scientist";
inline constexpr const char* kPropBusinessman = "businessman";
inline constexpr const char* kPropRobot = "robot2";
inline constexpr const char* kPropPalletMark = "pallet";

// Factory-wide variables that research raises.
inline constexpr const char* kVarConveyorSpeed = "GFV_CONVEYOR_SPEED";
inline constexpr const char* kVarResourceConveyorSpeed = "GFV_RESOURCE_CONV_SPEED";
inline constexpr const char* kVarImportRateSpeed = "GFV_IMPORT_RATE_SPEED";

// What a playable data set must define.
inline constexpr const char* kRequiredTasks[] = {kTaskExport,   kTaskResourceImporter, kTaskResourceConveyor,
                                                 kTaskConveyor, kTaskConveyorRight,    kTaskConveyorLeft,
                                                 kTaskFuelTank};
// Each required facility with the class its file must name ("" for a plain facility).
inline constexpr std::pair<const char*, const char*> kRequiredFacilities[] = {
    {kFacPowerPlant, kClassPowerplantSlot},
    {kFacSupplyStockpile, kClassSupplyStockpile},
    {kFacResearchOffice, ""},
};
inline constexpr const char* kRequiredProps[] = {kPropEmployee, kPropScientist, kPropBusinessman,
                                                 kPropRobot,    "pallet",       "pallet3"};
inline constexpr const char* kFactoryVariables[] = {kVarConveyorSpeed, kVarResourceConveyorSpeed, kVarImportRateSpeed};
} // namespace SIM_DataNames
