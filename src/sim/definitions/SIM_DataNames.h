// The names of data the code looks up: the tasks, facilities, classes, props and research items
// that behave specially. The game and the data checker both take them from here, so a name that
// the data lacks is found by the checker, not by a player.
#pragma once

namespace SIM_DataNames
{
// Production tasks.
inline constexpr const char* kTaskExport = "task_export";
inline constexpr const char* kTaskResourceImporter = "task_resource_importer";
inline constexpr const char* kTaskResourceConveyor = "task_resource_conveyor";
inline constexpr const char* kTaskConveyor = "task_conveyor";
inline constexpr const char* kTaskConveyorLeft = "task_conveyor_left";
inline constexpr const char* kTaskConveyorRight = "task_conveyor_right";

// Facilities, and the slot classes a facility file may ask for.
inline constexpr const char* kFacPowerPlant = "fac_power_plant";
inline constexpr const char* kFacSupplyStockpile = "fac_supply_stockpile";
inline constexpr const char* kFacResearchOffice = "fac_research_office";
inline constexpr const char* kClassPowerplantSlot = "SIM_PowerplantSlot";
inline constexpr const char* kClassSupplyStockpile = "SIM_SupplyStockpile";
} // namespace SIM_DataNames
