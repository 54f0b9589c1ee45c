// The pool of resource objects: allocation, the choice of source, the per-frame loop and the
// bookkeeping that keeps queues and requests free of stale objects.
#include "sim/flow/SIM_ResourceObjManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "sim/SIM_RepeatLog.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ComponentStockpileManager.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceReceiver.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/flow/SupplyStockpileRegistry.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

namespace
{
SIM_ProductionSlot* PoolProductionSlot(SIM_PlaceableSlot* slot)
{
    return (slot && !slot->IsFacility()) ? static_cast<SIM_ProductionSlot*>(slot) : nullptr;
}

bool PoolIsSupplyStockpile(SIM_PlaceableSlot* slot)
{
    return slot && slot->IsFacility() && slot->GetTask() && slot->GetTask()->m_name == SIM_SupplyStockpile::kTaskName;
}
} // namespace

SIM_ResourceObjManager& SIM_ResourceObjManager::Instance()
{
    return GLifetime::Get<SIM_ResourceObjManager>();
}

SIM_ResourceObjManager::SIM_ResourceObjManager()
    : m_records(new SIM_ResourceObject[kPoolSize]), m_freeIndex(kPoolSize), m_transitIndex(kPoolSize),
      m_due(kPoolSize, 0)
{
    // A record's id is its index for the life of the pool: resets keep it, and savegames name
    // objects by it.
    for (int32_t i = 0; i < kPoolSize; ++i)
    {
        m_records[static_cast<size_t>(i)].m_id = i;
        m_records[static_cast<size_t>(i)].m_pool = this;
    }
    m_freeIndex.Fill();
}

void SIM_ResourceObjManager::Reset()
{
    // No record above the top index was handed out since the pool was last emptied (the pool's
    // loops rely on it too): only the records up to it need clearing.
    const int32_t top = std::min(m_topIndex, kPoolSize - 1);
    m_topIndex = 0;
    for (int32_t i = 0; i <= top; ++i)
        m_records[static_cast<size_t>(i)].ResetRecord();
    m_freeIndex.Fill();
    m_transitIndex.Clear();
    ForgetRoutesDue();
    FlowVersions::NoteSourcesChanged();
}

void SIM_ResourceObjManager::NoteFreed(const SIM_ResourceObject* object)
{
    const int32_t index = IndexOf(object);
    if (index < 0)
        return;
    m_freeIndex.Insert(index);
    m_transitIndex.Erase(index);
    UnmarkDue(index);
    FlowVersions::NoteSourcesChanged();
}

void SIM_ResourceObjManager::NoteTaken(const SIM_ResourceObject* object)
{
    m_freeIndex.Erase(IndexOf(object));
}

void SIM_ResourceObjManager::NoteInTransit(const SIM_ResourceObject* object)
{
    m_transitIndex.Insert(IndexOf(object));
}

void SIM_ResourceObjManager::SetTopIndex(int32_t top)
{
    m_topIndex = top;
    // Records written directly (a savegame) start with no turn at the route search: each takes
    // its turn when its retry time runs out.
    ForgetRoutesDue();
    RebuildIndices();
}

void SIM_ResourceObjManager::ForgetRoutesDue()
{
    m_dueLine.clear();
    m_newlyDue.clear();
    std::fill(m_due.begin(), m_due.end(), 0);
    m_dueCount = 0;
    m_checkLine.clear();
    m_checkDue.clear();
}

void SIM_ResourceObjManager::UnmarkDue(int32_t index)
{
    uint8_t& due = m_due[static_cast<size_t>(index)];
    if (!due)
        return;
    due = NOT_DUE;
    --m_dueCount;
}

void SIM_ResourceObjManager::MarkDue(int32_t index, DueKind kind)
{
    uint8_t& due = m_due[static_cast<size_t>(index)];
    if (due)
        return;
    due = kind;
    ++m_dueCount;
    m_newlyDue.push_back(index);
}

void SIM_ResourceObjManager::NoteRouteDue(SIM_ResourceObject& object)
{
    const int32_t index = IndexOf(&object);
    if (index < 0)
    {
        object.RetryRoute();
        return;
    }
    if (m_due[static_cast<size_t>(index)])
        return;
    // Nobody waits before it: it looks now, as far as the share goes.
    if (m_dueLine.empty() && m_newlyDue.empty() && object.RetryRoute())
        return;
    MarkDue(index, DUE_RETRY);
}

