// The route cache: record pool, known routes, known failures and the route request job.
#include "sim/flow/RouteTable.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Tile.h"
#include "sim/world/TileWaypointGrid.h"

#include <algorithm>
#include <functional>

std::atomic<uint64_t> RouteTable::s_zonesSeen{0};

size_t RouteTable::PairHash::operator()(const std::pair<SIM_Tile*, SIM_Tile*>& p) const noexcept
{
    const size_t a = std::hash<SIM_Tile*>()(p.first);
    const size_t b = std::hash<SIM_Tile*>()(p.second);
    return a ^ (b + 0x9e3779b97f4a7c15ull + (a << 6) + (a >> 2));
}

RouteTable& RouteTable::Instance()
{
    return GLifetime::Get<RouteTable>();
}

RouteTable::RouteTable()
{
    m_free.Resize(kMaxRoutes);
    m_free.Fill();
}

SIM_ResourceRoute* RouteTable::NewRoute()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_recordVisits.fetch_add(1, std::memory_order_relaxed);
    const int32_t i = m_free.First();
    if (i != SIM_IndexSet::kNone)
    {
        m_free.Erase(i);
        SIM_ResourceRoute& record = m_records[static_cast<size_t>(i)];
        record.SetInUse(true);
        record.m_tiles.clear();
        record.m_steps.clear();
        record.m_state = SIM_ResourceRoute::STATE_PENDING;
        if (i > m_highestIndex)
            m_highestIndex = i;
        return &record;
    }
    // The table stays full until records come free again: it is checked once, not at every
    // request that finds it full (a check of every record per request froze big factories).
    if (!m_exhausted)
    {
        m_exhausted = true;
        DumpRoutes();
    }
    FV_FLOW_ERROR("ERROR: Max routes reached!");
    return nullptr;
}

void RouteTable::ReturnRoute(SIM_ResourceRoute* route)
{
    if (!route)
        return;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    FreeRecord(IndexOf(route));
}

void RouteTable::FreeRecord(size_t index)
{
    m_records[index].ClearRecord();
    m_lookedAt[index] = PathArea();
    m_listed[index] = 0;
    m_free.Insert(static_cast<int32_t>(index));
    m_exhausted = false;
}

bool RouteTable::IsPairKnown(SIM_Tile* start, SIM_Tile* goal)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const auto key = std::make_pair(start, goal);
    return m_knownByPair.count(key) != 0 || m_failures.count(key) != 0;
}

bool RouteTable::IsPairMeasured(SIM_Tile* start, SIM_Tile* goal)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const auto key = std::make_pair(start, goal);
    return m_knownByPair.count(key) != 0 || m_failures.count(key) != 0 || m_measured.count(key) != 0;
}

bool RouteTable::MayMeasure(SIM_Tile* start, SIM_Tile* goal)
{
    return SIM_PathFinder::Instance().MayStartSearch() || IsPairMeasured(start, goal);
}

SIM_ResourceRoute* RouteTable::MakeRoute(const Pair& key, std::vector<SIM_Tile*>& tiles, const PathArea& lookedAt)
{
    SIM_ResourceRoute* route = NewRoute();
    if (!route)
        return nullptr;
    route->m_startTile = key.first;
    route->m_goalTile = key.second;
    route->m_tiles = std::move(tiles);
    route->BuildSteps();
    route->m_state = SIM_ResourceRoute::STATE_KNOWN;
    const size_t index = IndexOf(route);
    m_lookedAt[index] = lookedAt;
    m_listed[index] = 1;
    m_known.push_back(route);
    m_knownByPair.emplace(key, route);
    m_knownByGoal[key.second].push_back(route);
    return route;
}

