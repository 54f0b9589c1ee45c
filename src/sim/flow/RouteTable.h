// The program-wide cache of resource routes: a fixed pool of route records, the routes known to
// exist and the start/goal pairs known to have none, so that each pair is searched once until the
// conveyors it depends on change. Searches may run on worker threads (route request jobs).
#pragma once
#include "sim/SIM_IndexSet.h"
#include "sim/flow/PathArea.h"
#include "sim/flow/SIM_ResourceRoute.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <unordered_map>
#include <vector>

class SIM_Tile;

// The parameter record of a route request job, taken from the table's own reusable records and
// handed back by the job.
struct RouteRequestParam
{
    SIM_Tile* start = nullptr;
    SIM_Tile* goal = nullptr;
};

class RouteTable
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int32_t kMaxRoutes = 8192;

    static RouteTable& Instance();

    // Any thread. Takes the lowest free record (in use, state pending, empty lists) or null when
    // all are taken. The free record is found without walking the records in use.
    SIM_ResourceRoute* NewRoute();
    // Any thread. Gives back a record taken by NewRoute that never became a route.
    void ReturnRoute(SIM_ResourceRoute* route);
    // Any thread. The route for the pair, searched once and then cached; null when the pair has
    // no route, or when no record is free. Either answer is remembered without taking a record
    // (the path found waits for a free record), so the pair is not searched again until a
    // conveyor edit reaches the tiles its search looked at.
    SIM_ResourceRoute* RequestRoute(SIM_Tile* start, SIM_Tile* goal);
    // Main thread. The known route from `tile` to `goal`, else the first known route to `goal`
    // that crosses `tile`; in `step` the index of the tile's centre point in its step list; null
    // when none does. An object that lost its way follows it from there instead of spending a
    // record on a route of its own.
    SIM_ResourceRoute* FindRouteThrough(SIM_Tile* tile, SIM_Tile* goal, size_t& step);
    // Any thread: how many tiles the route for the pair has, or -1 when it has none. A pair that is
    // neither known nor known to fail is searched the same way, and the answer is kept without
    // taking a route record: comparing sources costs no records, which are spent only on routes
    // that objects travel. RequestRoute turns a measured pair into its route without searching
    // again.
    int32_t RouteLength(SIM_Tile* start, SIM_Tile* goal);
    // Any thread: true when the pair's answer is cached (RouteLength and RequestRoute search no more).
    bool IsPairMeasured(SIM_Tile* start, SIM_Tile* goal);
    // Main thread: true when the pair's answer is cached or the open share of route searching can
    // hold the search it takes (see RouteSearchShare). Callers that may wait ask this first.
    bool MayMeasure(SIM_Tile* start, SIM_Tile* goal);
    // Main thread. Posts a route request job for the pair; its answer lands in the table as
    // RouteLength's would. The caller waits for the jobs before it reads the answers.
    void PostRouteRequest(SIM_Tile* start, SIM_Tile* goal);
    // Body of the route request job (any worker): measures the pair and hands the record back.
    static void RunRouteRequestJob(void* param);
    // True when the pair is in the known list or known to fail.
    bool IsPairKnown(SIM_Tile* start, SIM_Tile* goal);
    // The consistency report, run once each time the table is found full.
    void DumpRoutes();
    // Forgets every route, failure and measurement (highest index kept); returns records to the pool.
    void ClearAll();
    // Main thread. Conveyors were laid or taken up on these tiles: forgets only the routes,
    // failures and measurements whose search looked at one of them, since every other search
    // would give the same answer again; the goals of what it forgot are added to `goals` when
    // given. Everything goes when a zone opened since the last edit: then it returns false.
    bool ForgetAround(const std::vector<SIM_Tile*>& changed, std::vector<SIM_Tile*>* goals = nullptr);

    int32_t HighestIndex() const { return m_highestIndex; }
    SIM_ResourceRoute& Record(int32_t index) { return m_records[static_cast<size_t>(index)]; }
    size_t KnownCount();
    size_t FailureCount();
    // How many searches RequestRoute has started (route request jobs included); for tests and
    // benchmarks that check that cached pairs are not searched again.
    uint64_t SearchCount() const { return m_searches; }
    // How many records NewRoute and DumpRoutes have looked at: the work of finding a free record.
    uint64_t RecordVisits() const { return m_recordVisits; }

private:
    RouteTable();

    struct PairHash
    {
        size_t operator()(const std::pair<SIM_Tile*, SIM_Tile*>& p) const noexcept;
    };
    using Pair = std::pair<SIM_Tile*, SIM_Tile*>;
    // A path found without a record: its tiles, start to goal, and what its search looked at.
    struct Measured
    {
        std::vector<SIM_Tile*> tiles;
        PathArea lookedAt;
    };

    size_t IndexOf(const SIM_ResourceRoute* route) const { return static_cast<size_t>(route - m_records.data()); }
    // Makes a route of the path (null when no record is free: the path is kept for later).
    SIM_ResourceRoute* MakeRoute(const Pair& key, std::vector<SIM_Tile*>& tiles, const PathArea& lookedAt);
    // Frees a known route's record and takes it off every list.
    void ForgetKnown(SIM_ResourceRoute* route);
    void FreeRecord(size_t index);

    // Re-entrant: DumpRoutes runs inside NewRoute.
    std::recursive_mutex m_lock;
    int32_t m_highestIndex = 0;
    std::array<SIM_ResourceRoute, kMaxRoutes> m_records;
    // The records not in use, lowest first; refilled when records are cleared.
    SIM_IndexSet m_free;
    // Per record: what its search looked at, and whether it stands in the known list.
    std::array<PathArea, kMaxRoutes> m_lookedAt;
    std::array<uint8_t, kMaxRoutes> m_listed{};
    // Set once the table was found full and reported; cleared when a record comes free.
    bool m_exhausted = false;
    std::vector<SIM_ResourceRoute*> m_known;
    // Look-ups by pair and by goal; the known list stays the record of order.
    std::unordered_map<Pair, SIM_ResourceRoute*, PairHash> m_knownByPair;
    std::unordered_map<SIM_Tile*, std::vector<SIM_ResourceRoute*>> m_knownByGoal;
    // Pairs known to have no route, with what their search looked at; they take no record.
    std::unordered_map<Pair, PathArea, PairHash> m_failures;
    // Paths found without a record (measured, or found while the table was full).
    std::unordered_map<Pair, Measured, PairHash> m_measured;
    // Parameter records of route request jobs: made once, reused; stable in a deque.
    std::deque<RouteRequestParam> m_requestStore;
    std::vector<RouteRequestParam*> m_freeRequests;
    std::atomic<uint64_t> m_searches{0};
    std::atomic<uint64_t> m_recordVisits{0};
    // The zone unlock count when everything was last forgotten: an opened zone changes what
    // searches may cross everywhere.
    static std::atomic<uint64_t> s_zonesSeen;
};
