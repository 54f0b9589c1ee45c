// Placing on the floor the way the placement tools do, for the tests and benchmarks that build
// factories: a slot through its own placement on the floor, a conveyor made by the conveyor
// manager and tied to its tile both ways.
#pragma once
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/world/SIM_Tile.h"

namespace floorplacing
{
// A slot of type T with the task, anchored on the tile; null (and nothing placed) when the
// footprint does not fit.
template <class T, class Task>
T* PlaceSlot(SIM_Tile* anchor, int facing, Task& task)
{
    if (!anchor)
        return nullptr;
    T* slot = new T();
    if (!slot->PlaceOnFloor(anchor, facing, task))
    {
        delete slot;
        return nullptr;
    }
    slot->SetTask(&task);
    return slot;
}

// The conveyor on the tile: the one already there, or a new one facing `facing`.
inline SIM_ResourceConveyor* LayConveyor(SIM_Tile* tile, int facing = 1)
{
    if (!tile)
        return nullptr;
    if (tile->m_conveyor)
        return tile->m_conveyor;
    SIM_ResourceConveyor* conveyor = SIM_ResourceConveyorManager::Instance().CreateConveyor();
    conveyor->m_tile = tile;
    conveyor->m_facing = facing;
    tile->m_conveyor = conveyor;
    return conveyor;
}
} // namespace floorplacing
