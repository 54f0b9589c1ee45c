// The tool that places facilities (power plants, research offices, supply stockpiles and the
// rest) the way the slot placer places production slots, with fewer rules: no neighbour
// connections, no sub-task requirements, no arrows and no rotate sound. Main thread.
#pragma once

#include "gui/factory/placement/GUI_SlotPlacerBase.h"

class SIM_FacilityTask;

class GUI_FacilityPlacer : public GUI_SlotPlacerBase
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_FacilityPlacer& Instance();

    // Arms the tool with a facility of the class the task names (a facility still waiting is
    // dropped first).
    void Start(const SIM_FacilityTask* task);
    // With a facility waiting: the next facing (no sound).
    void Rotate() override;
    // Every frame: the ghost at the mouse, green when IsGhostValid.
    void DrawGhost();
    // Left click: builds the facility when the footprint is free and the cash covers it. True when
    // a facility was waiting.
    bool OnClick();
    // Builds the waiting facility at the anchor and clears it.
    SIM_PlaceableSlot* Place(SIM_Tile* anchor);
    // No footprint tile taken, the anchor open and every footprint tile on the floor and free: a
    // footprint hanging over the edge shows red, as it cannot be built.
    bool IsGhostValid(const SIM_Tile* anchor) const;

private:
    GUI_FacilityPlacer() = default;
};
