// The route cache: record pool, known routes, known failures and the route request job.
#include "sim/flow/RouteTable.h"

#include "engine/core/GDebugLog.h"
#include "platform/core/PTraceSpan.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"

#include <algorithm>
#include <functional>

size_t RouteTable::PairHash::operator()(const std::pair<SIM_Tile*, SIM_Tile*>& p) const noexcept
{
    const size_t a = std::hash<SIM_Tile*>()(p.first);
    const size_t b = std::hash<SIM_Tile*>()(p.second);
    return a ^ (b + 0x9e3779b97f4a7c15ull + (a << 6) + (a >> 2));
}

RouteTable& RouteTable::Instance()
{
    static RouteTable table;
    return table;
}

SIM_ResourceRoute* RouteTable::NewRoute()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (int32_t i = 0; i < kMaxRoutes; ++i)
    {
        SIM_ResourceRoute& record = m_records[static_cast<size_t>(i)];
        if (record.InUse())
            continue;
        record.SetInUse(true);
        record.m_tiles.clear();
        record.m_steps.clear();
        record.m_state = SIM_ResourceRoute::STATE_PENDING;
        if (i > m_highestIndex)
            m_highestIndex = i;
        return &record;
    }
    DumpRoutes();
    FV_FLOW_ERROR("ERROR: Max routes reached!");
    return nullptr;
}

bool RouteTable::IsPairKnown(SIM_Tile* start, SIM_Tile* goal)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const auto key = std::make_pair(start, goal);
    return m_knownByPair.count(key) != 0 || m_failuresByPair.count(key) != 0;
}

SIM_ResourceRoute* RouteTable::RequestRoute(SIM_Tile* start, SIM_Tile* goal)
{
    if (!start || !goal)
        return nullptr;
    const auto key = std::make_pair(start, goal);
    {
        // Route request jobs append to the lists while others look them up: walks are locked too.
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        auto known = m_knownByPair.find(key);
        if (known != m_knownByPair.end())
            return known->second;
        if (m_failuresByPair.count(key) != 0)
            return nullptr;
    }

    SIM_ResourceRoute* route = TakeMeasured(start, goal);
    if (!route && !WasMeasured(start, goal))
    {
        m_searches.fetch_add(1, std::memory_order_relaxed);
        route = SIM_PathFinder::Instance().GeneratePath(start, goal, SIM_PathFinder::MODE_RESOURCE);
    }

    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (route)
    {
        route->m_state = SIM_ResourceRoute::STATE_KNOWN;
        m_known.push_back(route);
        // Two jobs may have searched the same pair at once: the first one entered is the answer.
        auto inserted = m_knownByPair.emplace(key, route);
        return inserted.first->second;
    }
    SIM_ResourceRoute* failure = NewRoute();
    if (!failure)
        return nullptr;
    failure->m_startTile = start;
    failure->m_goalTile = goal;
    failure->m_state = SIM_ResourceRoute::STATE_NO_ROUTE;
    m_failures.push_back(failure);
    m_failuresByPair.emplace(key, failure);
    // A route another job found for the same pair meanwhile still wins.
    auto known = m_knownByPair.find(key);
    return known != m_knownByPair.end() ? known->second : nullptr;
}

int32_t RouteTable::RouteLength(SIM_Tile* start, SIM_Tile* goal)
{
    if (!start || !goal)
        return -1;
    const auto key = std::make_pair(start, goal);
    auto lengthOf = [](const std::vector<SIM_Tile*>& tiles) {
        return tiles.empty() ? -1 : static_cast<int32_t>(tiles.size());
    };
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        auto known = m_knownByPair.find(key);
        if (known != m_knownByPair.end())
            return static_cast<int32_t>(known->second->m_tiles.size());
        if (m_failuresByPair.count(key) != 0)
            return -1;
        auto measured = m_measured.find(key);
        if (measured != m_measured.end())
            return lengthOf(measured->second);
    }
    std::vector<SIM_Tile*> path;
    SIM_PathFinder::Instance().MeasurePath(start, goal, SIM_PathFinder::MODE_RESOURCE, path);
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // A route entered for the pair meanwhile is the answer, as it would be for RequestRoute.
    auto known = m_knownByPair.find(key);
    if (known != m_knownByPair.end())
        return static_cast<int32_t>(known->second->m_tiles.size());
    return lengthOf(m_measured.emplace(key, std::move(path)).first->second);
}

bool RouteTable::WasMeasured(SIM_Tile* start, SIM_Tile* goal)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_measured.count(std::make_pair(start, goal)) != 0;
}

SIM_ResourceRoute* RouteTable::TakeMeasured(SIM_Tile* start, SIM_Tile* goal)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto measured = m_measured.find(std::make_pair(start, goal));
    if (measured == m_measured.end() || measured->second.empty())
        return nullptr;
    // The route the search would make again: a record, the same tiles, the same steps.
    SIM_ResourceRoute* route = NewRoute();
    if (!route)
        return nullptr;
    route->m_startTile = start;
    route->m_goalTile = goal;
    route->m_tiles = measured->second;
    route->BuildSteps();
    m_measured.erase(measured);
    return route;
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
    table.RequestRoute(request->start, request->goal);
    std::lock_guard<std::recursive_mutex> guard(table.m_lock);
    table.m_freeRequests.push_back(request);
}

void RouteTable::DumpRoutes()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (int32_t i = 0; i <= m_highestIndex && i < kMaxRoutes; ++i)
    {
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
            FV_ASSERT(std::find(m_failures.begin(), m_failures.end(), &record) != m_failures.end());
            break;
        case SIM_ResourceRoute::STATE_KNOWN:
            FV_ASSERT(std::find(m_known.begin(), m_known.end(), &record) != m_known.end());
            break;
        default:
            break;
        }
    }
}

void RouteTable::ClearAll()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_failures.clear();
    m_known.clear();
    m_failuresByPair.clear();
    m_knownByPair.clear();
    m_measured.clear();
    for (int32_t i = 0; i <= m_highestIndex && i < kMaxRoutes; ++i)
        m_records[static_cast<size_t>(i)].ClearRecord();
    // Ways that were closed may be open now: requests that found no source may ask again.
    SIM_ResourceConveyorManager::NoteFloorChanged();
    SIM_ResourceObjManager::NoteSourcesChanged();
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

void InvalidateRoutes()
{
    PTraceSpan span("InvalidateRoutes");
    RouteTable::Instance().ClearAll();
    SIM_ResourceObjManager::Instance().RerouteAll();
}
