// A component slot's export stockpile: finished components wait on its places for a buyer.
#include "sim/flow/SIM_ComponentStockpile.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/SIM_ComponentStockpileManager.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_StockpileBase.h"
#include "sim/views/SIM_StockpileView.h"
#include "sim/views/SIM_TileView.h"
#include "sim/world/SIM_SubTiles.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

SIM_ComponentStockpile::SIM_ComponentStockpile(SIM_ProductionSlot* slot, SIM_Tile* tile)
    : m_exporter([this](int32_t place) { HideAtPlace(place); }), m_slot(slot), m_tile(tile)
{
    m_view.reset(SIM_Presentation::Instance().Listener().CreateComponentStockpileView(*this));
    if (m_tile)
        m_tile->m_hasStockpile = true;
    SIM_ComponentStockpileManager::Instance().Register(this);
}

SIM_ComponentStockpile::~SIM_ComponentStockpile()
{
    ReleaseAll();
    SIM_ComponentStockpileManager::Instance().Unregister(this);
    m_view.reset();
    if (m_tile)
        m_tile->m_hasStockpile = false;
}

void SIM_ComponentStockpile::ShowAtPlace(const SIM_Resource* resource, int32_t place)
{
    if (place < 0)
        return;
    const SubTileOffset offset = GetSubTileOffset(place, 1);
    SIM_StockpileBase::ShowStoredAt(m_tile, resource, offset.x, offset.y);
}

void SIM_ComponentStockpile::HideAtPlace(int32_t place)
{
    if (place < 0)
        return;
    const SubTileOffset offset = GetSubTileOffset(place, 1);
    SIM_StockpileBase::HideStoredAt(m_tile, offset.x, offset.y);
}

int32_t SIM_ComponentStockpile::FreePlace() const
{
    return SIM_StockpileBase::DrawFreePlace(m_held, kCapacity);
}

void SIM_ComponentStockpile::AddProduct(SIM_ResourceObject* object)
{
    if (!object)
        return;
    const int32_t place = FreePlace();
    if (place < 0)
    {
        // The slot checks for room before it produces; a component with no place is not kept.
        object->Release();
        return;
    }
    object->m_placeIndex = place;
    object->m_state = SIM_ResourceObject::STATE_DELIVERED;
    m_held.push_back(object);
    ShowAtPlace(object->m_resource, place);
    FlowVersions::NoteSourcesChanged();
}

void SIM_ComponentStockpile::LoadObject(SIM_ResourceObject* object)
{
    if (!object || object->m_placeIndex < 0)
        return;
    m_held.push_back(object);
    ShowAtPlace(object->m_resource, object->m_placeIndex);
    FlowVersions::NoteSourcesChanged();
}

SIM_ResourceObject* SIM_ComponentStockpile::TakeResource(const SIM_Resource* resource)
{
    SIM_ResourceObject* object = SIM_StockpileBase::TakeFirstOf(m_held, resource);
    if (!object)
    {
        FV_FLOW_ERROR("Resource not found!");
        return nullptr;
    }
    m_exporter.Enqueue(object);
    return object;
}

int32_t SIM_ComponentStockpile::CountHeld(const SIM_Resource* resource) const
{
    return static_cast<int32_t>(std::count_if(
        m_held.begin(), m_held.end(), [resource](const SIM_ResourceObject* o) { return o->m_resource == resource; }));
}

void SIM_ComponentStockpile::ReleaseAll()
{
    std::vector<SIM_ResourceObject*> held;
    held.swap(m_held);
    for (SIM_ResourceObject* object : held)
        if (object && object->IsInUse())
            object->Release();
    // Queued objects were bought by other stockpiles: they stop waiting for them.
    m_exporter.WithdrawAll();
}