void SIM_ResourceObjManager::RerouteOrWait(SIM_ResourceObject& object)
{
    if (object.Reroute())
        return;
    // Its old route is gone and the route's record may serve another route at once: the object
    // stops where it stands until its turn comes.
    object.DropRoute();
    const int32_t index = IndexOf(&object);
    if (index >= 0)
        MarkDue(index, DUE_REROUTE);
}

bool SIM_ResourceObjManager::ServeDue(int32_t index)
{
    SIM_ResourceObject& object = m_records[static_cast<size_t>(index)];
    const uint8_t due = m_due[static_cast<size_t>(index)];
    if (!due || !object.m_inUse || object.m_state != SIM_ResourceObject::STATE_IN_TRANSIT || object.m_route)
        return true; // on its way again, delivered or freed meanwhile
    // One that waited past its retry time looks as any object whose retry time ran out.
    if (object.IsRouteDue())
        return object.RetryRoute();
    return due == DUE_REROUTE ? object.Reroute() : true;
}

void SIM_ResourceObjManager::ServeRoutesDue()
{
    if (!m_newlyDue.empty())
    {
        // Of the objects that came due together, the one furthest up its way looks first: the
        // route it is given passes the others bound for the same stockpile further down, which
        // then follow it without a search of their own.
        std::vector<std::pair<float, int32_t>> order;
        order.reserve(m_newlyDue.size());
        for (int32_t index : m_newlyDue)
        {
            const SIM_ResourceObject& object = m_records[static_cast<size_t>(index)];
            const SIM_Tile* goal = SIM_ResourceObject::DestinationTile(object.m_destination);
            const float dx = goal ? goal->m_worldX - object.m_x : 0.0f;
            const float dy = goal ? goal->m_worldY - object.m_y : 0.0f;
            order.emplace_back(dx * dx + dy * dy, index);
        }
        std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        for (const auto& [distance, index] : order)
            m_dueLine.push_back(index);
        m_newlyDue.clear();
    }
    while (!m_dueLine.empty())
    {
        const int32_t index = m_dueLine.front();
        if (!ServeDue(index))
            return; // the share is spent: it keeps its place at the front
        m_dueLine.pop_front();
        UnmarkDue(index);
    }
    while (!m_checkLine.empty())
    {
        SIM_Tile* goal = m_checkLine.front();
        if (!CheckRequestsAt(goal))
            return;
        m_checkLine.pop_front();
        m_checkDue.erase(goal);
    }
}

void SIM_ResourceObjManager::RebuildIndices()
{
    // Every record above the top index is free.
    m_freeIndex.Fill();
    m_transitIndex.Clear();
    for (int32_t i = 0; i <= m_topIndex && i < kPoolSize; ++i)
    {
        const SIM_ResourceObject& record = m_records[static_cast<size_t>(i)];
        if (!record.m_inUse)
            continue;
        m_freeIndex.Erase(i);
        if (record.m_state == SIM_ResourceObject::STATE_IN_TRANSIT)
            m_transitIndex.Insert(i);
    }
    FlowVersions::NoteSourcesChanged();
}

int32_t SIM_ResourceObjManager::IndexOf(const SIM_ResourceObject* object) const
{
    if (!object || object < &m_records[0] || object >= &m_records[0] + kPoolSize)
        return -1;
    return static_cast<int32_t>(object - &m_records[0]);
}

int32_t SIM_ResourceObjManager::CountInUse() const
{
    int32_t count = 0;
    for (int32_t i = 0; i < kPoolSize; ++i)
        count += m_records[static_cast<size_t>(i)].IsInUse() ? 1 : 0;
    return count;
}

