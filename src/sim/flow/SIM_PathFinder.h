// Finds a path of tiles across the factory floor and turns it into a resource route. Used for
// resources along the conveyors (mode 0), by the conveyor placer (mode 1) and by the slot-chain
// placer (mode 2). Up to eight searches run at once, each on one searcher of a fixed pool.
#pragma once
#include "sim/flow/PathArea.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

class SIM_Factory;
class SIM_Tile;
class SIM_ResourceRoute;

// One node of a search, made once per tile reached; F = G + H.
struct PathNode
{
    SIM_Tile* tile = nullptr;
    int32_t F = -1;
    int32_t G = -1;
    int32_t H = -1;
    PathNode* parent = nullptr;
    uint8_t flag = 0;
};

// One searcher of the pool. Its nodes live until the next search that uses it clears them.
class PathSearch
{
public:
    static constexpr int32_t kMaxPicks = 2000;
    static constexpr int32_t kNoScore = 9999;
    static constexpr int32_t kWalkBackGuard = 40000;

    // Frees every node of both lists.
    void Clear();
    SIM_ResourceRoute* Search(SIM_Tile* start, SIM_Tile* goal, int32_t mode);
    // The same search without a route record: the tiles the route would have, start to goal, put
    // in `path`; their number, or -1 for no route.
    int32_t Measure(SIM_Tile* start, SIM_Tile* goal, int32_t mode, std::vector<SIM_Tile*>& path);
    // After a search: the tiles it looked at, and how many nodes it expanded (its work).
    PathArea LookedAt() const { return m_expanded.Grown(); }
    int32_t Expansions() const { return m_expansions; }

    SIM_Factory* m_factory = nullptr;
    SIM_Tile* m_goal = nullptr;
    SIM_Tile* m_start = nullptr;
    PathNode* m_found = nullptr;
    uint8_t m_foundFlag = 0;
    int32_t m_mode = 0;
    std::atomic<uint8_t> m_busy{0};
    uint8_t m_index = 0;

private:
    // The search itself; true when the goal was reached (m_found, or start equal to goal).
    bool Run(SIM_Tile* start, SIM_Tile* goal, int32_t mode);
    // Tiles from the start to the found node, both included, put in `path` when given; -1 when
    // the walk runs away.
    int32_t WalkBack(std::deque<SIM_Tile*>* path) const;
    PathNode* MakeNode();
    void Expand(PathNode* current);
    void TryNeighbour(SIM_Tile* tile, int32_t g, PathNode* current);
    bool Passable(SIM_Tile* tile) const;
    PathNode* PickLowest();
    bool Visited(const SIM_Tile* tile) const;
    void MarkVisited(const SIM_Tile* tile);
    void ReportFailure(const PathNode* last) const;

    // Node storage; a deque keeps node addresses stable as it grows.
    std::deque<PathNode> m_nodes;
    // The open list in insertion order, kept as one FIFO per score: the first node of the lowest
    // score is the node a front-to-back walk for the strictly lowest score would pick.
    // Each FIFO is a vector read from its head: cleared for every search, it keeps its room, so
    // the memory a search holds does not depend on where earlier searches left a deque's blocks.
    struct ScoreQueue
    {
        std::vector<PathNode*> nodes;
        size_t head = 0;
        bool empty() const { return head == nodes.size(); }
        PathNode* front() const { return nodes[head]; }
        void push_back(PathNode* node) { nodes.push_back(node); }
        void pop_front() { ++head; }
        void clear()
        {
            nodes.clear();
            head = 0;
        }
    };
    std::vector<ScoreQueue> m_openByScore;
    size_t m_openCount = 0;
    size_t m_lowestScore = 0;
    std::vector<PathNode*> m_closed;
    // A tile has a node (open or closed) when its stamp equals the current search's stamp.
    std::vector<uint32_t> m_stamps;
    uint32_t m_stamp = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    // The tiles expanded by the last search (their neighbours were looked at too), and how many.
    PathArea m_expanded;
    int32_t m_expansions = 0;
};

class SIM_PathFinder
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int kSearchers = 8;

    enum Mode : int32_t
    {
        MODE_RESOURCE = 0,
        MODE_CONVEYOR = 1,
        MODE_SLOT_CHAIN = 2
    };

    static SIM_PathFinder& Instance();

    // Rebinds the pool to the factory of the running game (at every game set-up).
    void Reset(SIM_Factory* factory);
    // A new route from start to goal, or null when there is no path or no free route record.
    SIM_ResourceRoute* GeneratePath(SIM_Tile* start, SIM_Tile* goal, int32_t mode);
    // Any thread: the tiles of the route GeneratePath would make, put in `path`, and their number
    // (-1: none), without taking a route record.
    int32_t MeasurePath(SIM_Tile* start, SIM_Tile* goal, int32_t mode, std::vector<SIM_Tile*>& path);
    // Any thread: the same, also giving the tiles the search looked at (see PathArea).
    int32_t MeasurePath(SIM_Tile* start, SIM_Tile* goal, int32_t mode, std::vector<SIM_Tile*>& path,
                        PathArea& lookedAt);
    // Any thread: nodes expanded by every measuring search so far; the work a caller's searches
    // did is the difference across them.
    uint64_t ExpansionsDone() const { return m_expansionsDone.load(std::memory_order_relaxed); }

    // The most nodes one search expands: the start and every pick.
    static constexpr uint64_t kLongestSearch = PathSearch::kMaxPicks + 1;
    // A share of route searching (see RouteSearchShare): the nodes it allows and the count of
    // nodes expanded when it was opened.
    struct Share
    {
        bool open = false;
        uint64_t nodes = 0;
        uint64_t start = 0;
        uint64_t heldBack = 0;
    };
    // Main thread. Opens a share of `nodes` and gives back the share it puts aside, which
    // CloseShare brings back.
    Share OpenShare(uint64_t nodes);
    void CloseShare(const Share& replaced);
    // Main thread. Keeps `nodes` of the open share from the searches that start until it is
    // held back no more (0).
    void HoldBack(uint64_t nodes);
    // Main thread. True when no share is open, or when what is left of it holds the longest
    // search: a search that starts never takes the searches of a share past it.
    bool MayStartSearch() const;
    // Main thread. How many of the longest searches what is left of the share holds; without a
    // share, as many as are asked for.
    uint64_t SearchesLeft() const;
    // Main thread. The nodes expanded since the share was opened (0 without one).
    uint64_t ShareUsed() const;

    int BusyCount() const;
    // Test hook: called with the searcher index right after a searcher is taken, before the search.
    void SetSearchHook(std::function<void(int)> hook) { m_searchHook = std::move(hook); }

private:
    SIM_PathFinder();
    PathSearch* TakeSearcher();
    void GiveBack(PathSearch* searcher);

    std::mutex m_lock;
    std::condition_variable m_freed;
    PathSearch m_searchers[kSearchers];
    std::function<void(int)> m_searchHook;
    std::atomic<uint64_t> m_expansionsDone{0};
    Share m_share;
};
