// What the slot views share with the factory view and the slot info dialog: the name label shown
// this frame because the mouse is over its slot, the label of the slot whose dialog is open (both
// drawn once by the factory view, then cleared), and every production slot view. Main thread.
#pragma once

#include "engine/core/GRoster.h"

class GUI_ProductionSlot;
class SlotTextLabel;

struct GUISlotList
{
    SlotTextLabel* hovered = nullptr;            // not owned
    SlotTextLabel* selected = nullptr;           // not owned
    GRoster<GUI_ProductionSlot> productionSlots; // not owned; facilities are not listed

    static GUISlotList& Instance();
};