SIM_ResourceObject* SIM_ResourceObjManager::Allocate()
{
    // The lowest free record, as a walk from record 0 would find it.
    for (int32_t i = m_freeIndex.First(); i != SIM_IndexSet::kNone; i = m_freeIndex.FindFrom(i + 1))
    {
        ++m_work.objectsExamined;
        SIM_ResourceObject& record = m_records[static_cast<size_t>(i)];
        if (record.m_inUse)
        {
            m_freeIndex.Erase(i);
            continue;
        }
        if (i > m_topIndex)
            m_topIndex = i;
        FV_ASSERT(record.m_state == SIM_ResourceObject::STATE_FREE);
        FV_ASSERT(record.m_sourceBay == nullptr);
        FV_ASSERT(record.m_route == nullptr);
        FV_ASSERT(record.m_task == nullptr);
        return &record;
    }
    return nullptr;
}

SIM_ResourceObject* SIM_ResourceObjManager::Spawn(SIM_PlaceableSlot* destination, const SIM_Resource* resource)
{
    ++m_work.requestsTried;
    m_spawnWaited = false;
    SIM_Tile* goal = SIM_ResourceObject::DestinationTile(destination);
    if (!goal || !resource)
        return nullptr;
    RouteTable& routes = RouteTable::Instance();
    const SIM_Resource* wanted = resource;
    // The sources are weighed by their routes; a choice made before every route it weighs is
    // measured could fall on another source, so while a search waits for the share, so does the
    // request.
    auto waitForSearch = [this]() -> SIM_ResourceObject* {
        m_spawnWaited = true;
        return nullptr;
    };

    enum Source
    {
        SOURCE_NONE,
        SOURCE_SUPPLY,
        SOURCE_COMPONENT,
        SOURCE_BAY
    };
    Source chosen = SOURCE_NONE;
    size_t best = 9999;
    SIM_Tile* sourceTile = nullptr;

    // A supply stockpile never draws from another supply stockpile.
    SIM_SupplyStockpile* supply = nullptr;
    if (!PoolIsSupplyStockpile(destination))
    {
        if (!SupplyStockpileRegistry::Instance().FindNearestWithResource(goal, wanted, supply))
            return waitForSearch();
        if (supply && supply->GetTile())
        {
            if (SIM_ResourceRoute* route = routes.RequestRoute(supply->GetTile(), goal))
            {
                const size_t score = route->m_steps.size() / 2;
                if (score < best)
                {
                    best = score;
                    chosen = SOURCE_SUPPLY;
                    sourceTile = supply->GetTile();
                }
            }
        }
    }

    SIM_ResourceImportBay* bay = destination->GetNearestImportBay();
    if (bay && !routes.MayMeasure(bay->GetTile(), goal))
        return waitForSearch();
    if (bay && !routes.RequestRoute(bay->GetTile(), goal))
    {
        if (!destination->UpdateRouteState())
            return waitForSearch();
        bay = destination->GetNearestImportBay();
        if (bay && !routes.MayMeasure(bay->GetTile(), goal))
            return waitForSearch();
    }

    SIM_ComponentStockpile* component = nullptr;
    if (!SIM_ComponentStockpileManager::Instance().FindWithResource(goal, wanted, component))
        return waitForSearch();
    if (component && component->GetTile())
    {
        if (SIM_ResourceRoute* route = routes.RequestRoute(component->GetTile(), goal))
        {
            const size_t score = route->m_steps.size();
            if (score < best)
            {
                best = score;
                chosen = SOURCE_COMPONENT;
                sourceTile = component->GetTile();
            }
        }
    }

    if (bay && bay->GetTile())
    {
        if (SIM_ResourceRoute* route = routes.RequestRoute(bay->GetTile(), goal))
        {
            const size_t score = route->m_steps.size() + 4 * bay->QueueLength();
            if (score < best)
            {
                best = score;
                chosen = SOURCE_BAY;
                sourceTile = bay->GetTile();
            }
        }
    }

    SIM_ResourceObject* object = nullptr;
    switch (chosen)
    {
    case SOURCE_NONE:
        return nullptr;
    case SOURCE_SUPPLY:
        object = supply->TakeResource(wanted);
        break;
    case SOURCE_COMPONENT:
        object = component->TakeResource(wanted);
        break;
    case SOURCE_BAY:
        object = Allocate();
        break;
    }
    if (!object)
    {
        // Every stockpile that waits for a free record would report this every time it asks.
        FV_REPORT_REPEATING("Resource object limit reached...",
                            "for " + resource->m_name + " to " + std::to_string(goal->m_gridX) + "," +
                                std::to_string(goal->m_gridY),
                            "");
        return nullptr;
    }
    object->Init(resource, destination, sourceTile->m_worldX, sourceTile->m_worldY);
    if (chosen == SOURCE_BAY)
        bay->Enqueue(object);
    return object;
}

