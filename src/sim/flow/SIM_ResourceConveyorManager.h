// Owns every overhead conveyor and every import bay of the floor and answers which import bay
// serves a stockpile best.
#pragma once
#include "sim/SIM_IndexedList.h"
#include "sim/flow/ConveyorNetworks.h"
#include "sim/flow/SIM_ResourceConveyor.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class SIM_Factory;
class SIM_Tile;
class SIM_ResourceImportBay;

class SIM_ResourceConveyorManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // Every conveyor piece, in order of creation, owned; a piece knows its own place in it.
    using ConveyorList = SIM_IndexedList<SIM_ResourceConveyor, &SIM_ResourceConveyor::m_listIndex, SIM_Holding::Owns>;

    static SIM_ResourceConveyorManager& Instance();

    // A new conveyor (only side 1 connected, no tile, no facing) appended to the list; the caller
    // sets its tile and facing and the tile's conveyor. The manager owns it.
    SIM_ResourceConveyor* CreateConveyor();
    // A new import bay on the tile, appended to the bay list. The manager owns it.
    SIM_ResourceImportBay* CreateImportBay(SIM_Tile* tile);
    // Deletes one conveyor or import bay of the lists (the placement operations take them up); a
    // conveyor in constant time.
    void DestroyConveyor(SIM_ResourceConveyor* conveyor);
    void DestroyImportBay(SIM_ResourceImportBay* bay);
    // Destroys every conveyor, then every import bay.
    void Clear();
    // The import bay standing on the tile, or null.
    SIM_ResourceImportBay* GetImportBayOn(const SIM_Tile* tile) const;
    // Main thread. The bay with the shortest route (tiles + 4 per queued object) to the goal, or
    // null; it searches as long as the answer takes.
    SIM_ResourceImportBay* FindNearestImportBay(SIM_Tile* goal);
    // Main thread. The same within the open share of route searching (see RouteSearchShare):
    // false, with `nearest` untouched, when the share cannot hold a search the answer still
    // takes. What was measured is kept, so asking again at a later frame goes on from there. A
    // new game, a load and every conveyor edit send stockpiles looking for their bay at once:
    // shared out, no frame pays for all.
    bool TryFindNearestImportBay(SIM_Tile* goal, SIM_ResourceImportBay*& nearest);
    // The per-tick import of every bay, then the conveyors' carrying flags are cleared: only those
    // that objects set since, not every piece of the floor.
    void UpdateBays();
    // Main thread. An object passes over the piece: its carrying flag is set until the next
    // UpdateBays, which finds it among the pieces noted here.
    void SetCarrying(SIM_ResourceConveyor* conveyor);
    // Any thread (the power job reads it while objects move): how many pieces carry an object.
    uint32_t CarryingCount() const { return m_carryingCount.load(std::memory_order_relaxed); }
    // Carrying flags UpdateBays has cleared, for tests that check a frame's work follows what
    // moves, not the floor's size.
    uint64_t CarryingCleared() const { return m_carryingCleared; }

    const ConveyorList& Conveyors() const { return m_conveyors; }
    const std::vector<SIM_ResourceImportBay*>& ImportBays() const { return m_bays; }

    // Main thread. False when no resource route can lead from start to goal because no run of
    // open conveyor tiles joins them; true when one may (the route search still decides).
    bool MayReach(const SIM_Tile* start, const SIM_Tile* goal);

    // What the runs of joined conveyor tiles went through since the last TakeRunChanges: the runs
    // that were joined together or gained a bay beside them, whose stations may have a nearer bay
    // now, as they are numbered now; `whole` when the whole floor was numbered anew.
    struct RunChanges
    {
        bool whole = false;
        std::vector<int32_t> grown;
    };
    // Main thread. Brings the runs up to date with the pieces laid and taken up since they were
    // last worked out (around those pieces only, unless they are many or a zone opened) and hands
    // over what changed.
    RunChanges TakeRunChanges(const SIM_Factory* factory);
    // Main thread. The run of joined, open conveyor tiles the tile belongs to, -1 for none.
    int32_t RunOf(const SIM_Tile* tile);
    ConveyorNetworks::Work& RunWork() { return m_networks.WorkDone(); }

