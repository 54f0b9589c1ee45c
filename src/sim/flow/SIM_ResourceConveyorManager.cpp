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
    // Program exit: a bay's destructor reaches into other singletons that may be gone already,
    // so the bays of a game that was never reset are left to the operating system; conveyors
    // only free memory.
    m_conveyors.clear();
    m_ownedConveyors.clear();
    for (std::unique_ptr<SIM_ResourceImportBay>& bay : m_ownedBays)
        (void)bay.release();
}

SIM_ResourceConveyor* SIM_ResourceConveyorManager::CreateConveyor()
{
    m_ownedConveyors.push_back(std::make_unique<SIM_ResourceConveyor>());
    AddConveyor(m_ownedConveyors.back().get());
    return m_ownedConveyors.back().get();
}

SIM_ResourceImportBay* SIM_ResourceConveyorManager::CreateImportBay(SIM_Tile* tile)
{
    m_ownedBays.push_back(std::make_unique<SIM_ResourceImportBay>(tile)); // it joins m_bays itself
    return m_ownedBays.back().get();
}

void SIM_ResourceConveyorManager::Clear()
{
    // The lists are emptied first so that each destructor's own removal finds nothing to do.
    m_conveyors.clear();
    m_ownedConveyors.clear();
    m_bays.clear();
    m_ownedBays.clear();
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
    auto it = std::find_if(
        m_ownedConveyors.begin(), m_ownedConveyors.end(),
        [conveyor](const std::unique_ptr<SIM_ResourceConveyor>& owned) { return owned.get() == conveyor; });
    if (it != m_ownedConveyors.end())
        m_ownedConveyors.erase(it); // its destructor takes it off m_conveyors
}

void SIM_ResourceConveyorManager::DestroyImportBay(SIM_ResourceImportBay* bay)
{
    auto it = std::find_if(m_ownedBays.begin(), m_ownedBays.end(),
                           [bay](const std::unique_ptr<SIM_ResourceImportBay>& owned) { return owned.get() == bay; });
    if (it != m_ownedBays.end())
        m_ownedBays.erase(it); // its destructor takes it off m_bays
}

SIM_ResourceImportBay* SIM_ResourceConveyorManager::GetImportBayOn(const SIM_Tile* tile) const
{
    for (SIM_ResourceImportBay* bay : m_bays)
        if (bay && bay->GetTile() == tile)
            return bay;
    return nullptr;
}
