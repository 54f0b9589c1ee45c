// The conveyor manager: owns conveyors and import bays, steps the bays, finds the nearest bay.
#include "sim/flow/SIM_ResourceConveyorManager.h"

#include "engine/core/GLifetime.h"
#include "sim/SIM_PointerList.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/flow/FlowVersions.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_PathFinder.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceRoute.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace
{
bool ConveyorPassable(const SIM_Tile* tile)
{
    return tile && tile->m_conveyor && tile->m_zoneState == SIM_Tile::ZONE_OPEN;
}
} // namespace

SIM_ResourceConveyorManager& SIM_ResourceConveyorManager::Instance()
{
    return GLifetime::Get<SIM_ResourceConveyorManager>();
}

SIM_ResourceConveyorManager::~SIM_ResourceConveyorManager()
{
    // The bays of a game that was never reset (a test, a tool) go with the manager. What a bay's
    // destructor reaches is older and still there, or made again empty by the program's owner.
    Clear();
}

// Conveyors and bays coming and going may open a way for a request that was refused.
SIM_ResourceConveyor* SIM_ResourceConveyorManager::CreateConveyor()
{
    auto conveyor = std::make_unique<SIM_ResourceConveyor>();
    SIM_ResourceConveyor* created = conveyor.get();
    m_conveyors.Add(std::move(conveyor));
    FlowVersions::NoteFloorChanged();
    FlowVersions::NoteSourcesChanged();
    return created;
}

SIM_ResourceImportBay* SIM_ResourceConveyorManager::CreateImportBay(SIM_Tile* tile)
{
    auto bay = std::make_unique<SIM_ResourceImportBay>(tile);
    AddImportBay(bay.get());
    m_ownedBays.push_back(std::move(bay));
    return m_ownedBays.back().get();
}

void SIM_ResourceConveyorManager::Clear()
{
    m_conveyors.Clear();
    m_bays.clear();
    m_ownedBays.clear();
}

SIM_ResourceImportBay* SIM_ResourceConveyorManager::FindNearestImportBay(SIM_Tile* goal)
{
    SIM_ResourceImportBay* nearest = nullptr;
    Nearest(goal, false, nearest);
    return nearest;
}

bool SIM_ResourceConveyorManager::TryFindNearestImportBay(SIM_Tile* goal, SIM_ResourceImportBay*& nearest)
{
    return Nearest(goal, true, nearest);
}

void SIM_ResourceConveyorManager::OpenFrameBudget()
{
    m_budgetOpen = true;
    m_budgetStart = SIM_PathFinder::Instance().ExpansionsDone();
}

void SIM_ResourceConveyorManager::CloseFrameBudget()
{
    m_budgetOpen = false;
}

bool SIM_ResourceConveyorManager::BudgetSpent() const
{
    return m_budgetOpen && SIM_PathFinder::Instance().ExpansionsDone() - m_budgetStart >= kSearchWorkPerFrame;
}