SIM_ResourceRoute* RouteTable::RequestRoute(SIM_Tile* start, SIM_Tile* goal)
{
    if (!start || !goal)
        return nullptr;
    const Pair key(start, goal);
    {
        // Route request jobs add to the table while others look it up: look-ups are locked too.
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        auto known = m_knownByPair.find(key);
        if (known != m_knownByPair.end())
            return known->second;
        if (m_failures.count(key) != 0)
            return nullptr;
        auto measured = m_measured.find(key);
        if (measured != m_measured.end())
        {
            // The route the search would make again: the same tiles, the same steps.
            SIM_ResourceRoute* route = MakeRoute(key, measured->second.tiles, measured->second.lookedAt);
            if (route)
                m_measured.erase(measured);
            return route;
        }
    }

    m_searches.fetch_add(1, std::memory_order_relaxed);
    std::vector<SIM_Tile*> tiles;
    PathArea lookedAt;
    SIM_PathFinder::Instance().MeasurePath(start, goal, SIM_PathFinder::MODE_RESOURCE, tiles, lookedAt);

    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // Two jobs may have searched the same pair at once: the first answer entered is the answer.
    auto known = m_knownByPair.find(key);
    if (known != m_knownByPair.end())
        return known->second;
    if (tiles.empty())
    {
        m_failures.emplace(key, lookedAt);
        return nullptr;
    }
    if (SIM_ResourceRoute* route = MakeRoute(key, tiles, lookedAt))
        return route;
    // No record free: the path waits for one, and the pair is not searched again meanwhile.
    m_measured.emplace(key, Measured{std::move(tiles), lookedAt});
    return nullptr;
}

int32_t RouteTable::RouteLength(SIM_Tile* start, SIM_Tile* goal)
{
    if (!start || !goal)
        return -1;
    const Pair key(start, goal);
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        auto known = m_knownByPair.find(key);
        if (known != m_knownByPair.end())
            return static_cast<int32_t>(known->second->m_tiles.size());
        if (m_failures.count(key) != 0)
            return -1;
        auto measured = m_measured.find(key);
        if (measured != m_measured.end())
            return static_cast<int32_t>(measured->second.tiles.size());
    }
    std::vector<SIM_Tile*> tiles;
    PathArea lookedAt;
    SIM_PathFinder::Instance().MeasurePath(start, goal, SIM_PathFinder::MODE_RESOURCE, tiles, lookedAt);
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // A route entered for the pair meanwhile is the answer, as it would be for RequestRoute.
    auto known = m_knownByPair.find(key);
    if (known != m_knownByPair.end())
        return static_cast<int32_t>(known->second->m_tiles.size());
    if (tiles.empty())
    {
        m_failures.emplace(key, lookedAt);
        return -1;
    }
    return static_cast<int32_t>(
        m_measured.emplace(key, Measured{std::move(tiles), lookedAt}).first->second.tiles.size());
}

SIM_ResourceRoute* RouteTable::FindRouteThrough(SIM_Tile* tile, SIM_Tile* goal, size_t& step)
{
    if (!tile || !goal || !tile->m_waypoints)
        return nullptr;
    const TileWaypoint* centre = &tile->m_waypoints->m_points[2];
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // The tile's own route, when known, is the one a request from the tile would give.
    auto own = m_knownByPair.find(Pair(tile, goal));
    if (own != m_knownByPair.end())
    {
        step = 0;
        return own->second;
    }
    auto routes = m_knownByGoal.find(goal);
    if (routes == m_knownByGoal.end())
        return nullptr;
    for (SIM_ResourceRoute* route : routes->second)
    {
        // A route crosses a tile once: its search never comes back to a tile it has been on.
        auto at = std::find(route->m_tiles.begin(), route->m_tiles.end(), tile);
        if (at == route->m_tiles.end())
            continue;
        // Five points a tile where every tile borders the next; look further when one did not.
        const size_t guess = 5 * static_cast<size_t>(at - route->m_tiles.begin());
        if (guess < route->m_steps.size() && route->m_steps[guess] == centre)
        {
            step = guess;
            return route;
        }
        auto point = std::find(route->m_steps.begin(), route->m_steps.end(), centre);
        if (point != route->m_steps.end())
        {
            step = static_cast<size_t>(point - route->m_steps.begin());
            return route;
        }
    }
    return nullptr;
}

void RouteTable::PostRouteRequest(SIM_Tile* start, SIM_Tile* goal)
{
    RouteRequestParam* param = nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        if (m_freeRequests.empty())
        {
            param = &m_requestStore.emplace_back();
        }
        else
        {
            param = m_freeRequests.back();
            m_freeRequests.pop_back();
        }
        param->start = start;
        param->goal = goal;
    }
    SIM_ThreadManager::Instance().PostJob(REQUESTRESOURCEPATH, param);
}

void RouteTable::RunRouteRequestJob(void* param)
{
    RouteRequestParam* request = static_cast<RouteRequestParam*>(param);
    if (!request)
        return;
    RouteTable& table = Instance();
    // Measured, not made a route: only the route an object then travels takes a record.
    table.RouteLength(request->start, request->goal);
    std::lock_guard<std::recursive_mutex> guard(table.m_lock);
    table.m_freeRequests.push_back(request);
}

