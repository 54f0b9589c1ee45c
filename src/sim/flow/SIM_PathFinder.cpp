// The path finder: a pool of eight searchers running a best-first search on the Manhattan
// distance to the goal, in the passability mode of the caller.
#include "sim/flow/SIM_PathFinder.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "platform/core/PTraceSpan.h"
#include "sim/SIM_RepeatLog.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_FlowErrorBox.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <unordered_map>

namespace
{
int PathManhattan(const SIM_Tile* a, const SIM_Tile* b)
{
    return std::abs(b->m_gridX - a->m_gridX) + std::abs(b->m_gridY - a->m_gridY);
}
} // namespace

// ---------------------------------------------------------------------------------------------
// PathSearch

void PathSearch::Clear()
{
    m_nodes.clear();
    for (auto& bucket : m_openByScore)
        bucket.clear();
    m_openCount = 0;
    m_lowestScore = 0;
    m_closed.clear();
    m_expanded = PathArea();
    m_expansions = 0;
}

PathNode* PathSearch::MakeNode()
{
    m_nodes.emplace_back();
    return &m_nodes.back();
}

bool PathSearch::Visited(const SIM_Tile* tile) const
{
    const int index = tile->m_gridX * m_height + tile->m_gridY;
    return m_stamps[static_cast<size_t>(index)] == m_stamp;
}

void PathSearch::MarkVisited(const SIM_Tile* tile)
{
    const int index = tile->m_gridX * m_height + tile->m_gridY;
    m_stamps[static_cast<size_t>(index)] = m_stamp;
}

bool PathSearch::Passable(SIM_Tile* tile) const
{
    const bool isGoal = (tile == m_goal);
    switch (m_mode)
    {
    case SIM_PathFinder::MODE_RESOURCE:
        return tile->m_conveyor != nullptr;
    case SIM_PathFinder::MODE_CONVEYOR:
    case SIM_PathFinder::MODE_SLOT_CHAIN:
        if (!isGoal && tile->m_occupant)
        {
            const SIM_BaseTask* task = tile->m_occupant->GetTask();
            if (!task || !task->IsConveyor())
                return false;
        }
        if (m_mode == SIM_PathFinder::MODE_SLOT_CHAIN && !isGoal && !tile->m_occupant && tile->m_builtOn)
            return false;
        return true;
    default:
        return false;
    }
}

void PathSearch::TryNeighbour(SIM_Tile* tile, int32_t g, PathNode* current)
{
    if (!tile)
        return;
    FV_ASSERT(tile != current->tile);
    if (tile == current->tile)
        return;
    if (!Passable(tile))
        return;
    if (tile->m_zoneState != SIM_Tile::ZONE_OPEN)
        return;
    // A node once made is never given a new parent or a lower cost.
    if (Visited(tile))
        return;
    PathNode* node = MakeNode();
    node->tile = tile;
    // G is carried over unchanged, so every node has G 0 and F equals the distance to the goal.
    node->G = g;
    node->H = PathManhattan(tile, m_goal);
    node->F = node->G + node->H;
    node->parent = current;
    MarkVisited(tile);
    const size_t score = static_cast<size_t>(node->F);
    if (score >= m_openByScore.size())
        m_openByScore.resize(score + 1);
    m_openByScore[score].push_back(node);
    ++m_openCount;
    if (m_openCount == 1 || score < m_lowestScore)
        m_lowestScore = score;
}

void PathSearch::Expand(PathNode* current)
{
    const SIM_Tile* t = current->tile;
    const int x = t->m_gridX;
    const int y = t->m_gridY;
    m_expanded.Add(x, y);
    ++m_expansions;
    TryNeighbour(m_factory->GetTile(x + 1, y), current->G, current);
    TryNeighbour(m_factory->GetTile(x, y + 1), current->G, current);
    TryNeighbour(m_factory->GetTile(x, y - 1), current->G, current);
    TryNeighbour(m_factory->GetTile(x - 1, y), current->G, current);

    // The current node, when it came from the open list, is the front of its score's queue:
    // nodes added while expanding it went to the back.
    const size_t score = current->F >= 0 ? static_cast<size_t>(current->F) : 0;
    if (score < m_openByScore.size() && !m_openByScore[score].empty() && m_openByScore[score].front() == current)
    {
        m_openByScore[score].pop_front();
        --m_openCount;
        while (m_openCount > 0 && m_openByScore[m_lowestScore].empty())
            ++m_lowestScore;
    }
    m_closed.push_back(current);
}