bool SIM_ResourceConveyorManager::Nearest(SIM_Tile* goal, bool limited, SIM_ResourceImportBay*& result)
{
    if (!goal)
    {
        result = nullptr;
        return true;
    }
    // The bay with the lowest score, route tiles plus four per queued object, the first in list
    // order among equal scores. A route has at least one tile more than the straight-line
    // (Manhattan) distance, so a bay whose distance alone cannot beat the best score so far is not
    // searched at all: bays are tried from the nearest-looking one, and most are never measured.
    struct Candidate
    {
        size_t bound;
        size_t order;
        SIM_ResourceImportBay* bay;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(m_bays.size());
    RefreshBayReach(goal->m_floor);
    const int32_t target = NetworkOf(goal);
    for (size_t i = 0; i < m_bays.size(); ++i)
    {
        SIM_ResourceImportBay* bay = m_bays[i];
        const SIM_Tile* tile = bay->GetTile();
        if (!tile)
            continue;
        // A bay on another run of conveyors is never reached; the search would only find that out.
        const std::array<int32_t, 4>& reach = m_bayReach[i];
        const bool mayReach =
            tile == goal || (target >= 0 && std::find(reach.begin(), reach.end(), target) != reach.end());
        if (!mayReach)
            continue;
        const int manhattan = std::abs(tile->m_gridX - goal->m_gridX) + std::abs(tile->m_gridY - goal->m_gridY);
        candidates.push_back(Candidate{static_cast<size_t>(manhattan) + 1 + 4 * bay->QueueLength(), i, bay});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.bound != b.bound ? a.bound < b.bound : a.order < b.order;
    });

    RouteTable& routes = RouteTable::Instance();
    size_t best = 999999;
    size_t bestOrder = 0;
    SIM_ResourceImportBay* nearest = nullptr;
    auto mayWin = [&](const Candidate& candidate) {
        return !nearest || candidate.bound < best || (candidate.bound == best && candidate.order < bestOrder);
    };
    for (size_t c = 0; c < candidates.size(); ++c)
    {
        const Candidate& candidate = candidates[c];
        if (!mayWin(candidate))
            break;
        if (!routes.IsPairMeasured(candidate.bay->GetTile(), goal))
        {
            if (limited && BudgetSpent())
                return false;
            // After the first, the bays that may still win are measured side by side on the
            // worker threads; each answer is the one this thread would find.
            if (c > 0 && SIM_ThreadManager::Instance().IsThreaded())
            {
                int posted = 0;
                for (size_t d = c; d < candidates.size() && posted < SIM_ThreadManager::MAX_SLOTS; ++d)
                {
                    if (!mayWin(candidates[d]))
                        break;
                    SIM_Tile* tile = candidates[d].bay->GetTile();
                    if (routes.IsPairMeasured(tile, goal))
                        continue;
                    routes.PostRouteRequest(tile, goal);
                    ++posted;
                }
                SIM_ThreadManager::Instance().WaitForAllJobs();
            }
        }
        const int32_t tiles = routes.RouteLength(candidate.bay->GetTile(), goal);
        if (tiles < 0)
            continue;
        const size_t score = static_cast<size_t>(tiles) + 4 * candidate.bay->QueueLength();
        if (score < best || (score == best && candidate.order < bestOrder))
        {
            best = score;
            bestOrder = candidate.order;
            nearest = candidate.bay;
        }
    }
    // The chosen bay's route is the one objects will travel: it is the one route worth a record.
    if (nearest)
        routes.RequestRoute(nearest->GetTile(), goal);
    result = nearest;
    return true;
}

int32_t SIM_ResourceConveyorManager::NetworkOf(const SIM_Tile* tile) const
{
    if (!tile || !m_networksFactory)
        return -1;
    const int32_t index = m_networksFactory->TileIndex(tile->m_gridX, tile->m_gridY);
    return index >= 0 && static_cast<size_t>(index) < m_networks.size() ? m_networks[static_cast<size_t>(index)] : -1;
}

void SIM_ResourceConveyorManager::RefreshNetworks(const SIM_Factory* factory)
{
    const uint64_t version = FlowVersions::Floor();
    const size_t tiles = factory ? static_cast<size_t>(factory->GetTileCount()) : 0;
    if (factory == m_networksFactory && version == m_networksVersion && m_networks.size() == tiles)
        return;
    m_networksFactory = factory;
    m_networksVersion = version;
    m_networks.assign(tiles, -1);
    m_bayReachValid = false;
    if (!factory)
        return;
    // A flood from every conveyor not yet numbered, through the four neighbours the route search
    // steps to. It walks tile indices (x * height + y) directly: after every conveyor edit it
    // covers every conveyor of the floor.
    const SIM_Tile* base = factory->GetTiles();
    const int32_t height = factory->GetHeight();
    const auto count = static_cast<int32_t>(tiles);
    auto open = [base](int32_t index) { return ConveyorPassable(&base[index]); };
    int32_t next = 0;
    std::vector<int32_t> stack;
    for (const SIM_ResourceConveyor* conveyor : m_conveyors)
    {
        const SIM_Tile* seed = conveyor ? conveyor->m_tile : nullptr;
        if (!ConveyorPassable(seed) || NetworkOf(seed) >= 0)
            continue;
        const int32_t network = next++;
        const int32_t first = factory->TileIndex(seed->m_gridX, seed->m_gridY);
        m_networks[static_cast<size_t>(first)] = network;
        stack.push_back(first);
        while (!stack.empty())
        {
            const int32_t index = stack.back();
            stack.pop_back();
            const int32_t y = index % height;
            const int32_t around[4] = {index + height, y + 1 < height ? index + 1 : -1, y > 0 ? index - 1 : -1,
                                       index - height};
            for (const int32_t neighbour : around)
            {
                if (neighbour < 0 || neighbour >= count || m_networks[static_cast<size_t>(neighbour)] >= 0 ||
                    !open(neighbour))
                    continue;
                m_networks[static_cast<size_t>(neighbour)] = network;
                stack.push_back(neighbour);
            }
        }
    }
}

