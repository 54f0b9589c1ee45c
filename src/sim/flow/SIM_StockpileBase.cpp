// Stored objects, outstanding requests and places shared by every stockpile.
#include "sim/flow/SIM_StockpileBase.h"

#include "engine/core/GDebugLog.h"
#include "platform/core/PRandom.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/views/SIM_TileView.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

SIM_StockpileBase::SIM_StockpileBase(SIM_PlaceableSlot* owner, int32_t capacity) : m_capacity(capacity), m_owner(owner)
{
    m_updatePhase = static_cast<float>(static_cast<int>(PRandom::Rand() / 32768.0 * 60.0));
}

SIM_StockpileBase::~SIM_StockpileBase() = default;

void SIM_StockpileBase::LoadObject(SIM_ResourceObject*)
{
}

void SIM_StockpileBase::UpdateStockpile()
{
}

bool SIM_StockpileBase::SameObject(const SIM_ResourceObject* a, const SIM_ResourceObject* b)
{
    if (!a || !b)
        return false;
    // Records numbered for the game compare by identity; unnumbered ones by address.
    if (a->m_id >= 0 && b->m_id >= 0)
        return a->m_id == b->m_id;
    return a == b;
}

int32_t SIM_StockpileBase::FreePlace() const
{
    return DrawFreePlace(m_stored, PlaceCount());
}

int32_t SIM_StockpileBase::DrawFreePlace(const std::vector<SIM_ResourceObject*>& placed, int32_t places)
{
    if (places <= 0)
        return -1;
    int32_t place = static_cast<int32_t>(PRandom::Rand() / 32768.0 * places);
    for (int32_t tries = 0; tries < places; ++tries)
    {
        const bool taken = std::any_of(placed.begin(), placed.end(),
                                       [place](const SIM_ResourceObject* o) { return o->m_placeIndex == place; });
        if (!taken)
            return place;
        place = (place + 1) % places;
    }
    return -1;
}

SIM_ResourceObject* SIM_StockpileBase::TakeFirstOf(std::vector<SIM_ResourceObject*>& list, const SIM_Resource* resource)
{
    auto it = std::find_if(list.begin(), list.end(),
                           [resource](const SIM_ResourceObject* o) { return o->m_resource == resource; });
    if (it == list.end())
        return nullptr;
    SIM_ResourceObject* object = *it;
    list.erase(it);
    return object;
}

void SIM_StockpileBase::ShowStoredAt(SIM_Tile* tile, const SIM_Resource* resource, float x, float y)
{
    if (tile && tile->m_view && resource)
        tile->m_view->AddProp(false, resource->m_spriteName.c_str(), resource->m_spriteScale, resource->m_spriteScale,
                              x, y);
}

void SIM_StockpileBase::HideStoredAt(SIM_Tile* tile, float x, float y)
{
    if (tile && tile->m_view)
        tile->m_view->RemovePropAt(x, y);
}

int32_t SIM_StockpileBase::TakeDelivery(SIM_ResourceObject* object)
{
    const bool requested = RemoveRequest(object);
    FV_ASSERT(requested);
    const int32_t place = FreePlace();
    if (place < 0)
        return -1;
    object->m_placeIndex = place;
    object->m_state = SIM_ResourceObject::STATE_DELIVERED;
    m_stored.push_back(object);
    return place;
}

void SIM_StockpileBase::AddRequest(SIM_ResourceObject* object)
{
    auto request = std::make_unique<StockpileRequest>();
    request->object = object;
    m_requests.push_back(std::move(request));
    m_requestObjects.push_back(object);
    FV_ASSERT(static_cast<int32_t>(m_stored.size() + m_requests.size()) <= m_capacity);
}

bool SIM_StockpileBase::RemoveRequest(SIM_ResourceObject* object)
{
    for (size_t i = 0; i < m_requests.size(); ++i)
    {
        if (m_requests[i]->object == object)
        {
            EraseRequestAt(i);
            return true;
        }
    }
    return false;
}

bool SIM_StockpileBase::HasRequestFor(const SIM_ResourceObject* object) const
{
    FV_ASSERT(object != nullptr);
    // Every object in transit is checked every frame; the object itself is nearly always listed,
    // which settles it without comparing identities.
    if (object)
        for (size_t i = 0; i < m_requestObjects.size(); ++i)
            if (m_requestObjects[i] == object && RequestAtNames(i, object))
                return true;
    return std::any_of(m_requests.begin(), m_requests.end(),
                       [object](const std::unique_ptr<StockpileRequest>& r) { return SameObject(r->object, object); });
}

void SIM_StockpileBase::EraseRequestAt(size_t index)
{
    if (index >= m_requests.size())
        return;
    m_requests.erase(m_requests.begin() + static_cast<std::ptrdiff_t>(index));
    if (index < m_requestObjects.size())
        m_requestObjects.erase(m_requestObjects.begin() + static_cast<std::ptrdiff_t>(index));
}

bool SIM_StockpileBase::RequestAtNames(size_t index, const SIM_ResourceObject* object) const
{
    return index < m_requestObjects.size() && m_requestObjects[index] == object && index < m_requests.size() &&
           m_requests[index]->object == object;
}

int32_t SIM_StockpileBase::CountStored(const SIM_Resource* resource) const
{
    return static_cast<int32_t>(
        std::count_if(m_stored.begin(), m_stored.end(),
                      [resource](const SIM_ResourceObject* o) { return o->m_resource == resource; }));
}

int32_t SIM_StockpileBase::CountRequested(const SIM_Resource* resource) const
{
    return static_cast<int32_t>(
        std::count_if(m_requests.begin(), m_requests.end(), [resource](const std::unique_ptr<StockpileRequest>& r) {
            return r->object && r->object->m_resource == resource;
        }));
}

void SIM_StockpileBase::Clear()
{
    std::vector<SIM_ResourceObject*> stored;
    stored.swap(m_stored);
    for (SIM_ResourceObject* object : stored)
        if (object && object->IsInUse())
            object->Release();

    std::vector<std::unique_ptr<StockpileRequest>> requests;
    requests.swap(m_requests);
    m_requestObjects.clear();
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    for (auto& request : requests)
    {
        SIM_ResourceObject* object = request->object;
        // Only objects still bound here: a record that went back to the pool may serve another.
        if (!object || !object->IsInUse() || object->m_destination != m_owner)
            continue;
        if (object->m_state != SIM_ResourceObject::STATE_IN_TRANSIT)
            pool.ForgetObject(object);
        object->Release();
    }
}

bool SIM_StockpileBase::ValidateRequests()
{
    std::vector<SIM_ResourceObject*> dropped;
    bool complete = true;
    for (auto& request : m_requests)
    {
        SIM_ResourceObject* object = request->object;
        // Objects queued at a supply or component exporter stay queued: only what waits in an
        // import bay depends on the conveyors between bay and stockpile.
        if (!object || object->m_state != SIM_ResourceObject::STATE_WAITING || !object->m_sourceBay)
            continue;
        bool undecided = false;
        if (!object->CanRoute(undecided) && !undecided)
            dropped.push_back(object);
        complete = complete && !undecided;
    }
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    for (SIM_ResourceObject* object : dropped)
    {
        pool.ForgetObject(object);
        RemoveRequest(object);
        object->Release();
    }
    return complete;
}
