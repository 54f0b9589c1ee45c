// What the factory view needs to know of the tools that act on the floor, and the screens it opens
// from a click. The factory view owns these: it hands them to the placement tools (which set the
// flags), to its slot views through their roll, and to the floor's clicks; the in-game screens
// fill in the hooks through the view, since the view sits below the screens. Without the in-game
// mode (tests, tools) everything reads "not armed" and a click opens nothing. Main thread.
#pragma once

#include <functional>

class GUI_Facility;
class GUI_ProductionSlot;
class SIM_BuildingZone;
class SIM_PlaceableSlot;
class SIM_SupplyStockpile;
class SIM_Vehicle;

struct GUI_FactoryTools
{
    // The overhead-conveyor tool is armed (a click lays conveyors, not drags the camera).
    bool conveyorPlacerArmed = false;
    // The overhead-conveyor tool shows the conveyor view: zone floors plain, stockpiles and
    // conveyor arms marked, the scene through "conveyor_mode.fx".
    bool conveyorMode = false;
    // The slot-chain tool is armed.
    bool slotChainArmed = false;
    // The delete tool is on: a left click on the floor removes what stands there.
    bool deleteMode = false;

    // Screens a click on the floor opens; the in-game mode fills these in when it starts.
    std::function<void(GUI_ProductionSlot&)> openSlotTooltip;
    std::function<void(SIM_BuildingZone&)> showExpansionDialog;
    std::function<void(SIM_Vehicle&)> showVehicleDetails;
    std::function<void(GUI_Facility&)> showResearchPopup;
    std::function<void(GUI_Facility&)> showFacilityDialog;
    std::function<void(SIM_SupplyStockpile&)> openSupplyStockpile;
    // Closes the slot info dialog when it shows this slot (its view is going).
    std::function<void(GUI_ProductionSlot&)> closeSlotTooltipOf;
    // Closes the supply-stockpile dialog when it shows this stockpile (its view is going).
    std::function<void(SIM_SupplyStockpile&)> closeSupplyStockpileOf;
    // The open slot info dialog reads its slot again when it shows this slot (null: whichever it
    // shows); its stockpile changed, an upgrade was bought or a sub-task finished.
    std::function<void(SIM_PlaceableSlot*)> refreshSlotTooltip;
    // True while a savegame is being read (the reader's loading flag); null reads false.
    std::function<bool()> isLoadingSave;

    // Everything off and every screen hook empty (leaving the game, tests).
    void Reset() { *this = GUI_FactoryTools(); }
};
