// Owns the fixed pool of every resource object of the game, chooses where a requested object
// comes from, and keeps objects consistent when routes or stockpiles change.
#pragma once
#include "sim/SIM_IndexSet.h"
#include "sim/flow/ResourceObjectPool.h"
#include "sim/flow/SIM_ResourceObject.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_set>
#include <vector>

class SIM_PlaceableSlot;
class SIM_Resource;
class SIM_Tile;

// The pool's work since the counters were last cleared. A frame's work must follow what moves and
// what changes, not how many objects merely wait or lie stored; tests read these to check it.
struct SIM_FlowWork
{
    uint64_t objectsExamined = 0;  // records looked at by the per-frame loop and the allocator
    uint64_t requestsTried = 0;    // objects asked of a source (Spawn)
    uint64_t requestsHeldBack = 0; // requests not tried again: nothing they wait for has changed
    uint64_t queuesSearched = 0;   // bay and exporter queues and request lists searched to forget objects
    uint64_t routesLost = 0;       // objects on their way whose route a conveyor edit discarded
};

class SIM_ResourceObjManager final : public ResourceObjectPool
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int32_t kPoolSize = 16384;

    static SIM_ResourceObjManager& Instance();

    // Empties the pool: topindex 0, every record cleared and its view destroyed.
    void Reset();
    // Main thread. Records tell the pool when they are freed, taken or set moving, so that the
    // allocator and the per-frame loop need not walk the whole pool.
    void NoteFreed(const SIM_ResourceObject* object) override;
    void NoteTaken(const SIM_ResourceObject* object) override;
    void NoteInTransit(const SIM_ResourceObject* object) override;
    // Main thread. Objects that look for their way again (restored on their way by a load, whose
    // route went, or whose route a conveyor edit discarded) take their turns at the route search
    // in order, within the frames' shares of route searching (see RouteSearchShare): a due object
    // looks at once when none waits before it, else it waits, keeping its place. A load sets
    // every object restored on its way looking at once: shared out, no frame pays for all of them.
    void NoteRouteDue(SIM_ResourceObject& object) override;
    // Objects waiting for their turn at the route search.
    size_t RoutesDue() const { return m_dueCount; }
    // Stores whose requests wait for the route search to be checked again (after an edit).
    size_t ChecksDue() const { return m_checkLine.size(); }
    // The first free record (not yet marked in use), or null when all are taken.
    SIM_ResourceObject* Allocate();
    // Chooses the best source for a resource bound for the destination and creates the object
    // there; null when no source serves it or the pool is exhausted, or when a route the choice
    // weighs waits for a search the open share of route searching cannot hold: SpawnWaited then
    // tells, until the next Spawn.
    SIM_ResourceObject* Spawn(SIM_PlaceableSlot* destination, const SIM_Resource* resource);
    bool SpawnWaited() const { return m_spawnWaited; }
    // One step of frameTime game ms for every object in transit (the per-frame loop).
    void UpdateAll(float frameTime);
    // After the routes were invalidated: re-route every object in use, let the bays drop what
    // cannot be routed and revalidate every stockpile's requests.
    void RerouteAll();
    // After a conveyor edit discarded some routes (InvalidateRoutesAround): re-routes the objects
    // in use whose route was discarded and the objects in transit without a route, then checks
    // the bays and requests as RerouteAll does. Objects whose route still holds go on undisturbed.
    // Given the goals of the routes discarded, only the requests of the stores standing on them
    // are checked: an object waiting at a bay for any other store still has its way.
    // Both look for what the open share of route searching holds (an edit's holds nothing); an
    // object whose way takes a search beyond it stops and waits in line for its turn, and a store
    // whose check does waits in a line of its own, both served by the frames' shares.
    void RerouteLost(const std::vector<SIM_Tile*>* goals = nullptr);
    // After a savegame was read: reports objects in transit that their stockpile does not list.
    void ValidateLoadedObjects();
    // Takes the object out of the bay or exporter queue it waits in and out of its destination's
    // requests: the work follows what those hold, not the size of the floor.
    void ForgetObject(SIM_ResourceObject* object);

    int32_t TopIndex() const { return m_topIndex; }
    // Also after records were written directly (a savegame restoring them): the pool looks at
    // every record once more to know which are free and which are moving.
    void SetTopIndex(int32_t top);

    SIM_FlowWork& Work() { return m_work; }
    SIM_ResourceObject& Record(int32_t index) { return m_records[static_cast<size_t>(index)]; }
    int32_t IndexOf(const SIM_ResourceObject* object) const;
    int32_t CountInUse() const;

private:
    SIM_ResourceObjManager();
    // Rebuilds both indices from the records themselves.
    void RebuildIndices();
    // The bays drop what cannot be routed; every stockpile's requests are checked again.
    void RecheckSourcesAndRequests();
    // Why a record waits in the line for the route search.
    enum DueKind : uint8_t
    {
        NOT_DUE = 0,
        DUE_RETRY = 1,  // its retry time ran out (RetryRoute)
        DUE_REROUTE = 2 // an edit discarded its route (Reroute)
    };
    // The object looks for its way now, as far as the open share goes; else it stops and joins
    // the line.
    void RerouteOrWait(SIM_ResourceObject& object);
    void MarkDue(int32_t index, DueKind kind);
    // The record's turn: false when it must wait for a later frame's share.
    bool ServeDue(int32_t index);
    // The objects that came due this frame join the line (those furthest from their stockpile
    // first), then the line is served from its front until an object must wait; then the stores
    // waiting for their check.
    void ServeRoutesDue();
    void ForgetRoutesDue();
    // The record no longer waits for its turn (freed, or served).
    void UnmarkDue(int32_t index);
    // The requests of the stores on these tiles are checked again; what waits at a bay and can
    // no longer be routed leaves the bay's queue with them.
    void RecheckRequestsOf(std::vector<SIM_Tile*> goals);
    // The requests of the store standing on the tile are checked again; false when some answer
    // waits for the route search, and the tile then joins the line of stores to check (once).
    bool CheckRequestsAt(SIM_Tile* goal);
    void CheckOrWait(SIM_Tile* goal);
    void WaitForCheck(SIM_Tile* goal);

    int32_t m_topIndex = 0;
    std::unique_ptr<SIM_ResourceObject[]> m_records;
    // Every free record is in the free index and every record in transit in the transit index;
    // either may also hold a few records that changed since, which are dropped when met.
    SIM_IndexSet m_freeIndex;
    SIM_IndexSet m_transitIndex;
    // The records the per-frame walk visits, kept between frames to spare the allocation.
    std::vector<int32_t> m_walk;
    SIM_FlowWork m_work;
    // The line of objects waiting for the route search, by record index, and the objects that
    // came due this frame; a record is marked while it waits. An entry whose record is no longer
    // marked (freed, or sent on its way meanwhile) is dropped when met.
    std::deque<int32_t> m_dueLine;
    std::vector<int32_t> m_newlyDue;
    std::vector<uint8_t> m_due;
    size_t m_dueCount = 0;
    // The tiles of the stores whose requests wait to be checked, in order, each once.
    std::deque<SIM_Tile*> m_checkLine;
    std::unordered_set<SIM_Tile*> m_checkDue;
    bool m_spawnWaited = false;
};
