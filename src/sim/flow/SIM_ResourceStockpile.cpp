// A production slot's input stockpile: what its tasks need, what is missing, requests and
// payments, deliveries, consumption and the trashing of surplus.
#include "sim/flow/SIM_ResourceStockpile.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/SIM_ComponentStockpileManager.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SubTask.h"
#include "sim/views/SIM_StockpileView.h"
#include "sim/views/SIM_TileView.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

namespace
{
// Adds count to the pair of the resource, or takes the next free pair; false when all are used.
bool StockpileAddNeed(ResourceCount* pairs, int32_t size, const SIM_Resource* resource, int32_t count)
{
    if (!resource)
        return true;
    for (int32_t i = 0; i < size; ++i)
    {
        if (pairs[i].resource == resource)
        {
            pairs[i].count += count;
            return true;
        }
        if (!pairs[i].resource)
        {
            pairs[i].resource = resource;
            pairs[i].count = count;
            return true;
        }
    }
    return false;
}
} // namespace

SIM_ResourceStockpile::SIM_ResourceStockpile(SIM_ProductionSlot* slot, SIM_Tile* tile)
    : SIM_StockpileBase(slot, kCapacity), m_slot(slot), m_tile(tile)
{
    m_view.reset(SIM_Presentation::Instance().Listener().CreateResourceStockpileView(*this));
    if (m_tile)
        m_tile->m_hasStockpile = true;
}

SIM_ResourceStockpile::~SIM_ResourceStockpile()
{
    m_view.reset();
    if (m_tile)
        m_tile->m_hasStockpile = false;
    m_stored.clear();
    m_requests.clear();
    m_requestObjects.clear();
    m_totals.clear();
}

std::vector<SIM_ProductionTask*> SIM_ResourceStockpile::TaskList() const
{
    std::vector<SIM_ProductionTask*> tasks;
    if (!m_slot)
        return tasks;
    for (const auto& sub : m_slot->GetSubTasks())
        if (sub && sub->task)
            tasks.push_back(sub->task);
    if (tasks.empty() && m_slot->GetProductionTask())
        tasks.push_back(m_slot->GetProductionTask());
    return tasks;
}

void SIM_ResourceStockpile::ContentsChanged()
{
    if (m_viewLink)
        SIM_Presentation::Instance().Listener().StockpileContentsChanged(m_viewLink);
}

void SIM_ResourceStockpile::ShowAtPlace(const SIM_Resource* resource, int32_t place)
{
    if (place < 0)
        return;
    const SubTileOffset offset = GetSubTileOffset(place, 1);
    ShowStoredAt(m_tile, resource, offset.x, offset.y);
}

void SIM_ResourceStockpile::HideAtPlace(int32_t place)
{
    if (place < 0)
        return;
    const SubTileOffset offset = GetSubTileOffset(place, 1);
    HideStoredAt(m_tile, offset.x, offset.y);
}

void SIM_ResourceStockpile::Receive(SIM_ResourceObject* object)
{
    if (!object)
        return;
    const int32_t place = TakeDelivery(object);
    if (place < 0)
    {
        // No room: the object is lost, although it was paid for.
        object->Release();
        return;
    }
    ShowAtPlace(object->m_resource, place);
    ContentsChanged();
}

void SIM_ResourceStockpile::RemoveStored(const SIM_Resource* resource)
{
    SIM_ResourceObject* object = TakeFirstOf(m_stored, resource);
    if (!object)
        return;
    const int32_t place = object->m_placeIndex;
    object->Release();
    HideAtPlace(place);
    ContentsChanged();
}

void SIM_ResourceStockpile::LoadObject(SIM_ResourceObject* object)
{
    if (!object)
        return;
    if (object->m_placeIndex < 0)
    {
        FV_FLOW_ERROR("SIM_ResourceStockpile::LoadObject had stockpileid -1");
        return;
    }
    m_stored.push_back(object);
    ShowAtPlace(object->m_resource, object->m_placeIndex);
}

void SIM_ResourceStockpile::SlotNeeds(ResourceCount out[kNeedPairs]) const
{
    for (int32_t i = 0; i < kNeedPairs; ++i)
        out[i] = ResourceCount();
    if (!m_slot)
        return;
    const SIM_ProductionSlot::RequiredResource* required = m_slot->GetRequiredResources();
    for (int32_t i = 0; i < kNeedPairs && i < SIM_ProductionSlot::kRequiredResourceCount; ++i)
    {
        out[i].resource = required[i].resource;
        out[i].count = required[i].count;
    }
}

