// What the placement tools ask before they build: whether a footprint fits, whether a slot may
// stand on a tile and meets its neighbours, which facing an import bay or an export must take,
// which conveyor task joins a chain. Every query only reads the floor; none changes anything, so
// the tools may ask them every frame for their green or red ghosts. Main thread.
#pragma once
#include <string>
#include <vector>

class SIM_BaseTask;
class SIM_PlaceableSlot;
class SIM_ProductionSlot;
class SIM_ProductionTask;
class SIM_Tile;
struct TaskTileDef;

class SIM_PlacementQueries
{
public:
    // Facings are the floor's directions 0..3: 0 is the tile at (x, y-1), 1 (x+1, y), 2 (x, y+1),
    // 3 (x-1, y). A task's footprint offsets are written for facing 1.

    // ---- footprints ----
    // The tile under one footprint entry for a slot anchored at anchor with this facing; null
    // when it lies off the floor.
    static SIM_Tile* GetLayoutTile(const TaskTileDef& def, const SIM_Tile* anchor, int facing);
    // The footprint entry's tile exists, is not built on and lies in an open building zone.
    static bool IsLayoutTileFree(const TaskTileDef& def, const SIM_Tile* anchor, int facing);
    // No footprint tile on the floor is built on or outside every building zone. Entries off the
    // floor are not tested (the ghost may hang over the edge; IsFootprintFree then says no).
    static bool CanPlaceAt(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing);
    // Whether the footprint may be built now: the anchor and every footprint tile lie on the floor,
    // are not built on and are open (IsLayoutTileFree).
    static bool IsFootprintFree(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing);
    // The cash covers the task's construction cost: at least the cost, so cash equal to it will
    // do. The one rule of affordability; a slot's own CanAfford asks it for its task.
    static bool CanAfford(const SIM_BaseTask& task);

    // ---- production slots ----
    // The facing a slot of this task takes on the anchor: an importer faces into the factory and
    // an export out of it whatever the player turned; any other task keeps the given facing.
    static int GetPlacementFacing(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing);
    static int GetImporterFacing(const SIM_Tile* tile);
    static int GetExportFacing(const SIM_Tile* tile);
    // The anchor is inside a building zone; an importer stands only on an import site and an
    // export only on an export site of the mission; then CanPlaceAt.
    static bool CanPlaceSlotAt(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing);
    // Every neighbouring production slot that an input of the new slot meets has an exit leading
    // back to the anchor (ExitsConnect is the mirror). Empty tiles and facilities are not tested.
    static bool InputsConnect(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing);
    static bool ExitsConnect(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing);
    // Every sub-task the task requires is applied by some station up the line that feeds the
    // anchor, looking through conveyors and through stations that apply something else (at most
    // 64 slots deep). A task that requires nothing, or a tile no station feeds, passes.
    static bool CheckRequiredSubTasks(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing);
    // The slot placer's ghost colour: green when all of the above hold, the anchor is open and
    // every footprint tile is free (facing as GetPlacementFacing gives it).
    static bool IsSlotGhostValid(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing);
    // Whether a click places the slot: CanPlaceSlotAt, CheckRequiredSubTasks, IsFootprintFree and
    // CanAfford. Neighbours whose directions do not meet do not stop a click.
    static bool CanPlaceSlotNow(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing);

    // ---- facilities ----
    // Whether the facility fits: IsFootprintFree. The ghost is green exactly when this holds.
    static bool IsFacilityGhostValid(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing);
    // Whether a click places the facility: IsFacilityGhostValid and CanAfford.
    static bool CanPlaceFacilityNow(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing);

    // ---- overhead conveyors ----
    // What one conveyor piece on the tile costs: the conveyor task's cost, times the occupied-tile
    // multiplier of the constants when a slot covers the tile.
    static float GetConveyorTileCost(const SIM_Tile* tile);

    // ---- slot chains (conveyor-task slots along a dragged path) ----
    // Directions of a placed production slot's inputs and exits, each offset turned by its facing.
    static std::vector<int> GetInputDirections(const SIM_ProductionSlot& slot);
    static std::vector<int> GetExitDirections(const SIM_ProductionSlot& slot);
    // The first conveyor task, in the task manager's order, with exactly as many inputs and exits
    // as the two sets and a facing 0..3 that turns every input into the input set and every exit
    // into the exit set. False when none does.
    static bool FindConveyorTask(const std::vector<int>& inputs, const std::vector<int>& exits,
                                 const SIM_ProductionTask*& task, int& facing);
    // The conveyor task and facing that join the tile to the production slots around it: a
    // neighbour that takes input from the tile is an exit, one whose exit points at the tile an
    // input. False (outputs untouched) when no neighbour meets the tile or no task fits.
    static bool AutoConnect(const SIM_Tile* tile, const SIM_ProductionTask*& task, int& facing);
    // Whether the conveyor slot could be rebuilt to take the chain too: its directions plus the
    // chain's direction (as an exit on the first tile of the chain, else as an input) fit a task.
    static bool CanExtendConveyor(int direction, const SIM_ProductionSlot& slot, bool firstTile);
    // How one end of a dragged chain (of two tiles or more) meets what stands around it: the
    // piece the end takes, and a neighbouring conveyor slot that turns to meet it.
    struct ChainEndJoin
    {
        const SIM_ProductionTask* task = nullptr;
        int facing = 0;
        // A conveyor slot whose own end led nowhere, rebuilt with turnedTask and turnedFacing to
        // hand cars to the chain's first tile or take them from its last; null when none turns.
        SIM_Tile* turned = nullptr;
        const SIM_ProductionTask* turnedTask = nullptr;
        int turnedFacing = 0;
    };
    // The end at index (0 or the last) keeps its side toward the chain. An end that already holds a
    // conveyor slot also keeps every side its neighbours use, so the line it belongs to goes on
    // working; when those sides bring cars in (first tile) or take them on (last tile), they and the
    // chain's side are the whole piece: a split where the chain starts from a line's side, a merge
    // where it ends on one. Otherwise the end takes its other side from its neighbours: for the first
    // tile a slot whose exit leads into it, for the last one that takes its input from it (straight on
    // first, then by direction); failing that, a conveyor slot off the path whose exit feeds nothing
    // (first tile) or whose input nothing feeds (last tile) and that a conveyor task can turn toward
    // the end; failing that, a conveyor slot on the end keeps its own sides as well. False when
    // nothing around the end can join it, or the task data has no piece for the join: a slot on the
    // end then stays as it was.
    static bool JoinChainEnd(const std::vector<SIM_Tile*>& path, size_t index, ChainEndJoin& join);
    // The conveyor task name and facing of tile index of a dragged path of count tiles whose
    // neighbours on the path lie in directions in (from the previous tile; 4 for the first) and
    // out (to the next; 4 for the last). A one-tile path uses AutoConnect, else mouseFacing.
    static void GetChainPiece(const std::vector<SIM_Tile*>& path, size_t index, int mouseFacing, std::string& taskName,
                              int& facing);
};