void SIM_ResourceObjManager::UpdateAll(float frameTime)
{
    // The records in transit in index order, up to the top index, as a walk over the whole pool
    // would meet them. Nothing an object's step does sets another object moving, so the list can
    // be taken before the walk.
    m_walk.clear();
    for (int32_t i = m_transitIndex.First(); i != SIM_IndexSet::kNone && i <= m_topIndex;
         i = m_transitIndex.FindFrom(i + 1))
        m_walk.push_back(i);

    const float speed = SIM_GlobalFactoryVariables::Instance().GetMultiplier(GFV_RESOURCE_CONV_SPEED);
    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    const size_t count = m_walk.size();
    for (size_t k = 0; k < count; ++k)
    {
        // Objects on their way are spread over the whole floor, so a step mostly waits for memory:
        // the tile under the object, its route, the route's step list and the point it heads for.
        // Those of the objects a few places further on are fetched while this one moves.
        if (k + 8 < count)
        {
            const SIM_ResourceObject& later = m_records[static_cast<size_t>(m_walk[k + 8])];
            __builtin_prefetch(later.m_route);
            __builtin_prefetch(later.m_currentTile);
            __builtin_prefetch(later.m_destination);
        }
        if (k + 4 < count)
        {
            const SIM_ResourceObject& later = m_records[static_cast<size_t>(m_walk[k + 4])];
            if (later.m_route && later.m_stepCursor >= 0 &&
                static_cast<size_t>(later.m_stepCursor) < later.m_route->m_steps.size())
                __builtin_prefetch(&later.m_route->m_steps[static_cast<size_t>(later.m_stepCursor)]);
            if (later.m_currentTile)
                __builtin_prefetch(later.m_currentTile->m_conveyor);
            if (SIM_ProductionSlot* slot = PoolProductionSlot(later.m_destination))
                __builtin_prefetch(slot->GetInputStockpile());
        }
        if (k + 2 < count)
        {
            const SIM_ResourceObject& later = m_records[static_cast<size_t>(m_walk[k + 2])];
            if (later.m_route && later.m_stepCursor >= 0 &&
                static_cast<size_t>(later.m_stepCursor) < later.m_route->m_steps.size())
                __builtin_prefetch(later.m_route->m_steps[static_cast<size_t>(later.m_stepCursor)]);
            if (SIM_ProductionSlot* slot = PoolProductionSlot(later.m_destination))
                if (const SIM_ResourceStockpile* stockpile = slot->GetInputStockpile())
                    stockpile->PrefetchRequests();
        }

        const int32_t i = m_walk[k];
        ++m_work.objectsExamined;
        SIM_ResourceObject& record = m_records[static_cast<size_t>(i)];
        if (record.m_inUse && record.m_state == SIM_ResourceObject::STATE_IN_TRANSIT)
            record.Step(frameTime, speed, conveyors);
        if (!record.m_inUse || record.m_state != SIM_ResourceObject::STATE_IN_TRANSIT)
            m_transitIndex.Erase(i);
    }
    ServeRoutesDue();
}

void SIM_ResourceObjManager::RerouteAll()
{
    RebuildIndices();
    for (int32_t i = 0; i <= m_topIndex && i < kPoolSize; ++i)
    {
        SIM_ResourceObject& record = m_records[static_cast<size_t>(i)];
        if (record.m_inUse)
            RerouteOrWait(record);
    }
    RecheckSourcesAndRequests();
}