void RouteTable::DumpRoutes()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (int32_t i = 0; i <= m_highestIndex && i < kMaxRoutes; ++i)
    {
        m_recordVisits.fetch_add(1, std::memory_order_relaxed);
        SIM_ResourceRoute& record = m_records[static_cast<size_t>(i)];
        if (!record.InUse())
            continue;
        switch (record.m_state)
        {
        case SIM_ResourceRoute::STATE_UNSET:
            FV_FLOW_ERROR("Route Unknown!");
            break;
        case SIM_ResourceRoute::STATE_PENDING:
            FV_FLOW_ERROR("!Route Pending!");
            break;
        case SIM_ResourceRoute::STATE_NO_ROUTE:
            // Failures are remembered by their pair and never hold a record.
            FV_ASSERT(false);
            break;
        case SIM_ResourceRoute::STATE_KNOWN:
            FV_ASSERT(m_listed[static_cast<size_t>(i)] != 0);
#ifndef NDEBUG
            // The mark against the list itself: a walk of the list per record, debug builds only.
            FV_ASSERT(std::find(m_known.begin(), m_known.end(), &record) != m_known.end());
#endif
            break;
        default:
            break;
        }
    }
}

void RouteTable::ClearAll()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_known.clear();
    m_knownByPair.clear();
    m_knownByGoal.clear();
    m_failures.clear();
    m_measured.clear();
    for (int32_t i = 0; i <= m_highestIndex && i < kMaxRoutes; ++i)
        FreeRecord(static_cast<size_t>(i));
    s_zonesSeen.store(SIM_BuildingZone::UnlockCount(), std::memory_order_relaxed);
    // Ways that were closed may be open now: requests that found no source may ask again.
    FlowVersions::NoteFloorChanged();
    FlowVersions::NoteSourcesChanged();
}

void RouteTable::ForgetKnown(SIM_ResourceRoute* route)
{
    const Pair key(route->m_startTile, route->m_goalTile);
    auto byPair = m_knownByPair.find(key);
    if (byPair != m_knownByPair.end() && byPair->second == route)
        m_knownByPair.erase(byPair);
    auto byGoal = m_knownByGoal.find(key.second);
    if (byGoal != m_knownByGoal.end())
    {
        std::vector<SIM_ResourceRoute*>& routes = byGoal->second;
        routes.erase(std::remove(routes.begin(), routes.end(), route), routes.end());
        if (routes.empty())
            m_knownByGoal.erase(byGoal);
    }
    FreeRecord(IndexOf(route));
}

bool RouteTable::ForgetAround(const std::vector<SIM_Tile*>& changed, std::vector<SIM_Tile*>* goals)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (SIM_BuildingZone::UnlockCount() != s_zonesSeen.load(std::memory_order_relaxed))
    {
        ClearAll();
        return false;
    }
    PathArea span;
    for (const SIM_Tile* tile : changed)
        if (tile)
            span.Add(tile->m_gridX, tile->m_gridY);
    if (span.Empty())
        return true;
    auto reaches = [&changed, &span](const PathArea& lookedAt) {
        if (!lookedAt.Overlaps(span))
            return false;
        return std::any_of(changed.begin(), changed.end(), [&lookedAt](const SIM_Tile* tile) {
            return tile && lookedAt.Contains(tile->m_gridX, tile->m_gridY);
        });
    };
    auto forgot = [goals](SIM_Tile* goal) {
        if (goals)
            goals->push_back(goal);
    };

    size_t kept = 0;
    for (SIM_ResourceRoute* route : m_known)
    {
        if (reaches(m_lookedAt[IndexOf(route)]))
        {
            forgot(route->m_goalTile);
            ForgetKnown(route);
        }
        else
        {
            m_known[kept++] = route;
        }
    }
    m_known.resize(kept);
    for (auto it = m_failures.begin(); it != m_failures.end();)
    {
        if (!reaches(it->second))
        {
            ++it;
            continue;
        }
        forgot(it->first.second);
        it = m_failures.erase(it);
    }
    for (auto it = m_measured.begin(); it != m_measured.end();)
    {
        if (!reaches(it->second.lookedAt))
        {
            ++it;
            continue;
        }
        forgot(it->first.second);
        it = m_measured.erase(it);
    }
    // Ways that were closed may be open now: requests that found no source may ask again.
    FlowVersions::NoteSourcesChanged();
    return true;
}

size_t RouteTable::KnownCount()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_known.size();
}

size_t RouteTable::FailureCount()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_failures.size();
}
