// What every store of resource objects on the floor shares (a production slot's input stockpile,
// a supply stockpile): the stored objects, the outstanding requests, the places and the phase of
// its periodic update.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "sim/flow/SIM_ResourceReceiver.h"

class SIM_ResourceObject;
class SIM_PlaceableSlot;
class SIM_Resource;
class SIM_Tile;

// One object requested for a stockpile and not yet delivered.
struct StockpileRequest
{
    int32_t reserved = 0;
    SIM_ResourceObject* object = nullptr;
};

class SIM_StockpileBase : public SIM_ResourceReceiver
{
public:
    SIM_StockpileBase(SIM_PlaceableSlot* owner, int32_t capacity);
    virtual ~SIM_StockpileBase();
    SIM_StockpileBase(const SIM_StockpileBase&) = delete;
    SIM_StockpileBase& operator=(const SIM_StockpileBase&) = delete;

    // An object restored from a savegame; nothing in the base.
    virtual void LoadObject(SIM_ResourceObject* object);
    // The periodic update; nothing in the base.
    virtual void UpdateStockpile();

    // A free place, drawn from a random start, or -1 when every place is taken.
    int32_t FreePlace() const;
    // The same rule over any list of placed objects and number of places.
    static int32_t DrawFreePlace(const std::vector<SIM_ResourceObject*>& placed, int32_t places);
    // Takes the first object of the resource off the list; null when there is none.
    static SIM_ResourceObject* TakeFirstOf(std::vector<SIM_ResourceObject*>& list, const SIM_Resource* resource);
    // Shows or hides a stored object's sprite at a position of a tile (no view headless).
    static void ShowStoredAt(SIM_Tile* tile, const SIM_Resource* resource, float x, float y);
    static void HideStoredAt(SIM_Tile* tile, float x, float y);
    // An arrival: the object's request is taken off (it must be there) and the object stored on a
    // free place, which is returned; -1 when there is no room (the caller disposes of it).
    int32_t TakeDelivery(SIM_ResourceObject* object);
    // Removes and frees the request that names the object; true when there was one.
    bool RemoveRequest(SIM_ResourceObject* object) override;
    bool HasRequestFor(const SIM_ResourceObject* object) const override;
    // Releases every stored and every requested object and frees the requests.
    void Clear();
    // Drops every request whose object still waits in an import bay and can no longer be routed.
    // False when some object's answer waits for a search the open share of route searching cannot
    // hold: those requests stay until the check is made again.
    bool ValidateRequests();

    void AddRequest(SIM_ResourceObject* object);
    // Asks the processor to fetch the request list ahead of use (the per-frame walk of the objects
    // in transit does, a few objects ahead).
    void PrefetchRequests() const { __builtin_prefetch(m_requestObjects.data()); }
    int32_t CountStored(const SIM_Resource* resource) const;
    int32_t CountRequested(const SIM_Resource* resource) const;
    // Places that exist and are neither filled nor promised. Counting places that do not exist
    // would buy objects that are thrown away on arrival, over and over.
    int32_t Room() const { return PlaceCount() - static_cast<int32_t>(m_stored.size() + m_requests.size()); }

    const std::vector<SIM_ResourceObject*>& Stored() const { return m_stored; }
    std::vector<SIM_ResourceObject*>& MutableStored() { return m_stored; }
    const std::vector<std::unique_ptr<StockpileRequest>>& Requests() const { return m_requests; }
    int32_t GetCapacity() const { return m_capacity; }
    SIM_PlaceableSlot* GetOwner() const { return m_owner; }

    // Ticks counted towards the next periodic update; starts at a random whole number 0..59 so
    // that stockpiles placed together update on different ticks.
    float m_updatePhase = 0.0f;

protected:
    // How many of the places exist (a supply stockpile may have fewer pallets than its capacity).
    virtual int32_t PlaceCount() const { return m_capacity; }
    static bool SameObject(const SIM_ResourceObject* a, const SIM_ResourceObject* b);

    // Takes request i off the list.
    void EraseRequestAt(size_t index);
    // The request at `index` names the object (checked with one look at the request).
    bool RequestAtNames(size_t index, const SIM_ResourceObject* object) const;

    std::vector<SIM_ResourceObject*> m_stored;
    std::vector<std::unique_ptr<StockpileRequest>> m_requests;
    // The requests' objects side by side, in the same order: every object in transit checks every
    // frame that its stockpile still lists it, and one look here replaces a look at each request.
    // Only a guide: a match is confirmed on the request itself.
    std::vector<const SIM_ResourceObject*> m_requestObjects;
    int32_t m_capacity = 0;
    SIM_PlaceableSlot* m_owner = nullptr;
};
