// The tool with which the player builds a production slot: armed with a production task, it shows
// a ghost of the slot at the tile under the mouse, green where it may stand and red where not,
// with arrows on the neighbours it would take from and hand to; R and the middle button turn it,
// a left click builds and pays for it, Escape and the right button drop it. Conveyor tasks stay
// armed after each click so belts can be laid one after another. Main thread.
#pragma once

#include "gui/factory/placement/GUI_SlotPlacerBase.h"

class SIM_ProductionSlot;
class SIM_ProductionTask;

class GUI_SlotPlacer : public GUI_SlotPlacerBase
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_SlotPlacer& Instance();

    // Arms the tool with a production task (a slot waiting to be placed is dropped first).
    void Start(const SIM_ProductionTask* task);
    // With a slot waiting: the next facing, and the rotate sound.
    void Rotate() override;
    // The anchor lies in an open zone (an importer only on an import site, an export only on an
    // export site), and no footprint tile on the floor is taken.
    bool CanPlaceAt(const SIM_Tile* anchor, const SIM_BaseTask& task) const override;
    // Every frame: the ghost at the mouse in the colour of IsGhostValid, then the arrows.
    void Update();
    // Left click: builds the slot when it may stand there and the cash covers it. True when the
    // tool had a slot waiting (the click is the tool's, built or not).
    bool OnClick();
    // Builds the waiting slot at the anchor and clears it.
    SIM_ProductionSlot* Place(SIM_Tile* anchor);

    // The ghost's colour: the slot may stand there, meets its neighbours' inputs and exits, has
    // its required sub-tasks fed to it and every footprint tile is free. An importer or export
    // takes the facing the floor gives it (GetShownFacing).
    bool IsGhostValid(const SIM_Tile* anchor) const;
    // The facing the ghost and the placement use at the anchor.
    int GetShownFacing(const SIM_Tile* anchor) const;
    const SIM_ProductionTask* GetPendingProductionTask() const;

private:
    GUI_SlotPlacer() = default;
    // An arrow on the neighbour in a direction, pointing in another, in the validity colour.
    void DrawDirectionArrow(const SIM_Tile* tile, int direction, bool valid) const;
    void DrawDirectionArrows(const SIM_Tile* anchor, bool valid) const;
};