PathNode* PathSearch::PickLowest()
{
    if (m_openCount == 0)
        return nullptr;
    PathNode* node = m_openByScore[m_lowestScore].front();
    return node->F < kNoScore ? node : nullptr;
}

void PathSearch::ReportFailure(const PathNode* last) const
{
    // Nodes are made once per tile, so no tile can be closed twice; should one be, it is an error.
    std::unordered_map<const SIM_Tile*, int> counts;
    for (const PathNode* node : m_closed)
        if (++counts[node->tile] > 1)
        {
            FV_FLOW_ERROR("Path error!!!!");
            break;
        }
    // One line per search that gives up, and only the first time for a pair of tiles: a pair
    // that keeps failing is counted and summed up with the other repeating reports.
    char subject[96];
    std::snprintf(subject, sizeof subject, "start:[%d %d] end: [%d:%d]", m_start->m_gridX, m_start->m_gridY,
                  m_goal->m_gridX, m_goal->m_gridY);
    char detail[96];
    std::snprintf(detail, sizeof detail, "G %d H %d F %d Open[%d] Closed[%d]", last->G, last->H, last->F,
                  static_cast<int>(m_openCount), static_cast<int>(m_closed.size()));
    FV_REPORT_REPEATING("Infinite loop in route finding", subject, detail);
}

bool PathSearch::Run(SIM_Tile* start, SIM_Tile* goal, int32_t mode)
{
    Clear();
    m_start = start;
    m_goal = goal;
    m_mode = mode;
    m_found = nullptr;

    FV_ASSERT(start != nullptr);
    if (!start || !goal || !m_factory)
        return false;
    if (start == goal)
        return true;

    m_width = m_factory->GetWidth();
    m_height = m_factory->GetHeight();
    const size_t tileCount = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
    if (m_stamps.size() != tileCount)
    {
        m_stamps.assign(tileCount, 0);
        m_stamp = 0;
    }
    if (++m_stamp == 0)
    {
        std::fill(m_stamps.begin(), m_stamps.end(), 0);
        m_stamp = 1;
    }

    PathNode* current = MakeNode();
    current->tile = start;
    current->G = 0;
    current->H = PathManhattan(start, goal);
    current->F = current->H;
    current->parent = nullptr;
    MarkVisited(start);
    m_foundFlag = 0;
    int32_t picks = 0;

    for (;;)
    {
        Expand(current);
        PathNode* picked = PickLowest();
        if (!picked)
            return false;
        if (picked->tile == goal)
        {
            m_found = picked;
            m_foundFlag = 1;
        }
        if (++picks > kMaxPicks)
        {
            ReportFailure(picked);
            return false;
        }
        if (m_foundFlag)
            return true;
        current = picked;
    }
}

int32_t PathSearch::WalkBack(std::deque<SIM_Tile*>* path) const
{
    if (m_start == m_goal)
    {
        if (path)
            path->push_back(m_start);
        return 1;
    }
    int32_t tiles = 0;
    int32_t steps = 0;
    for (const PathNode* node = m_found; node; node = node->parent)
    {
        ++tiles;
        if (path)
            path->push_front(node->tile);
        if (node->tile == m_start)
            break;
        // Nodes form a tree rooted at the start, so this cannot loop; should it ever, the walk
        // stops with one report rather than one per further step.
        if (++steps > kWalkBackGuard)
        {
            FV_FLOW_ERROR("Infinite loop in path finding");
            return -1;
        }
    }
    return tiles;
}

SIM_ResourceRoute* PathSearch::Search(SIM_Tile* start, SIM_Tile* goal, int32_t mode)
{
    if (!Run(start, goal, mode))
        return nullptr;
    SIM_ResourceRoute* route = RouteTable::Instance().NewRoute();
    if (!route)
        return nullptr;
    route->m_startTile = start;
    route->m_goalTile = goal;
    std::deque<SIM_Tile*> path;
    if (WalkBack(&path) < 0)
    {
        RouteTable::Instance().ReturnRoute(route);
        return nullptr;
    }
    route->m_tiles.insert(route->m_tiles.begin(), path.begin(), path.end());
    route->BuildSteps();
    return route;
}

int32_t PathSearch::Measure(SIM_Tile* start, SIM_Tile* goal, int32_t mode, std::vector<SIM_Tile*>& path)
{
    path.clear();
    if (!Run(start, goal, mode))
        return -1;
    std::deque<SIM_Tile*> tiles;
    const int32_t count = WalkBack(&tiles);
    if (count >= 0)
        path.assign(tiles.begin(), tiles.end());
    return count;
}

