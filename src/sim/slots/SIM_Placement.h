// The one way the factory floor changes: slots and facilities placed and removed, an importer's
// import bay finished, overhead conveyor pieces laid and taken up, conveyor-task slots laid along
// a dragged chain, upgrades bought for a slot. The placement tools, the
// savegame reader and the tests all call these; each occupies or frees the tiles, sets the task
// and hires the staff, pays or refunds unless loading, keeps the routes and nearest import bays
// right, and tells the view through the presentation listener, which adds only its own reaction
// (props, floating values, sounds, sparkles). Main thread; never while the worker jobs of a frame
// run.
#pragma once
#include <memory>
#include <vector>

class SIM_BaseTask;
class SIM_PlaceableSlot;
class SIM_ProductionSlot;
class SIM_ProductionTask;
class SIM_ResourceConveyor;
class SIM_ResourceImportBay;
class SIM_SlotUpgrade;
class SIM_Tile;

class SIM_Placement
{
public:
    // A new, unplaced slot of the right class for the task: a production task gives a
    // SIM_ProductionSlot; a facility gives a SIM_PowerplantSlot, a SIM_SupplyStockpile or a plain
    // SIM_FacilitySlot by its class (or, failing that, its name). The slot knows its task (for the
    // ghost) but has no tiles, no staff and is not in the list of placed slots. The caller owns it
    // until PlaceSlot takes it. Null for a null task.
    static std::unique_ptr<SIM_PlaceableSlot> CreateSlot(const SIM_BaseTask* task);

    // Puts the slot on the floor with its anchor tile and facing. In this order: a conveyor-task
    // slot still on the anchor is removed (not when loading); the slot takes the anchor and its
    // task again (sub-tasks, upgrades, staff); an importer gets its conveyor piece and import bay
    // (FinishImportBay); every footprint tile is occupied and built on (stockpile and export tiles
    // get the slot's stockpiles); unless loading the cost is paid as capital investment (the game
    // is over when that leaves no cash), the cost is shown and the placement sound plays; the
    // slot takes the facing and lays out its places; unless loading, sparkles on its tiles.
    // An importer or export takes the facing GetPlacementFacing gives, unless loading.
    // The list of placed slots owns the slot from here on; the returned pointer stays valid until
    // RemoveSlot. Null, with the slot deleted and nothing changed, when the slot has no task, the
    // anchor is null or a footprint tile is off the floor or held by another slot: the tools ask
    // SIM_PlacementQueries first, the savegame reader gets null for a slot that no longer fits.
    // loading: the savegame reader rebuilds a saved game; nothing is paid, shown or heard.
    static SIM_PlaceableSlot* PlaceSlot(std::unique_ptr<SIM_PlaceableSlot> slot, SIM_Tile* anchor, int facing,
                                        bool loading);
    // CreateSlot and PlaceSlot in one.
    static SIM_PlaceableSlot* PlaceTask(const SIM_BaseTask* task, SIM_Tile* anchor, int facing, bool loading);

    // The import bay of an importer slot on its anchor tile, with the conveyor piece under it (a
    // piece already on the tile is kept). Unless loading, the production slots look for their
    // nearest bay again. PlaceSlot calls this for an importer; null for any other slot. The bay
    // already on the tile when there is one.
    static SIM_ResourceImportBay* FinishImportBay(SIM_ProductionSlot& slot, bool loading);

    // Takes the slot off the floor and deletes it: its tiles are freed, its staff dismissed and
    // its car taken away; unless silent the placement sound plays. With refund the cash gets the
    // constants' SLOT_REFUND_PERCENTAGE of the task's cost (not booked as income) and the view
    // shows it rising from refundAt (the tile the player sold it from), or from the anchor when
    // that is null. Returns the refund.
    static float RemoveSlot(SIM_PlaceableSlot* slot, bool silent, bool refund, SIM_Tile* refundAt = nullptr);
    // What the player's delete click on a tile does: the tile's conveyor piece goes (with its
    // import bay, if any) when conveyorFirst is set or no slot covers the tile; otherwise the
    // slot covering the tile is sold. Refunds as RemoveSlot, shown rising from the tile. False when
    // there was nothing to remove.
    static bool RemoveAt(SIM_Tile* tile, bool conveyorFirst);

    // One conveyor piece on the tile, facing as given (SIM_ResourceConveyor::kNoFacing for none);
    // unless loading its GetConveyorTileCost is paid as capital investment, shown and sparkled.
    // The tile's piece when it already has one (nothing paid); null for a null tile. Call
    // ConveyorsChanged once the pieces of one action are down.
    static SIM_ResourceConveyor* LayConveyor(SIM_Tile* tile, int facing, bool loading);
    // The conveyor tool's drag: a piece on every path tile without one, the placement sound once,
    // then ConveyorsChanged. Returns how many pieces were laid.
    static int LayConveyorPath(const std::vector<SIM_Tile*>& path);
    // Takes the tile's conveyor piece up (and the import bay on it), with the refund of its cost;
    // routes are searched again. False when the tile has no piece.
    static bool RemoveConveyor(SIM_Tile* tile, bool refund);
    // Buys the upgrade for the slot: installs it, pays and books its cost as capital investment,
    // places its props and recomputes the slot (a production slot also what it needs).
    static void PurchaseForSlot(SIM_SlotUpgrade& upgrade, SIM_PlaceableSlot* slot);
    // Puts the upgrade's props on the slot's tiles (also when a savegame reinstalls it).
    static void PlaceProps(const SIM_SlotUpgrade& upgrade, SIM_PlaceableSlot* slot);
    // Conveyors were laid or taken up: every piece reconnects to its neighbours, every route is
    // searched again and the production slots look for their nearest bay again.
    static void ConveyorsChanged();
    // The same after the pieces on these tiles were laid or taken up: only the pieces beside them
    // reconnect, and only the routes whose search looked at one of them are searched again.
    static void ConveyorsChangedAt(const std::vector<SIM_Tile*>& tiles);

    // The slot-chain tool's drag: along the path a conveyor-task slot on every free tile, its task
    // and facing following the bends (SIM_PlacementQueries::GetChainPiece), each paid as capital
    // investment. Each end joins what it was dragged from or to (JoinChainEnd): it takes the piece
    // that meets the neighbouring station or line, and an end that was already a conveyor slot,
    // or a line's loose end beside it, is rebuilt to meet the chain and paid again, keeping every
    // side its neighbours use (a merge where the chain ends on a line's side, a split where it
    // starts from one); an end no piece can join that way stays as it was. Other conveyor slots
    // the chain runs into are rebuilt with a task that joins the chain. mouseFacing decides a
    // one-tile chain that joins nothing. Returns how many slots were built or rebuilt.
    static int PlaceChain(const std::vector<SIM_Tile*>& path, int mouseFacing);
    // One conveyor-task slot of a chain on a free tile (no layout props, no label): paid unless
    // loading. Null when the tile is null or held.
    static SIM_ProductionSlot* PlaceChainSlot(const SIM_ProductionTask* task, SIM_Tile* tile, int facing, bool loading);
    // The conveyor-task slot on the tile taken away silently and built anew with this task and
    // facing, paid again; a car riding it stays on the new piece. Null (nothing changed) when the
    // tile holds no production slot.
    static SIM_ProductionSlot* RebuildChainSlot(SIM_Tile* tile, const SIM_ProductionTask* task, int facing);

    // The savegame reader's last step: conveyors reconnect, routes and nearest bays are found anew.
    static void FinishLoading();
};