void SIM_ResourceObjManager::RerouteLost(const std::vector<SIM_Tile*>* goals)
{
    RebuildIndices();
    // Taken before any object asks again: a new route may reuse a discarded record at once.
    std::vector<SIM_ResourceObject*> lost;
    for (int32_t i = 0; i <= m_topIndex && i < kPoolSize; ++i)
    {
        SIM_ResourceObject& record = m_records[static_cast<size_t>(i)];
        if (!record.m_inUse)
            continue;
        const bool discarded = record.m_route && !record.m_route->InUse();
        const bool routeless = !record.m_route && record.m_state == SIM_ResourceObject::STATE_IN_TRANSIT;
        if (discarded || routeless)
            lost.push_back(&record);
        m_work.routesLost += discarded ? 1 : 0;
    }
    for (SIM_ResourceObject* object : lost)
        RerouteOrWait(*object);
    if (goals)
        RecheckRequestsOf(*goals);
    else
        RecheckSourcesAndRequests();
}

void SIM_ResourceObjManager::RecheckRequestsOf(std::vector<SIM_Tile*> goals)
{
    std::sort(goals.begin(), goals.end());
    goals.erase(std::unique(goals.begin(), goals.end()), goals.end());
    for (SIM_Tile* goal : goals)
        CheckOrWait(goal);
}

void SIM_ResourceObjManager::CheckOrWait(SIM_Tile* goal)
{
    if (goal && !m_checkDue.contains(goal) && !CheckRequestsAt(goal))
        WaitForCheck(goal);
}

void SIM_ResourceObjManager::WaitForCheck(SIM_Tile* goal)
{
    if (goal && m_checkDue.insert(goal).second)
        m_checkLine.push_back(goal);
}

bool SIM_ResourceObjManager::CheckRequestsAt(SIM_Tile* goal)
{
    SIM_PlaceableSlot* slot = goal ? goal->m_occupant : nullptr;
    if (PoolIsSupplyStockpile(slot))
    {
        auto* supply = static_cast<SIM_SupplyStockpile*>(slot);
        if (supply->ReceivingTile() == goal)
            return supply->ValidateRequests();
    }
    else if (SIM_ProductionSlot* production = PoolProductionSlot(slot))
    {
        SIM_ResourceStockpile* stockpile = production->GetInputStockpile();
        if (stockpile && stockpile->GetTile() == goal)
            return stockpile->ValidateRequests();
    }
    return true;
}

void SIM_ResourceObjManager::RecheckSourcesAndRequests()
{
    for (SIM_ResourceImportBay* bay : SIM_ResourceConveyorManager::Instance().ImportBays())
        bay->PurgeUnroutable();
    for (SIM_SupplyStockpile* supply : SupplyStockpileRegistry::Instance().Stockpiles())
        if (!supply->ValidateRequests())
            WaitForCheck(supply->ReceivingTile());
    for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        SIM_ProductionSlot* production = PoolProductionSlot(slot);
        SIM_ResourceStockpile* stockpile = production ? production->GetInputStockpile() : nullptr;
        if (stockpile && !stockpile->ValidateRequests())
            WaitForCheck(stockpile->GetTile());
    }
}

void SIM_ResourceObjManager::ValidateLoadedObjects()
{
    RebuildIndices();
    for (int32_t i = 0; i <= m_topIndex && i < kPoolSize; ++i)
    {
        // Objects in use are the ones that a savegame restored.
        SIM_ResourceObject& record = m_records[static_cast<size_t>(i)];
        if (record.m_inUse)
            record.CheckListed();
    }
}

void SIM_ResourceObjManager::ForgetObject(SIM_ResourceObject* object)
{
    if (!object)
        return;
    // An object waits in at most one queue, the one it names, and only its destination's
    // stockpile asks for it: forgetting it costs what those hold, not what the floor holds.
    if (SIM_ResourceImportBay* bay = object->m_sourceBay)
    {
        ++m_work.queuesSearched;
        bay->Remove(object);
    }
    // An object that leaves an exporter queue without being sent leaves its place empty.
    if (SIM_ResourceExporter* exporter = object->m_sourceExporter)
    {
        ++m_work.queuesSearched;
        exporter->Forget(object);
    }
    if (SIM_ResourceReceiver* destination =
            object->m_destination ? object->m_destination->GetResourceReceiver() : nullptr)
    {
        ++m_work.queuesSearched;
        while (destination->RemoveRequest(object))
        {
        }
    }
}