private:
    // The manager lists the bays it makes and takes them off before it destroys them.
    void AddImportBay(SIM_ResourceImportBay* bay);
    void RemoveImportBay(SIM_ResourceImportBay* bay);

    SIM_ResourceConveyorManager() = default;
    ~SIM_ResourceConveyorManager();

    // The nearest-bay search, limited to the frame's share of searching or not.
    bool Nearest(SIM_Tile* goal, bool limited, SIM_ResourceImportBay*& result);
    // A bay the nearest-bay search may try: the lowest score it could have, and its list order.
    struct Candidate
    {
        size_t bound;
        size_t order;
        SIM_ResourceImportBay* bay;
    };
    // The search's own lists, kept from call to call.
    std::vector<Candidate> m_candidateHeap;
    std::vector<Candidate> m_candidatesInOrder;

    // Brings the numbering of the runs up to date with the floor: around the pieces laid and
    // taken up since, or the whole floor when it is another floor, a zone opened or the pieces
    // are many.
    void RefreshNetworks(const SIM_Factory* factory);
    // The runs each bay (in list order) can send onto, and the bays that can send onto each run,
    // worked out again when the runs or the bays change.
    void RefreshBayReach(const SIM_Factory* factory);
    // The same from the runs as they are numbered now.
    void BuildBayReach(const SIM_Factory* factory);
    // Pieces laid and taken up since the runs were last worked out; past this many the whole floor
    // is numbered again, which a load's thousands of pieces cost less than one by one.
    static constexpr size_t kMostPiecesOneByOne = 1024;
    void NotePieceChange();
    // Forgets the pieces noted since the runs were worked out (the runs are numbered whole).
    void ForgetPieces();

    ConveyorList m_conveyors;
    // In order of creation; each bay leaves the list in its destructor.
    std::vector<SIM_ResourceImportBay*> m_bays;
    // The same bays, owned.
    std::vector<std::unique_ptr<SIM_ResourceImportBay>> m_ownedBays;
    // The runs of the floor; numbered anew when m_renumber is set, the floor is another or a zone
    // opened since (the unlock count it was numbered at).
    ConveyorNetworks m_networks;
    bool m_renumber = true;
    uint64_t m_networksZones = 0;
    // Pieces laid (their tiles are read when the runs are brought up to date; a piece has none
    // while it is being laid) and tiles whose piece went, since the runs were worked out; the
    // tiles of bays added since.
    std::vector<SIM_ResourceConveyor*> m_laidSince;
    std::vector<const SIM_Tile*> m_liftedSince;
    std::vector<const SIM_Tile*> m_baysAddedSince;
    // What TakeRunChanges hands over next: tiles of the runs that grew (numbered when taken, as
    // runs may join meanwhile), and whether every run may have changed.
    struct PendingRunChanges
    {
        bool whole = false;
        std::vector<const SIM_Tile*> grownAt;
    };
    PendingRunChanges m_runChanges;
    // Per bay: the runs of its four neighbours; per run: the bays reaching it, in list order; the
    // bay standing on a tile.
    std::vector<std::array<int32_t, 4>> m_bayReach;
    std::unordered_map<int32_t, std::vector<uint32_t>> m_baysOfRun;
    std::unordered_map<const SIM_Tile*, std::vector<uint32_t>> m_bayOnTile;
    bool m_bayReachValid = false;
    // The pieces whose carrying flag is set, each knowing its place here, and how many they are.
    std::vector<SIM_ResourceConveyor*> m_carrying;
    std::atomic<uint32_t> m_carryingCount{0};
    uint64_t m_carryingCleared = 0;
    // Takes the piece off the carrying list (a piece taken up while it carried).
    void ForgetCarrying(SIM_ResourceConveyor* conveyor);
};
