// Owns every overhead conveyor and every import bay of the floor and answers which import bay
// serves a stockpile best.
#pragma once
#include "sim/SIM_IndexedList.h"
#include "sim/flow/SIM_ResourceConveyor.h"

#include <array>
#include <cstdint>
#include <memory>
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
    // Main thread. The same within the frame's share of route searching: false, with `nearest`
    // untouched, when the share was spent before the answer was known. What was measured is
    // kept, so asking again at a later frame goes on from there.
    bool TryFindNearestImportBay(SIM_Tile* goal, SIM_ResourceImportBay*& nearest);
    // Main thread. The simulation step opens a frame's share of route searching and closes it
    // again; outside a step the search is not limited. A new game, a load and every conveyor
    // edit send every stockpile looking for its bay at once: shared out, no frame pays for all.
    void OpenFrameBudget();
    void CloseFrameBudget();
    // Nodes the route searches of one frame may expand before nearest-bay searches wait.
    static constexpr uint64_t kSearchWorkPerFrame = 12000;
    // The per-tick import of every bay, then the conveyors' carrying flags are cleared.
    void UpdateBays();

    const ConveyorList& Conveyors() const { return m_conveyors; }
    const std::vector<SIM_ResourceImportBay*>& ImportBays() const { return m_bays; }

    // Main thread. False when no resource route can lead from start to goal because no run of
    // open conveyor tiles joins them; true when one may (the route search still decides).
    bool MayReach(const SIM_Tile* start, const SIM_Tile* goal);

private:
    // The manager lists the bays it makes and takes them off before it destroys them.
    void AddImportBay(SIM_ResourceImportBay* bay);
    void RemoveImportBay(SIM_ResourceImportBay* bay);

    SIM_ResourceConveyorManager() = default;
    ~SIM_ResourceConveyorManager();

    // The nearest-bay search, limited to the frame's share of searching or not.
    bool Nearest(SIM_Tile* goal, bool limited, SIM_ResourceImportBay*& result);
    bool BudgetSpent() const;

    // Numbers every run of joined, open conveyor tiles of the floor, when the floor has changed.
    void RefreshNetworks(const SIM_Factory* factory);
    int32_t NetworkOf(const SIM_Tile* tile) const;
    // The runs each bay (in list order) can send onto, worked out again when the runs or the
    // bays change.
    void RefreshBayReach(const SIM_Factory* factory);

    ConveyorList m_conveyors;
    // In order of creation; each bay leaves the list in its destructor.
    std::vector<SIM_ResourceImportBay*> m_bays;
    // The same bays, owned.
    std::vector<std::unique_ptr<SIM_ResourceImportBay>> m_ownedBays;
    // The run each tile belongs to (by the factory's tile index), -1 for a tile without an open
    // conveyor; valid for the factory and floor version it was made for.
    std::vector<int32_t> m_networks;
    const SIM_Factory* m_networksFactory = nullptr;
    uint64_t m_networksVersion = 0;
    std::vector<std::array<int32_t, 4>> m_bayReach;
    bool m_bayReachValid = false;
    // The search work done when the frame's share was opened; no share outside a frame.
    bool m_budgetOpen = false;
    uint64_t m_budgetStart = 0;
};
