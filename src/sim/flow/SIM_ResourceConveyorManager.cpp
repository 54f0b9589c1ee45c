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
#include "sim/world/SIM_BuildingZone.h"
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
    if (!m_renumber)
    {
        m_laidSince.push_back(created);
        NotePieceChange();
    }
    FlowVersions::NoteFloorChanged();
    FlowVersions::NoteSourcesChanged();
    return created;
}

void SIM_ResourceConveyorManager::ForgetPieces()
{
    m_laidSince.clear();
    m_liftedSince.clear();
    m_baysAddedSince.clear();
}

void SIM_ResourceConveyorManager::NotePieceChange()
{
    if (m_laidSince.size() + m_liftedSince.size() + m_baysAddedSince.size() <= kMostPiecesOneByOne)
        return;
    // Too many to follow one by one: the floor is numbered again, and every run may have changed.
    m_renumber = true;
    m_runChanges.whole = true;
    ForgetPieces();
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
    m_carrying.clear();
    m_carryingCount.store(0, std::memory_order_relaxed);
    m_conveyors.Clear();
    m_bays.clear();
    m_ownedBays.clear();
    // The floor these ran on is going: the next floor is numbered whole, and whoever builds it
    // sends its stations looking for their bays.
    m_networks.Reset();
    m_renumber = true;
    ForgetPieces();
    m_runChanges = PendingRunChanges();
    m_bayReach.clear();
    m_baysOfRun.clear();
    m_bayOnTile.clear();
    m_bayReachValid = false;
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
    // They are taken from a heap in that order as far as they are tried, not all sorted first:
    // on a floor whose conveyors all join, every station has every bay to consider.
    std::vector<Candidate>& heap = m_candidateHeap;
    std::vector<Candidate>& tried = m_candidatesInOrder;
    heap.clear();
    tried.clear();
    RefreshBayReach(goal->m_floor);
    const int32_t target = m_networks.Run(goal);
    // A bay on another run of conveyors is never reached; the search would only find that out.
    // Only the bays of the goal's run are looked at, and a bay standing on the goal itself.
    auto consider = [&](uint32_t i) {
        SIM_ResourceImportBay* bay = m_bays[i];
        const SIM_Tile* tile = bay->GetTile();
        const int manhattan = std::abs(tile->m_gridX - goal->m_gridX) + std::abs(tile->m_gridY - goal->m_gridY);
        heap.push_back(Candidate{static_cast<size_t>(manhattan) + 1 + 4 * bay->QueueLength(), i, bay});
    };
    if (target >= 0)
        if (auto run = m_baysOfRun.find(target); run != m_baysOfRun.end())
            for (const uint32_t i : run->second)
                consider(i);
    if (auto own = m_bayOnTile.find(goal); own != m_bayOnTile.end())
        for (const uint32_t i : own->second)
        {
            const std::array<int32_t, 4>& reach = m_bayReach[i];
            if (target < 0 || std::find(reach.begin(), reach.end(), target) == reach.end())
                consider(i);
        }
    auto later = [](const Candidate& a, const Candidate& b) {
        return a.bound != b.bound ? a.bound > b.bound : a.order > b.order;
    };
    std::make_heap(heap.begin(), heap.end(), later);
    // The candidate at place d of the sorted order, or null past the last.
    tried.reserve(heap.size());
    size_t heapSize = heap.size();
    auto inOrder = [&](size_t d) -> const Candidate* {
        while (tried.size() <= d)
        {
            if (heapSize == 0)
                return nullptr;
            std::pop_heap(heap.begin(), heap.begin() + static_cast<std::ptrdiff_t>(heapSize), later);
            --heapSize;
            tried.push_back(heap[heapSize]);
        }
        return &tried[d];
    };

    RouteTable& routes = RouteTable::Instance();
    SIM_PathFinder& finder = SIM_PathFinder::Instance();
    size_t best = 999999;
    size_t bestOrder = 0;
    SIM_ResourceImportBay* nearest = nullptr;
    auto mayWin = [&](const Candidate& candidate) {
        return !nearest || candidate.bound < best || (candidate.bound == best && candidate.order < bestOrder);
    };
    for (size_t c = 0; const Candidate* next = inOrder(c); ++c)
    {
        const Candidate& candidate = *next;
        if (!mayWin(candidate))
            break;
        if (!routes.IsPairMeasured(candidate.bay->GetTile(), goal))
        {
            if (limited && !finder.MayStartSearch())
                return false;
            // After the first, the bays that may still win are measured side by side on the
            // worker threads, as many as the share holds at their longest; each answer is the
            // one this thread would find.
            if (c > 0 && SIM_ThreadManager::Instance().IsThreaded())
            {
                const auto slots = static_cast<uint64_t>(SIM_ThreadManager::MAX_SLOTS);
                const uint64_t room = limited ? std::min(finder.SearchesLeft(), slots) : slots;
                uint64_t posted = 0;
                for (size_t d = c; posted < room; ++d)
                {
                    const Candidate* other = inOrder(d);
                    if (!other || !mayWin(*other))
                        break;
                    SIM_Tile* tile = other->bay->GetTile();
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

int32_t SIM_ResourceConveyorManager::RunOf(const SIM_Tile* tile)
{
    if (!tile)
        return -1;
    RefreshNetworks(tile->m_floor);
    return m_networks.Run(tile);
}

void SIM_ResourceConveyorManager::RefreshNetworks(const SIM_Factory* factory)
{
    if (!factory)
        return;
    const uint64_t zones = SIM_BuildingZone::UnlockCount();
    if (m_renumber || zones != m_networksZones || !m_networks.IsFor(factory))
    {
        // An opened zone makes every conveyor in it passable at once.
        if (m_networks.IsFor(factory) && zones != m_networksZones)
            m_runChanges.whole = true;
        std::vector<int32_t> open;
        open.reserve(m_conveyors.size());
        for (const SIM_ResourceConveyor* conveyor : m_conveyors)
        {
            const SIM_Tile* tile = conveyor ? conveyor->m_tile : nullptr;
            if (ConveyorPassable(tile) && tile->m_floor == factory)
                open.push_back(factory->TileIndex(tile->m_gridX, tile->m_gridY));
        }
        m_networks.Renumber(*factory, open);
        m_networksZones = zones;
        m_renumber = false;
        ForgetPieces();
        m_bayReachValid = false;
        return;
    }
    if (m_laidSince.empty() && m_liftedSince.empty() && m_baysAddedSince.empty())
        return;
    // A run that a piece joins to others, or that a piece gives to a bay that did not reach it,
    // may have a nearer bay for its stations now; a piece taken up only takes routes away, and
    // the stations whose routes went look again anyway. What each bay reached is read as the runs
    // stood before these pieces; once runs were joined or split here that record is out of date,
    // and a piece beside any bay counts.
    if (!m_bayReachValid)
        BuildBayReach(factory);
    bool reshaped = false;
    auto givesBayNewRun = [&](const SIM_Tile* tile) {
        static const int kAround[5][2] = {{0, 0}, {1, 0}, {0, 1}, {0, -1}, {-1, 0}};
        const int32_t run = m_networks.Run(tile);
        for (const auto& step : kAround)
        {
            auto bays = m_bayOnTile.find(factory->GetTile(tile->m_gridX + step[0], tile->m_gridY + step[1]));
            if (bays == m_bayOnTile.end())
                continue;
            if (reshaped)
                return true;
            for (const uint32_t i : bays->second)
                if (std::find(m_bayReach[i].begin(), m_bayReach[i].end(), run) == m_bayReach[i].end())
                    return true;
        }
        return false;
    };
    bool changed = false;
    auto update = [&](const SIM_Tile* tile) {
        const ConveyorNetworks::Change change = m_networks.Update(tile);
        if (change == ConveyorNetworks::Change::None)
            return;
        changed = true;
        if (change == ConveyorNetworks::Change::Joined)
            m_runChanges.grownAt.push_back(tile);
        const bool laid = change == ConveyorNetworks::Change::Extended || change == ConveyorNetworks::Change::Created;
        if (laid && givesBayNewRun(tile))
            m_runChanges.grownAt.push_back(tile);
        reshaped = reshaped || change == ConveyorNetworks::Change::Joined || change == ConveyorNetworks::Change::Split;
    };
    std::vector<SIM_ResourceConveyor*> tileless;
    for (SIM_ResourceConveyor* conveyor : m_laidSince)
    {
        if (conveyor->m_tile)
            update(conveyor->m_tile);
        else
            tileless.push_back(conveyor);
    }
    for (const SIM_Tile* tile : m_liftedSince)
        update(tile);
    // A new bay reaches the runs beside it.
    for (const SIM_Tile* tile : m_baysAddedSince)
    {
        changed = true;
        for (int d = 0; d < 4; ++d)
            if (const SIM_Tile* beside = tile ? factory->GetNeighbourTile(tile, d) : nullptr)
                m_runChanges.grownAt.push_back(beside);
    }
    m_laidSince.swap(tileless);
    m_liftedSince.clear();
    m_baysAddedSince.clear();
    if (changed)
        m_bayReachValid = false;
}

SIM_ResourceConveyorManager::RunChanges SIM_ResourceConveyorManager::TakeRunChanges(const SIM_Factory* factory)
{
    RefreshNetworks(factory);
    RunChanges changes;
    changes.whole = m_runChanges.whole;
    for (const SIM_Tile* tile : m_runChanges.grownAt)
    {
        const int32_t run = m_networks.Run(tile);
        if (run >= 0 && std::find(changes.grown.begin(), changes.grown.end(), run) == changes.grown.end())
            changes.grown.push_back(run);
    }
    m_runChanges = PendingRunChanges();
    return changes;
}

void SIM_ResourceConveyorManager::RefreshBayReach(const SIM_Factory* factory)
{
    RefreshNetworks(factory);
    if (!m_bayReachValid || m_bayReach.size() != m_bays.size())
        BuildBayReach(factory);
}

void SIM_ResourceConveyorManager::BuildBayReach(const SIM_Factory* factory)
{
    // The runs a search from each bay's tile can step onto: those of its four neighbours.
    m_bayReach.assign(m_bays.size(), {-1, -1, -1, -1});
    m_baysOfRun.clear();
    m_bayOnTile.clear();
    static const int kStep[4][2] = {{1, 0}, {0, 1}, {0, -1}, {-1, 0}};
    for (size_t i = 0; i < m_bays.size(); ++i)
    {
        const SIM_Tile* tile = m_bays[i] ? m_bays[i]->GetTile() : nullptr;
        if (!tile || !factory)
            continue;
        const auto index = static_cast<uint32_t>(i);
        m_bayOnTile[tile].push_back(index);
        for (int d = 0; d < 4; ++d)
        {
            const int32_t run =
                m_networks.Run(factory->GetTile(tile->m_gridX + kStep[d][0], tile->m_gridY + kStep[d][1]));
            m_bayReach[i][static_cast<size_t>(d)] = run;
            if (run < 0)
                continue;
            std::vector<uint32_t>& bays = m_baysOfRun[run];
            if (bays.empty() || bays.back() != index)
                bays.push_back(index);
        }
    }
    m_bayReachValid = true;
}

bool SIM_ResourceConveyorManager::MayReach(const SIM_Tile* start, const SIM_Tile* goal)
{
    if (!start || !goal)
        return false;
    if (start == goal)
        return true;
    const SIM_Factory* factory = goal->m_floor;
    const int32_t target = RunOf(goal);
    if (target < 0 || !factory)
        return false;
    // The search leaves the start tile whatever stands on it, onto its open conveyor neighbours.
    static const int kStep[4][2] = {{1, 0}, {0, 1}, {0, -1}, {-1, 0}};
    for (const auto& step : kStep)
        if (m_networks.Run(factory->GetTile(start->m_gridX + step[0], start->m_gridY + step[1])) == target)
            return true;
    return false;
}

void SIM_ResourceConveyorManager::UpdateBays()
{
    for (SIM_ResourceImportBay* bay : m_bays)
        bay->Update();
    // The flags objects set since the last step; on a big floor most pieces carry nothing, and
    // clearing every piece's flag cost a sixth of the frame.
    for (SIM_ResourceConveyor* conveyor : m_carrying)
    {
        conveyor->SetCarrying(false);
        conveyor->m_carryingIndex = -1;
    }
    m_carryingCleared += m_carrying.size();
    m_carrying.clear();
    m_carryingCount.store(0, std::memory_order_relaxed);
}

void SIM_ResourceConveyorManager::SetCarrying(SIM_ResourceConveyor* conveyor)
{
    if (!conveyor || conveyor->m_carryingIndex >= 0)
        return;
    conveyor->SetCarrying(true);
    conveyor->m_carryingIndex = static_cast<int32_t>(m_carrying.size());
    m_carrying.push_back(conveyor);
    m_carryingCount.store(static_cast<uint32_t>(m_carrying.size()), std::memory_order_relaxed);
}

void SIM_ResourceConveyorManager::ForgetCarrying(SIM_ResourceConveyor* conveyor)
{
    const int32_t at = conveyor ? conveyor->m_carryingIndex : -1;
    if (at < 0 || static_cast<size_t>(at) >= m_carrying.size() || m_carrying[static_cast<size_t>(at)] != conveyor)
        return;
    m_carrying[static_cast<size_t>(at)] = m_carrying.back();
    m_carrying[static_cast<size_t>(at)]->m_carryingIndex = at;
    m_carrying.pop_back();
    conveyor->m_carryingIndex = -1;
    m_carryingCount.store(static_cast<uint32_t>(m_carrying.size()), std::memory_order_relaxed);
}

void SIM_ResourceConveyorManager::AddImportBay(SIM_ResourceImportBay* bay)
{
    m_bayReachValid = false;
    if (!m_renumber && bay)
    {
        m_baysAddedSince.push_back(bay->GetTile());
        NotePieceChange();
    }
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
    ForgetCarrying(conveyor);
    if (!m_renumber && conveyor)
    {
        auto laid = std::find(m_laidSince.rbegin(), m_laidSince.rend(), conveyor);
        if (laid != m_laidSince.rend())
            m_laidSince.erase(std::next(laid).base());
        if (conveyor->m_tile)
            m_liftedSince.push_back(conveyor->m_tile);
        NotePieceChange();
    }
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
