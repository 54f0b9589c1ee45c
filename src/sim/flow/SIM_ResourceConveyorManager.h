// Owns every overhead conveyor and every import bay of the floor and answers which import bay
// serves a stockpile best.
#pragma once
#include "sim/SIM_IndexedList.h"
#include "sim/flow/SIM_ResourceConveyor.h"

#include <cstdint>
#include <memory>
#include <vector>

class SIM_Factory;
class SIM_Tile;
class SIM_ResourceImportBay;

class SIM_ResourceConveyorManager
{
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
    // The bay with the shortest route (tiles + 4 per queued object) to the goal, or null.
    SIM_ResourceImportBay* FindNearestImportBay(SIM_Tile* goal);
    // The per-tick import of every bay, then the conveyors' carrying flags are cleared.
    void UpdateBays();

    const ConveyorList& Conveyors() const { return m_conveyors; }
    const std::vector<SIM_ResourceImportBay*>& ImportBays() const { return m_bays; }

    // Main thread. False when no resource route can lead from start to goal because no run of
    // open conveyor tiles joins them; true when one may (the route search still decides).
    bool MayReach(const SIM_Tile* start, const SIM_Tile* goal);
    // Any thread: conveyors, zones or the route cache changed, so the runs of conveyors are
    // worked out again when next asked.
    static void NoteFloorChanged();

    // Called by the bay constructor and destructor.
    void AddImportBay(SIM_ResourceImportBay* bay);
    void RemoveImportBay(SIM_ResourceImportBay* bay);

private:
    SIM_ResourceConveyorManager() = default;
    ~SIM_ResourceConveyorManager();

    // Numbers every run of joined, open conveyor tiles of the floor, when the floor has changed.
    void RefreshNetworks();
    int32_t NetworkOf(const SIM_Tile* tile) const;

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
};
