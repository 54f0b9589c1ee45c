// The program-wide cache of resource routes: a fixed pool of route records, the routes known to
// exist and the start/goal pairs known to have none, so that each pair is searched once until the
// conveyors change. Searches may run on worker threads (route request jobs).
#pragma once
#include "sim/flow/SIM_ResourceRoute.h"

#include <array>
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
public:
    static constexpr int32_t kMaxRoutes = 8192;

    static RouteTable& Instance();

    // Takes a free record (in use, state pending, empty lists) or null when all are taken.
    SIM_ResourceRoute* NewRoute();
    // The route for the pair, searched once and then cached; null when the pair has no route.
    SIM_ResourceRoute* RequestRoute(SIM_Tile* start, SIM_Tile* goal);
    // Any thread: how many tiles the route for the pair has, or -1 when it has none. A pair that is
    // neither known nor known to fail is searched the same way, and the answer is kept until the
    // routes are cleared, without taking a route record: comparing sources costs no records, which
    // are spent only on routes that objects travel. RequestRoute turns a measured pair into its
    // route without searching again.
    int32_t RouteLength(SIM_Tile* start, SIM_Tile* goal);
    // Posts a route request job for the pair; the result lands in the lists.
    void PostRouteRequest(SIM_Tile* start, SIM_Tile* goal);
    // Body of the route request job: searches the pair and hands the parameter record back.
    static void RunRouteRequestJob(void* param);
    // True when the pair is in the known list or in the failure list.
    bool IsPairKnown(SIM_Tile* start, SIM_Tile* goal);
    // The consistency report used when the table is full.
    void DumpRoutes();
    // Forgets every route and failure record (highest index kept); returns records to the pool.
    void ClearAll();

    int32_t HighestIndex() const { return m_highestIndex; }
    SIM_ResourceRoute& Record(int32_t index) { return m_records[static_cast<size_t>(index)]; }
    size_t KnownCount();
    size_t FailureCount();
    // How many searches RequestRoute has started (route request jobs included); for tests and
    // benchmarks that check that cached pairs are not searched again.
    uint64_t SearchCount() const { return m_searches; }

private:
    RouteTable() = default;
    // A measured pair: its route made from the measured tiles (null for none or no free record),
    // and whether the pair was measured at all.
    SIM_ResourceRoute* TakeMeasured(SIM_Tile* start, SIM_Tile* goal);
    bool WasMeasured(SIM_Tile* start, SIM_Tile* goal);

    struct PairHash
    {
        size_t operator()(const std::pair<SIM_Tile*, SIM_Tile*>& p) const noexcept;
    };
    using PairMap = std::unordered_map<std::pair<SIM_Tile*, SIM_Tile*>, SIM_ResourceRoute*, PairHash>;

    // Re-entrant: a failure record is taken (NewRoute) while the lists are being changed.
    std::recursive_mutex m_lock;
    int32_t m_highestIndex = 0;
    std::array<SIM_ResourceRoute, kMaxRoutes> m_records;
    std::vector<SIM_ResourceRoute*> m_known;
    std::vector<SIM_ResourceRoute*> m_failures;
    // Look-ups by pair; the lists stay the record of order, the maps keep the first entry of a pair.
    PairMap m_knownByPair;
    PairMap m_failuresByPair;
    // Parameter records of route request jobs: made once, reused; stable in a deque.
    std::deque<RouteRequestParam> m_requestStore;
    std::vector<RouteRequestParam*> m_freeRequests;
    // Routes measured without a record: their tiles, start to goal; none for no route.
    std::unordered_map<std::pair<SIM_Tile*, SIM_Tile*>, std::vector<SIM_Tile*>, PairHash> m_measured;
    std::atomic<uint64_t> m_searches{0};
};

// Discards every route and failure, then re-routes every resource object. Run whenever conveyors
// are laid or removed, and when a new factory is built.
void InvalidateRoutes();
