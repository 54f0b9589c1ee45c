// Numbering the runs of joined conveyor tiles, whole and piece by piece.
#include "sim/flow/ConveyorNetworks.h"

#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <utility>

namespace
{
// A tile of an open conveyor not numbered yet, while the whole floor is numbered.
constexpr int32_t kUnnumbered = -2;
// The split searches mark tiles with a stamp per search and the search's own number in two bits.
constexpr uint32_t kLastStamp = (1u << 30) - 1;
// The most tiles each split search takes in turn before the searches check whether they ran out.
constexpr int kStretch = 64;
} // namespace

bool ConveyorNetworks::Open(const SIM_Tile* tile)
{
    return tile && tile->m_conveyor && tile->m_zoneState == SIM_Tile::ZONE_OPEN;
}

void ConveyorNetworks::Reset()
{
    m_factory = nullptr;
    m_height = 0;
    m_tiles = 0;
    m_labels.clear();
    m_parent.clear();
    m_rank.clear();
    m_seenBy.clear();
    m_stamp = 0;
}

bool ConveyorNetworks::IsFor(const SIM_Factory* factory) const
{
    return factory && factory == m_factory && factory->GetTileCount() == m_tiles && factory->GetHeight() == m_height;
}

int32_t ConveyorNetworks::NewLabel()
{
    const auto label = static_cast<int32_t>(m_parent.size());
    m_parent.push_back(label);
    m_rank.push_back(0);
    return label;
}

int32_t ConveyorNetworks::Root(int32_t label)
{
    while (m_parent[static_cast<size_t>(label)] != label)
    {
        int32_t& parent = m_parent[static_cast<size_t>(label)];
        parent = m_parent[static_cast<size_t>(parent)];
        label = parent;
    }
    return label;
}

int32_t ConveyorNetworks::Join(int32_t a, int32_t b)
{
    a = Root(a);
    b = Root(b);
    if (a == b)
        return a;
    if (m_rank[static_cast<size_t>(a)] < m_rank[static_cast<size_t>(b)])
        std::swap(a, b);
    m_parent[static_cast<size_t>(b)] = a;
    if (m_rank[static_cast<size_t>(a)] == m_rank[static_cast<size_t>(b)])
        ++m_rank[static_cast<size_t>(a)];
    return a;
}

void ConveyorNetworks::Steps(int32_t index, int32_t out[4]) const
{
    // By tile index (x * height + y); off the floor is below 0.
    const int32_t y = index % m_height;
    out[0] = index + m_height < m_tiles ? index + m_height : -1;
    out[1] = y + 1 < m_height ? index + 1 : -1;
    out[2] = y > 0 ? index - 1 : -1;
    out[3] = index - m_height;
}

int ConveyorNetworks::Neighbours(int32_t index, int32_t out[4]) const
{
    int32_t around[4];
    Steps(index, around);
    int count = 0;
    for (const int32_t neighbour : around)
        if (neighbour >= 0 && m_labels[static_cast<size_t>(neighbour)] >= 0)
            out[count++] = neighbour;
    return count;
}

void ConveyorNetworks::Renumber(const SIM_Factory& factory, const std::vector<int32_t>& openTiles)
{
    m_factory = &factory;
    m_height = factory.GetHeight();
    m_tiles = factory.GetTileCount();
    m_labels.assign(static_cast<size_t>(m_tiles), -1);
    m_parent.clear();
    m_rank.clear();
    m_seenBy.clear();
    m_stamp = 0;
    ++m_work.renumberings;
    // The open tiles are marked first, so the flood reads the label array alone and never the
    // tiles themselves: on the largest floor that is a million tiles the flood does not touch.
    for (const int32_t index : openTiles)
        if (index >= 0 && index < m_tiles)
            m_labels[static_cast<size_t>(index)] = kUnnumbered;
    std::vector<int32_t> stack;
    for (const int32_t seed : openTiles)
    {
        if (seed < 0 || seed >= m_tiles || m_labels[static_cast<size_t>(seed)] != kUnnumbered)
            continue;
        const int32_t label = NewLabel();
        m_labels[static_cast<size_t>(seed)] = label;
        stack.push_back(seed);
        while (!stack.empty())
        {
            const int32_t index = stack.back();
            stack.pop_back();
            ++m_work.tilesVisited;
            int32_t around[4];
            Steps(index, around);
            for (const int32_t neighbour : around)
            {
                if (neighbour < 0 || m_labels[static_cast<size_t>(neighbour)] != kUnnumbered)
                    continue;
                m_labels[static_cast<size_t>(neighbour)] = label;
                stack.push_back(neighbour);
            }
        }
    }
}