void SIM_ResourceConveyorManager::RefreshBayReach(const SIM_Factory* factory)
{
    RefreshNetworks(factory);
    if (m_bayReachValid && m_bayReach.size() == m_bays.size())
        return;
    // The runs a search from each bay's tile can step onto: those of its four neighbours.
    m_bayReach.assign(m_bays.size(), {-1, -1, -1, -1});
    static const int kStep[4][2] = {{1, 0}, {0, 1}, {0, -1}, {-1, 0}};
    for (size_t i = 0; i < m_bays.size(); ++i)
    {
        const SIM_Tile* tile = m_bays[i] ? m_bays[i]->GetTile() : nullptr;
        if (!tile || !m_networksFactory)
            continue;
        for (int d = 0; d < 4; ++d)
            m_bayReach[i][static_cast<size_t>(d)] =
                NetworkOf(m_networksFactory->GetTile(tile->m_gridX + kStep[d][0], tile->m_gridY + kStep[d][1]));
    }
    m_bayReachValid = true;
}

bool SIM_ResourceConveyorManager::MayReach(const SIM_Tile* start, const SIM_Tile* goal)
{
    if (!start || !goal)
        return false;
    if (start == goal)
        return true;
    RefreshNetworks(goal->m_floor);
    const int32_t target = NetworkOf(goal);
    if (target < 0 || !m_networksFactory)
        return false;
    // The search leaves the start tile whatever stands on it, onto its open conveyor neighbours.
    static const int kStep[4][2] = {{1, 0}, {0, 1}, {0, -1}, {-1, 0}};
    for (const auto& step : kStep)
        if (NetworkOf(m_networksFactory->GetTile(start->m_gridX + step[0], start->m_gridY + step[1])) == target)
            return true;
    return false;
}

void SIM_ResourceConveyorManager::UpdateBays()
{
    for (SIM_ResourceImportBay* bay : m_bays)
        bay->Update();
    for (SIM_ResourceConveyor* conveyor : m_conveyors)
        conveyor->SetCarrying(false);
}

void SIM_ResourceConveyorManager::AddImportBay(SIM_ResourceImportBay* bay)
{
    m_bayReachValid = false;
    if (AddPointerOnce(m_bays, bay))
        FlowVersions::NoteSourcesChanged();
}

void SIM_ResourceConveyorManager::RemoveImportBay(SIM_ResourceImportBay* bay)
{
    m_bayReachValid = false;
    if (RemovePointer(m_bays, bay))
        FlowVersions::NoteSourcesChanged();
}

void SIM_ResourceConveyorManager::DestroyConveyor(SIM_ResourceConveyor* conveyor)
{
    if (m_conveyors.Remove(conveyor))
    {
        FlowVersions::NoteFloorChanged();
        FlowVersions::NoteSourcesChanged();
    }
}

void SIM_ResourceConveyorManager::DestroyImportBay(SIM_ResourceImportBay* bay)
{
    auto it = std::find_if(m_ownedBays.begin(), m_ownedBays.end(),
                           [bay](const std::unique_ptr<SIM_ResourceImportBay>& owned) { return owned.get() == bay; });
    if (it == m_ownedBays.end())
        return;
    RemoveImportBay(bay);
    m_ownedBays.erase(it);
}

SIM_ResourceImportBay* SIM_ResourceConveyorManager::GetImportBayOn(const SIM_Tile* tile) const
{
    for (SIM_ResourceImportBay* bay : m_bays)
        if (bay && bay->GetTile() == tile)
            return bay;
    return nullptr;
}
