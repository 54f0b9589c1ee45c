// The conveyor manager: owns conveyors and import bays, steps the bays, finds the nearest bay.
#include "sim/flow/SIM_ResourceConveyorManager.h"

#include "sim/SIM_PointerList.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceRoute.h"

#include <algorithm>

SIM_ResourceConveyorManager& SIM_ResourceConveyorManager::Instance()
{
    static SIM_ResourceConveyorManager manager;
    return manager;
}

SIM_ResourceConveyorManager::~SIM_ResourceConveyorManager()
{
    // Program exit: the objects may refer to singletons that are already gone; only free memory.
    std::vector<SIM_ResourceConveyor*> conveyors;
    conveyors.swap(m_conveyors);
    for (SIM_ResourceConveyor* conveyor : conveyors)
        delete conveyor;
}

SIM_ResourceConveyor* SIM_ResourceConveyorManager::CreateConveyor()
{
    SIM_ResourceConveyor* conveyor = new SIM_ResourceConveyor;
    AddConveyor(conveyor);
    return conveyor;
}

void SIM_ResourceConveyorManager::Clear()
{
    // Taken off the lists first so that each destructor's own removal finds nothing to do.
    std::vector<SIM_ResourceConveyor*> conveyors;
    conveyors.swap(m_conveyors);
    for (SIM_ResourceConveyor* conveyor : conveyors)
        delete conveyor;
    std::vector<SIM_ResourceImportBay*> bays;
    bays.swap(m_bays);
    for (SIM_ResourceImportBay* bay : bays)
        delete bay;
}

SIM_ResourceImportBay* SIM_ResourceConveyorManager::FindNearestImportBay(SIM_Tile* goal)
{
    if (!goal)
        return nullptr;
    RouteTable& routes = RouteTable::Instance();
    // Every missing route is searched in parallel first; the scoring pass reads the cache only.
    for (SIM_ResourceImportBay* bay : m_bays)
        if (bay->GetTile() && !routes.IsPairKnown(bay->GetTile(), goal))
            routes.PostRouteRequest(bay->GetTile(), goal);
    SIM_ThreadManager::Instance().WaitForAllJobs();

    size_t best = 999999;
    SIM_ResourceImportBay* nearest = nullptr;
    for (SIM_ResourceImportBay* bay : m_bays)
    {
        if (!bay->GetTile())
            continue;
        SIM_ResourceRoute* route = routes.RequestRoute(bay->GetTile(), goal);
        if (!route)
            continue;
        const size_t score = route->m_tiles.size() + 4 * bay->QueueLength();
        if (score < best)
        {
            best = score;
            nearest = bay;
        }
    }
    return nearest;
}

void SIM_ResourceConveyorManager::UpdateBays()
{
    for (SIM_ResourceImportBay* bay : m_bays)
        bay->Update();
    for (SIM_ResourceConveyor* conveyor : m_conveyors)
        conveyor->SetCarrying(false);
}

void SIM_ResourceConveyorManager::AddConveyor(SIM_ResourceConveyor* conveyor)
{
    AddPointerOnce(m_conveyors, conveyor);
}

void SIM_ResourceConveyorManager::RemoveConveyor(SIM_ResourceConveyor* conveyor)
{
    RemovePointer(m_conveyors, conveyor);
}

void SIM_ResourceConveyorManager::AddImportBay(SIM_ResourceImportBay* bay)
{
    AddPointerOnce(m_bays, bay);
}

void SIM_ResourceConveyorManager::RemoveImportBay(SIM_ResourceImportBay* bay)
{
    RemovePointer(m_bays, bay);
}

void SIM_ResourceConveyorManager::DestroyConveyor(SIM_ResourceConveyor* conveyor)
{
    if (std::find(m_conveyors.begin(), m_conveyors.end(), conveyor) != m_conveyors.end())
        delete conveyor;
}

void SIM_ResourceConveyorManager::DestroyImportBay(SIM_ResourceImportBay* bay)
{
    if (std::find(m_bays.begin(), m_bays.end(), bay) != m_bays.end())
        delete bay;
}

SIM_ResourceImportBay* SIM_ResourceConveyorManager::GetImportBayOn(const SIM_Tile* tile) const
{
    for (SIM_ResourceImportBay* bay : m_bays)
        if (bay && bay->GetTile() == tile)
            return bay;
    return nullptr;
}