void SIM_ResourceStockpile::ComputeNeeds(SIM_ProductionTask* task)
{
    for (ResourceCount& need : m_needs)
        need = ResourceCount();
    if (task)
        for (const TaskResourceAmount& amount : task->m_resources)
            StockpileAddNeed(m_needs, kNeedPairs, amount.resource, amount.count);
    if (m_slot)
        for (const SIM_SlotUpgrade* upgrade : m_slot->GetUpgrades())
            if (upgrade)
                for (const SlotUpgradeResource& amount : upgrade->m_resources)
                    StockpileAddNeed(m_needs, kNeedPairs, amount.resource, amount.count);
}

int32_t SIM_ResourceStockpile::Missing(const SIM_Resource* resource, int32_t count, SIM_ProductionTask* task) const
{
    const int32_t want = (m_passCounter + 1) * count;
    int32_t have = 0;
    for (const auto& request : m_requests)
        if (request->object && request->object->m_resource == resource && request->object->m_task == task)
            ++have;
    for (const SIM_ResourceObject* object : m_stored)
        if (object->m_resource == resource && object->m_task == task)
            ++have;
    return want > have ? want - have : 0;
}

bool SIM_ResourceStockpile::StillRefused(const SIM_Resource* resource) const
{
    const uint64_t version = FlowVersions::Sources();
    for (const auto& [refused, at] : m_refused)
        if (refused == resource)
            return at == version;
    return false;
}

void SIM_ResourceStockpile::NoteRefused(const SIM_Resource* resource)
{
    const uint64_t version = FlowVersions::Sources();
    for (auto& entry : m_refused)
    {
        if (entry.first == resource)
        {
            entry.second = version;
            return;
        }
    }
    m_refused.emplace_back(resource, version);
}

void SIM_ResourceStockpile::RequestResources(SIM_ProductionTask* task, int32_t n, const SIM_Resource* resource)
{
    if (!m_slot || !resource || n <= 0)
        return;
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    // A request that found no object finds none again while nothing it waits for has changed:
    // with the pool full that is every request of every stockpile, every time it looks.
    if (StillRefused(resource))
    {
        ++pool.Work().requestsHeldBack;
        return;
    }
    int32_t received = 0;
    for (int32_t i = 0; i < n; ++i)
    {
        SIM_ResourceObject* object = pool.Spawn(m_slot, resource);
        if (!object)
        {
            // The next try would meet the same sources and the same full pool; one that waited for
            // the route search may find a source at the next.
            if (!pool.SpawnWaited())
                NoteRefused(resource);
            break;
        }
        object->m_task = task;
        AddRequest(object);
        ++received;
    }
    if (received == 0)
        return;
    const float cost = static_cast<float>(received) * resource->GetPrice();
    SIM_FinanceManager::Instance().Pay(cost, resource->IsComponent() ? FC_COMPONENT_PURCHASE : FC_RAW_MATERIALS);
    ContentsChanged();
}

void SIM_ResourceStockpile::RequestForTask(SIM_ProductionTask* task)
{
    ComputeNeeds(task);
    for (const ResourceCount& need : m_needs)
    {
        if (!need.resource || need.count <= 0)
            continue;
        const int32_t missing = Missing(need.resource, need.count, task);
        const int32_t room = Room();
        if (missing > 0 && room > 0)
            RequestResources(task, std::min(missing, room), need.resource);
    }
}

bool SIM_ResourceStockpile::CanServeFromComponents(bool& undecided)
{
    undecided = false;
    const std::vector<SIM_ProductionTask*> tasks = TaskList();
    ComputeNeeds(tasks.empty() ? nullptr : tasks.front());
    SIM_ComponentStockpileManager& components = SIM_ComponentStockpileManager::Instance();
    for (const ResourceCount& need : m_needs)
        if (need.resource && need.count > 0 && !components.CanServe(m_tile, need.resource, undecided))
            return false;
    return true;
}

