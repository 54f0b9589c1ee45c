// Placing on the floor for the tests and benchmarks that build large factories quickly: through
// the simulation's placement operations in their unpaid (loading) form, as the savegame reader
// rebuilds a floor.
#pragma once
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Tile.h"

namespace floorplacing
{
// A slot with the task, anchored on the tile; null (and nothing placed) when the footprint does
// not fit. T is the slot class the task makes.
template <class T, class Task>
T* PlaceSlot(SIM_Tile* anchor, int facing, Task& task)
{
    return static_cast<T*>(SIM_Placement::PlaceTask(&task, anchor, facing, true));
}

// The conveyor on the tile: the one already there, or a new one facing `facing`.
inline SIM_ResourceConveyor* LayConveyor(SIM_Tile* tile, int facing = 1)
{
    return SIM_Placement::LayConveyor(tile, facing, true);
}
} // namespace floorplacing
