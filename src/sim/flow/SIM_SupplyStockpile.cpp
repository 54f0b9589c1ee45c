// A supply stockpile: keeps the wanted stocks on its pallets, buys what is missing one object per
// update and serves other stockpiles through its exporter.
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/definitions/SIM_DataNames.h"

#include "engine/core/GDebugLog.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/TaskTileDef.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SupplyStockpileRegistry.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SlotState.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

SIM_SupplyStockpile::SIM_SupplyStockpile()
    : SIM_FacilitySlot(), SIM_StockpileBase(this, kCapacity), m_exporter([this](int32_t place) { HideAtPallet(place); })
{
    SupplyStockpileRegistry::Instance().Register(this);
}

SIM_SupplyStockpile::~SIM_SupplyStockpile()
{
    ClearStockItems();
    SupplyStockpileRegistry::Instance().Unregister(this);
    // Normally emptied by Remove; whatever is still queued was bought by other stockpiles.
    if (!m_exporter.Queue().empty())
        m_exporter.WithdrawAll();
}

int32_t SIM_SupplyStockpile::PlaceCount() const
{
    // Only pallets that exist can be drawn: a facility with fewer pallets than its capacity
    // would otherwise hand out places without a tile.
    return std::min<int32_t>(m_capacity, static_cast<int32_t>(m_places.size()));
}

void SIM_SupplyStockpile::ShowAtPallet(const SIM_Resource* resource, int32_t place)
{
    if (!resource || place < 0 || static_cast<size_t>(place) >= m_places.size())
        return;
    const PalletPlace& pallet = m_places[static_cast<size_t>(place)];
    ShowStoredAt(pallet.tile, resource, pallet.x, pallet.y);
}

void SIM_SupplyStockpile::HideAtPallet(int32_t place)
{
    if (place < 0 || static_cast<size_t>(place) >= m_places.size())
        return;
    const PalletPlace& pallet = m_places[static_cast<size_t>(place)];
    HideStoredAt(pallet.tile, pallet.x, pallet.y);
}

void SIM_SupplyStockpile::SetTask(SIM_FacilityTask* task)
{
    SIM_FacilitySlot::SetTask(task);
}

void SIM_SupplyStockpile::SetupPlaces()
{
    FV_ASSERT(m_anchorTile != nullptr);
    FV_ASSERT(m_task != nullptr);
    FV_ASSERT(m_task == nullptr || !m_task->m_tiles.empty());
    m_places.clear();
    SIM_Factory* factory = m_anchorTile ? m_anchorTile->m_floor : nullptr;
    if (!m_task || !factory)
        return;
    for (const TaskTileDef& def : m_task->m_tiles)
    {
        int dx = 0;
        int dy = 0;
        RotateTileOffset(m_facing, def.XOffset, def.YOffset, dx, dy);
        SIM_Tile* tile = factory->GetTile(m_anchorTile->m_gridX + dx, m_anchorTile->m_gridY + dy);
        FV_ASSERT(tile != nullptr);
        if (!tile)
            continue;
        for (const auto& prop : def.props)
        {
            if (!prop || !prop->propType ||
                prop->propType->m_name.find(SIM_DataNames::kPropPalletMark) == std::string::npos)
                continue;
            if (m_places.size() >= static_cast<size_t>(kCapacity))
                return;
            const SubTileOffset offset = GetSubTileOffset(prop->position, m_facing);
            m_places.push_back(PalletPlace{tile, offset.x, offset.y});
        }
    }
}

void SIM_SupplyStockpile::Update()
{
    m_updatePhase += 1.0f;
    if (m_updatePhase > 60.0f)
    {
        UpdateStockpile();
        m_updatePhase = 0.0f;
    }
    const int32_t place = m_exporter.ExportOne();
    if (place >= 0)
    {
        FV_ASSERT(place < kCapacity);
        HideAtPallet(place);
    }
}

void SIM_SupplyStockpile::Remove(bool silent)
{
    SIM_FacilitySlot::Remove(silent);
    SIM_StockpileBase::Clear();
    // Objects waiting at the exporter were bought by other stockpiles: withdraw and release them.
    m_exporter.WithdrawAll();
}

bool SIM_SupplyStockpile::UpdateRouteState()
{
    SIM_ResourceImportBay* bay = nullptr;
    // With the frame's share of route searching spent, the stockpile asks again later.
    if (!SIM_ResourceConveyorManager::Instance().TryFindNearestImportBay(GetTile(), bay))
        return false;
    SetNearestImportBay(bay);
    if (!bay)
        SetState(NOROUTE_TO_RESOURCES);
    return true;
}

void SIM_SupplyStockpile::LoadObject(SIM_ResourceObject* object)
{
    if (!object)
        return;
    FV_ASSERT(object->m_placeIndex >= 0);
    m_stored.push_back(object);
    ShowAtPallet(object->m_resource, object->m_placeIndex);
    FlowVersions::NoteSourcesChanged();
}

void SIM_SupplyStockpile::ClearStockItems()
{
    m_stockItems.clear();
}

void SIM_SupplyStockpile::AddStockItem(const SIM_Resource* resource, int32_t wanted)
{
    auto item = std::make_unique<SupplyStockItem>();
    item->resource = resource;
    item->wanted = wanted;
    m_stockItems.push_back(std::move(item));
}

SIM_ResourceReceiver* SIM_SupplyStockpile::GetResourceReceiver()
{
    // Before its task is set the facility is not yet a stockpile anything is sent to.
    return GetTask() && GetTask()->m_name == kTaskName ? this : nullptr;
}

void SIM_SupplyStockpile::Receive(SIM_ResourceObject* object)
{
    if (!object)
        return;
    const int32_t place = TakeDelivery(object);
    if (place < 0)
    {
        FV_FLOW_ERROR("!No delivery room for resource!");
        object->Release();
        return;
    }
    ShowAtPallet(object->m_resource, place);
    FlowVersions::NoteSourcesChanged();
}

SIM_ResourceObject* SIM_SupplyStockpile::TakeResource(const SIM_Resource* resource)
{
    SIM_ResourceObject* object = TakeFirstOf(m_stored, resource);
    if (!object)
    {
        FV_FLOW_ERROR("Resource not found!");
        return nullptr;
    }
    m_exporter.Enqueue(object);
    return object;
}

const SIM_Resource* SIM_SupplyStockpile::MostNeededResource() const
{
    const SIM_Resource* best = nullptr;
    int32_t bestDeficit = 0;
    for (const auto& item : m_stockItems)
    {
        if (!item || !item->resource)
            continue;
        const int32_t deficit = item->wanted - (CountStored(item->resource) + CountRequested(item->resource));
        if (deficit > bestDeficit)
        {
            bestDeficit = deficit;
            best = item->resource;
        }
    }
    return best;
}

void SIM_SupplyStockpile::UpdateStockpile()
{
    SIM_Tile* tile = GetTile();
    if (!tile || !tile->m_conveyor || Room() <= 0)
        return;
    const SIM_Resource* resource = MostNeededResource();
    if (!resource)
        return;
    SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Spawn(this, resource);
    if (!object)
        return;
    AddRequest(object);
    SIM_FinanceManager::Instance().Pay(resource->GetPrice(),
                                       resource->IsComponent() ? FC_COMPONENT_PURCHASE : FC_RAW_MATERIALS);
}