void SIM_ResourceStockpile::UpdateStockpile()
{
    if (!m_slot || !m_tile || !m_tile->m_conveyor)
        return;
    if (!m_slot->GetNearestImportBay())
    {
        // Whatever waits for the route search is asked again at the next update.
        bool undecided = false;
        if (!m_slot->UpdateRouteState() || (!m_slot->GetNearestImportBay() && !CanServeFromComponents(undecided)))
            return;
    }

    const std::vector<SIM_ProductionTask*> tasks = TaskList();
    SIM_ProductionTask* first = tasks.empty() ? nullptr : tasks.front();

    m_passCounter = 0;
    ResourceCount own[kNeedPairs];
    SlotNeeds(own);
    for (const ResourceCount& need : own)
    {
        if (!need.resource || need.count <= 0)
            continue;
        const int32_t missing = Missing(need.resource, need.count, first);
        if (missing <= 0)
            continue;
        if (Room() <= 0)
            TrashLowPriorityResource();
        const int32_t room = Room();
        if (room > 0)
            RequestResources(first, std::min(missing, room), need.resource);
    }

    for (size_t i = 1; i < tasks.size(); ++i)
        RequestForTask(tasks[i]);

    if (tasks.empty())
        return;
    size_t next = 0;
    for (int32_t pass = 0; pass < kRequestPasses && Room() > 0; ++pass)
    {
        RequestForTask(tasks[next % tasks.size()]);
        ++next;
        ++m_passCounter;
    }
}

void SIM_ResourceStockpile::TrashLowPriorityResource()
{
    ResourceCount own[kNeedPairs];
    SlotNeeds(own);

    for (const SIM_ResourceObject* object : m_stored)
    {
        const ResourceCount* last = nullptr;
        for (const ResourceCount& need : own)
            if (need.count > 0 && need.resource == object->m_resource)
                last = &need;
        const bool surplus = !last || CountStored(object->m_resource) > last->count;
        if (surplus)
        {
            RemoveStored(object->m_resource);
            return;
        }
    }

    for (size_t i = 0; i < m_requests.size(); ++i)
    {
        SIM_ResourceObject* object = m_requests[i]->object;
        if (!object)
            continue;
        bool named = false;
        bool reached = false;
        const int32_t have = CountStored(object->m_resource) + CountRequested(object->m_resource);
        for (const ResourceCount& need : own)
        {
            if (need.count <= 0 || need.resource != object->m_resource)
                continue;
            named = true;
            if (have >= need.count)
                reached = true;
        }
        if (named && !reached)
            continue;
        EraseRequestAt(i);
        if (object->IsInUse() && object->m_destination == m_slot)
        {
            if (object->m_state != SIM_ResourceObject::STATE_IN_TRANSIT)
                SIM_ResourceObjManager::Instance().ForgetObject(object);
            object->Release();
        }
        return;
    }

    FV_FLOW_ERROR("No room to TrashLowPriorityResource from stockpile");
}

void SIM_ResourceStockpile::RebuildTotals()
{
    m_totals.clear();
    auto add = [this](const SIM_Resource* resource, int32_t count) {
        if (!resource)
            return;
        for (ResourceCount& total : m_totals)
        {
            if (total.resource == resource)
            {
                total.count += count;
                return;
            }
        }
        m_totals.push_back(ResourceCount{resource, count});
    };
    for (SIM_ProductionTask* task : TaskList())
        for (const TaskResourceAmount& amount : task->m_resources)
            add(amount.resource, amount.count);
    if (m_slot)
        for (const SIM_SlotUpgrade* upgrade : m_slot->GetUpgrades())
            if (upgrade)
                for (const SlotUpgradeResource& amount : upgrade->m_resources)
                    add(amount.resource, amount.count);
}

int32_t SIM_ResourceStockpile::TotalFor(const SIM_Resource* resource) const
{
    for (const ResourceCount& total : m_totals)
        if (total.resource == resource)
            return total.count;
    return 0;
}

void SIM_ResourceStockpile::TrimToNeeds()
{
    RebuildTotals();
    for (size_t i = 0; i < m_stored.size();)
    {
        SIM_ResourceObject* object = m_stored[i];
        if (TotalFor(object->m_resource) > 0)
        {
            ++i;
            continue;
        }
        const int32_t place = object->m_placeIndex;
        m_stored.erase(m_stored.begin() + static_cast<std::ptrdiff_t>(i));
        object->Release();
        HideAtPlace(place);
    }
    std::vector<SIM_ResourceObject*> dropped;
    for (const auto& request : m_requests)
        if (request->object && TotalFor(request->object->m_resource) <= 0)
            dropped.push_back(request->object);
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    for (SIM_ResourceObject* object : dropped)
    {
        RemoveRequest(object);
        if (!object->IsInUse() || object->m_destination != m_slot)
            continue;
        // A waiting object is also in a bay or exporter queue, which must not keep a free record.
        if (object->m_state != SIM_ResourceObject::STATE_IN_TRANSIT)
            pool.ForgetObject(object);
        object->Release();
    }
    ContentsChanged();
}