// ---------------------------------------------------------------------------------------------
// SIM_PathFinder

SIM_PathFinder& SIM_PathFinder::Instance()
{
    return GLifetime::Get<SIM_PathFinder>();
}

SIM_PathFinder::SIM_PathFinder()
{
    for (int i = 0; i < kSearchers; ++i)
        m_searchers[i].m_index = static_cast<uint8_t>(i);
}

void SIM_PathFinder::Reset(SIM_Factory* factory)
{
    FV_ASSERT(factory != nullptr);
    std::lock_guard<std::mutex> guard(m_lock);
    for (int i = 0; i < kSearchers; ++i)
    {
        m_searchers[i].m_index = static_cast<uint8_t>(i);
        m_searchers[i].m_factory = factory;
        m_searchers[i].m_busy.store(0, std::memory_order_release);
    }
}

int SIM_PathFinder::BusyCount() const
{
    int busy = 0;
    for (const PathSearch& searcher : m_searchers)
        busy += searcher.m_busy.load(std::memory_order_acquire) ? 1 : 0;
    return busy;
}

PathSearch* SIM_PathFinder::TakeSearcher()
{
    PathSearch* searcher = nullptr;
    // Only the choice of a searcher is locked; a caller that finds all eight busy waits here,
    // and the callers after it queue on the lock behind it.
    std::unique_lock<std::mutex> guard(m_lock);
    for (;;)
    {
        for (PathSearch& candidate : m_searchers)
        {
            if (candidate.m_busy.load(std::memory_order_acquire) == 0)
            {
                searcher = &candidate;
                break;
            }
        }
        if (searcher)
            break;
        m_freed.wait(guard);
    }
    searcher->m_busy.store(1, std::memory_order_release);
    return searcher;
}

void SIM_PathFinder::GiveBack(PathSearch* searcher)
{
    searcher->m_busy.store(0, std::memory_order_release);
    std::lock_guard<std::mutex> guard(m_lock);
    m_freed.notify_all();
}

SIM_ResourceRoute* SIM_PathFinder::GeneratePath(SIM_Tile* start, SIM_Tile* goal, int32_t mode)
{
    PathSearch* searcher = TakeSearcher();
    if (m_searchHook)
        m_searchHook(searcher->m_index);
    SIM_ResourceRoute* route = nullptr;
    {
        PTraceSpan span("Generate Path");
        route = searcher->Search(start, goal, mode);
    }
    GiveBack(searcher);
    return route;
}

SIM_PathFinder::Share SIM_PathFinder::OpenShare(uint64_t nodes)
{
    const Share replaced = m_share;
    m_share = Share{true, nodes, ExpansionsDone()};
    return replaced;
}

void SIM_PathFinder::CloseShare(const Share& replaced)
{
    m_share = replaced;
}

void SIM_PathFinder::HoldBack(uint64_t nodes)
{
    m_share.heldBack = nodes;
}

uint64_t SIM_PathFinder::ShareUsed() const
{
    return m_share.open ? ExpansionsDone() - m_share.start : 0;
}

uint64_t SIM_PathFinder::SearchesLeft() const
{
    if (!m_share.open)
        return std::numeric_limits<uint64_t>::max();
    const uint64_t taken = ShareUsed() + m_share.heldBack;
    return taken < m_share.nodes ? (m_share.nodes - taken) / kLongestSearch : 0;
}

bool SIM_PathFinder::MayStartSearch() const
{
    return SearchesLeft() > 0;
}

int32_t SIM_PathFinder::MeasurePath(SIM_Tile* start, SIM_Tile* goal, int32_t mode, std::vector<SIM_Tile*>& path)
{
    PathArea ignored;
    return MeasurePath(start, goal, mode, path, ignored);
}

int32_t SIM_PathFinder::MeasurePath(SIM_Tile* start, SIM_Tile* goal, int32_t mode, std::vector<SIM_Tile*>& path,
                                    PathArea& lookedAt)
{
    PathSearch* searcher = TakeSearcher();
    if (m_searchHook)
        m_searchHook(searcher->m_index);
    int32_t tiles = -1;
    {
        PTraceSpan span("Measure Path");
        tiles = searcher->Measure(start, goal, mode, path);
    }
    lookedAt = searcher->LookedAt();
    m_expansionsDone.fetch_add(static_cast<uint64_t>(searcher->Expansions()), std::memory_order_relaxed);
    GiveBack(searcher);
    return tiles;
}