ConveyorNetworks::Change ConveyorNetworks::Update(const SIM_Tile* tile)
{
    if (!tile || tile->m_floor != m_factory || !m_factory)
        return Change::None;
    const int32_t index = m_factory->TileIndex(tile->m_gridX, tile->m_gridY);
    if (index < 0 || index >= m_tiles)
        return Change::None;
    int32_t& label = m_labels[static_cast<size_t>(index)];
    const bool open = Open(tile);
    if (open == (label >= 0))
        return Change::None;
    int32_t around[4];
    if (open)
    {
        const int count = Neighbours(index, around);
        m_work.tilesVisited += 1 + static_cast<uint64_t>(count);
        if (count == 0)
        {
            label = NewLabel();
            return Change::Created;
        }
        int32_t root = Root(m_labels[static_cast<size_t>(around[0])]);
        bool joined = false;
        for (int i = 1; i < count; ++i)
        {
            const int32_t other = Root(m_labels[static_cast<size_t>(around[i])]);
            if (other != root)
            {
                root = Join(root, other);
                joined = true;
            }
        }
        label = root;
        return joined ? Change::Joined : Change::Extended;
    }
    label = -1;
    const int count = Neighbours(index, around);
    m_work.tilesVisited += 1 + static_cast<uint64_t>(count);
    if (count < 2)
        return Change::Shrunk;
    return SplitAround(around, count) ? Change::Split : Change::Shrunk;
}

bool ConveyorNetworks::SplitAround(const int32_t* starts, int count)
{
    if (m_seenBy.size() != static_cast<size_t>(m_tiles) || m_stamp >= kLastStamp)
    {
        m_seenBy.assign(static_cast<size_t>(m_tiles), 0u);
        m_stamp = 0;
    }
    ++m_stamp;
    // Searches that met are one group; a group whose searches have all run out is a whole run.
    int group[4] = {0, 1, 2, 3};
    auto groupOf = [&group](int s) {
        while (group[s] != s)
            s = group[s];
        return s;
    };
    size_t next[4] = {0, 0, 0, 0};
    for (int s = 0; s < count; ++s)
    {
        m_visits[s].clear();
        m_visits[s].push_back(starts[s]);
        m_seenBy[static_cast<size_t>(starts[s])] = m_stamp << 2 | static_cast<uint32_t>(s);
    }
    int groups = count;
    size_t visited = 0;
    int stretch = 1;
    for (;;)
    {
        // Groups still searching; once a single one is left, the others have run out alone.
        int live = 0;
        for (int g = 0; g < count; ++g)
        {
            if (groupOf(g) != g)
                continue;
            for (int s = 0; s < count; ++s)
                if (groupOf(s) == g && next[s] < m_visits[s].size())
                {
                    ++live;
                    break;
                }
        }
        if (live <= 1)
            break;
        // A stretch of each search between the checks, longer each round: they go on side by
        // side, so the work is about that of the smaller side when a run falls apart, and of the
        // way round when the searches meet.
        stretch = std::min(2 * stretch, kStretch);
        for (int s = 0; s < count; ++s)
        {
            for (int step = 0; step < stretch && next[s] < m_visits[s].size(); ++step)
            {
                const int32_t index = m_visits[s][next[s]++];
                ++visited;
                int32_t around[4];
                const int found = Neighbours(index, around);
                for (int i = 0; i < found; ++i)
                {
                    uint32_t& seen = m_seenBy[static_cast<size_t>(around[i])];
                    if (seen >> 2 != m_stamp)
                    {
                        seen = m_stamp << 2 | static_cast<uint32_t>(s);
                        m_visits[s].push_back(around[i]);
                        continue;
                    }
                    const int a = groupOf(s);
                    const int b = groupOf(static_cast<int>(seen & 3u));
                    if (a == b)
                        continue;
                    group[std::max(a, b)] = std::min(a, b);
                    if (--groups == 1)
                    {
                        m_work.tilesVisited += visited;
                        return false;
                    }
                }
            }
        }
    }
    m_work.tilesVisited += visited;
    // The group still searching keeps the old number (or, when all ran out, the first group);
    // every other group is a run of its own.
    int kept = -1;
    for (int s = 0; s < count && kept < 0; ++s)
        if (next[s] < m_visits[s].size())
            kept = groupOf(s);
    if (kept < 0)
        kept = groupOf(0);
    for (int g = 0; g < count; ++g)
    {
        if (groupOf(g) != g || g == kept)
            continue;
        const int32_t label = NewLabel();
        for (int s = 0; s < count; ++s)
        {
            if (groupOf(s) != g)
                continue;
            for (const int32_t index : m_visits[s])
                m_labels[static_cast<size_t>(index)] = label;
            m_work.tilesVisited += m_visits[s].size();
        }
    }
    return true;
}

int32_t ConveyorNetworks::RunAt(int32_t index)
{
    if (index < 0 || index >= m_tiles)
        return -1;
    const int32_t label = m_labels[static_cast<size_t>(index)];
    return label < 0 ? -1 : Root(label);
}

int32_t ConveyorNetworks::Run(const SIM_Tile* tile)
{
    if (!tile || !m_factory || tile->m_floor != m_factory)
        return -1;
    return RunAt(m_factory->TileIndex(tile->m_gridX, tile->m_gridY));
}
