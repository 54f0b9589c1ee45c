// The flow's change counts: plain atomics beside the zones' unlock count.
#include "sim/flow/FlowVersions.h"

#include <atomic>

#include "sim/world/SIM_BuildingZone.h"

namespace
{
std::atomic<uint64_t> g_sourcesVersion{0};
std::atomic<uint64_t> g_floorVersion{1};
} // namespace

uint64_t FlowVersions::Sources()
{
    // A newly opened zone may open the way to a source.
    return g_sourcesVersion.load(std::memory_order_relaxed) + SIM_BuildingZone::UnlockCount();
}

void FlowVersions::NoteSourcesChanged()
{
    g_sourcesVersion.fetch_add(1, std::memory_order_relaxed);
}

uint64_t FlowVersions::Floor()
{
    return g_floorVersion.load(std::memory_order_relaxed) + SIM_BuildingZone::UnlockCount();
}

void FlowVersions::NoteFloorChanged()
{
    g_floorVersion.fetch_add(1, std::memory_order_relaxed);
}
