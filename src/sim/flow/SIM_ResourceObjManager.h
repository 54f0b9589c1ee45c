// Owns the fixed pool of every resource object of the game, chooses where a requested object
// comes from, and keeps objects consistent when routes or stockpiles change.
#pragma once
#include "sim/flow/SIM_ResourceObject.h"

#include <cstdint>
#include <memory>

class SIM_PlaceableSlot;
class SIM_Resource;

class SIM_ResourceObjManager
{
public:
    static constexpr int32_t kPoolSize = 16384;

    static SIM_ResourceObjManager& Instance();

    // Empties the pool: topindex 0, every record cleared and its view destroyed.
    void Reset();
    // Gives record i the identity i (game set-up).
    void NumberRecords();
    // The first free record (not yet marked in use), or null when all are taken.
    SIM_ResourceObject* Allocate();
    // Chooses the best source for a resource bound for the destination and creates the object
    // there; null when no source serves it or the pool is exhausted.
    SIM_ResourceObject* Spawn(SIM_PlaceableSlot* destination, const SIM_Resource* resource);
    // One step of every object in transit (the per-frame loop).
    void UpdateAll();
    // After the routes were invalidated: re-route every object in use, let the bays drop what
    // cannot be routed and revalidate every stockpile's requests.
    void RerouteAll();
    // After a savegame was read: reports objects in transit that their stockpile does not list.
    void ValidateLoadedObjects();
    // Takes the object out of every bay queue, exporter queue and request list.
    void ForgetObject(SIM_ResourceObject* object);

    int32_t TopIndex() const { return m_topIndex; }
    void SetTopIndex(int32_t top) { m_topIndex = top; }
    SIM_ResourceObject& Record(int32_t index) { return m_records[static_cast<size_t>(index)]; }
    int32_t IndexOf(const SIM_ResourceObject* object) const;
    int32_t CountInUse() const;

private:
    SIM_ResourceObjManager();

    int32_t m_topIndex = 0;
    std::unique_ptr<SIM_ResourceObject[]> m_records;
};
