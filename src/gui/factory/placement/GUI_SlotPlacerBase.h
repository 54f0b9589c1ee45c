// What the two tools that put a footprint of several tiles on the floor share: the slot placer and
// the facility placer. It holds the facing and the slot waiting to be placed, turns a task's tile
// layout by the facing, answers whether a footprint fits, draws the ghost props of a footprint and
// commits a placement: the simulation occupies the tiles and pays, and the factory view (as its
// presentation listener) adds the props, floors, label, sparkles, sound and floating cost.
// Main thread.
#pragma once

#include "sim/slots/SIM_PlaceableSlot.h"

#include <memory>
#include <string>

class SIM_BaseTask;
class SIM_Tile;
struct FactoryFrameView;
struct GhostColour;
struct TaskPropDef;
struct TaskTileDef;

class GUI_SlotPlacerBase
{
public:
    GUI_SlotPlacerBase() = default;
    virtual ~GUI_SlotPlacerBase();
    GUI_SlotPlacerBase(const GUI_SlotPlacerBase&) = delete;
    GUI_SlotPlacerBase& operator=(const GUI_SlotPlacerBase&) = delete;

    // Facings are the floor's directions 0..3: 0 is the tile at (x, y-1), 1 (x+1, y), 2 (x, y+1),
    // 3 (x-1, y). A task's layout offsets are written for facing 1.
    int GetFacing() const { return m_facing; }
    // The savegame reader sets the saved facing before it commits a saved slot.
    void SetFacing(int facing) { m_facing = ((facing % 4) + 4) % 4; }
    // facing = facing + 1 modulo 4.
    virtual void Rotate();
    // Whether no footprint tile on the floor is built on or outside every zone; tiles off the
    // floor are not tested, so a ghost may hang over the edge.
    virtual bool CanPlaceAt(const SIM_Tile* anchor, const SIM_BaseTask& task) const;

    // The tile under one layout entry for the anchor and the placer's facing; null off the floor.
    SIM_Tile* GetLayoutTile(const TaskTileDef& def, const SIM_Tile* anchor) const;
    // The layout entry's tile exists, is not built on and lies in an open zone.
    bool IsLayoutTileFree(const TaskTileDef& def, const SIM_Tile* anchor) const;
    // Whether a click may build the footprint: the anchor and every layout tile are on the floor,
    // free and open.
    bool IsFootprintFree(const SIM_BaseTask& task, const SIM_Tile* anchor) const;
    // The props of one layout entry drawn once on the tile in the colour, at the placer's facing
    // (an import door faces away from the outside wall instead).
    void DrawGhostProps(const TaskTileDef& def, SIM_Tile* tile, const GhostColour& colour,
                        const FactoryFrameView& view) const;
    // The facing a prop of the layout takes on the tile: the placer's, except for the import door.
    int GhostPropFacing(const TaskPropDef& prop, const SIM_Tile* tile) const;

    // Puts the slot on the floor at the anchor with the placer's facing: the simulation occupies,
    // pays and rebuilds (loading: the savegame reader; nothing paid, shown or heard) and the view
    // reacts through the presentation listener. The placed slot, or null (the slot deleted) when
    // the footprint no longer fits.
    SIM_PlaceableSlot* CommitPlacement(std::unique_ptr<SIM_PlaceableSlot> slot, SIM_Tile* anchor, bool loading);

    // Whether a slot waits to be placed (none when the tool is not armed).
    bool HasPending() const { return m_pending != nullptr; }
    const SIM_BaseTask* GetPendingTask() const;
    // Drops the waiting slot; it was never on the floor, so nothing else changes.
    void Cancel() { m_pending.reset(); }

protected:
    // Builds the waiting slot of the task, dropping one still waiting (so no slot is left behind
    // half made), and hands it the placer's facing.
    void Arm(const SIM_BaseTask* task);
    // The waiting slot's ghost quads and props at the anchor: a quad per layout tile on the floor
    // with the entry's picture (for conveyor tiles the task's picture for the facing, when
    // conveyorPictures holds the four), each followed by its props, or, with propsLast, every
    // quad first so no quad covers a prop.
    void DrawFootprint(const SIM_BaseTask& task, SIM_Tile* anchor, const GhostColour& colour,
                       const std::string* conveyorPictures, bool propsLast) const;
    // The tile the mouse points at, or null.
    static SIM_Tile* TileUnderMouse();

    int m_facing = 1;
    std::unique_ptr<SIM_PlaceableSlot> m_pending;
};
