// What the simulation asks of whatever shows it (the factory view, the screens, the sound).
// Headless nothing is attached and every call does nothing; the view and screens fill it in later.
// Calls are grouped by the part of the simulation that makes them; each group is extended
// by the code that needs it. Every operation has a do-nothing default.
#pragma once

#include <string>

class SIM_PlaceableSlot;
class SIM_ResourceConveyor;
class SIM_Researchable;
class SIM_Tile;
struct SIM_AtlasEntry;
struct SlotUpgradeProp;
class SIM_ResourceObject;
class SIM_ResourceObjectView;
class SIM_ResourceImportBay;
class SIM_ImportBayView;
class SIM_ConveyorLabelView;
class SIM_ResourceStockpile;
class SIM_ComponentStockpile;
class SIM_StockpileView;
class SIM_CarComponentView;
class SIM_CarNotice;
class SIM_CarView;
class SIM_Resource;
class SIM_SlotNotice;
class SIM_Vehicle;
class SIM_VehicleComponent;
class SIM_VehicleDesign;

class SIM_PresentationListener
{
public:
    virtual ~SIM_PresentationListener() = default;

    // --- simulation root, floor, zones, worker jobs ---
    // Game set-up: one loading-screen frame for a stage (text key, progress 0..1).
    virtual void ShowLoadingStage(const char* textKey, float progress)
    {
        (void)textKey;
        (void)progress;
    }
    // Game set-up: load the compiled animations.
    virtual void LoadAnimations() {}
    // Game set-up: prepare the car sprite cache.
    virtual void InitCarSpriteCache() {}
    // Game set-up: build the factory view for the new floor (tile views, markers of the sites).
    virtual void InitFactoryView() {}
    // Game set-up: the camera's smallest zoom and its limits for the new floor.
    virtual void ComputeCameraMinZoom() {}
    // Game set-up: restart the autosave timer of the savegame writer.
    virtual void RestartAutosaveTimer() {}
    // Once per frame after the jobs: save under "autosave" when it is due.
    virtual void CheckAutosave() {}
    // Teardown: delete the markers of the potential sites and stop the ambience sound.
    virtual void ClearFactoryView() {}
    // After a pause toggle: set the speed buttons from the simulation speed.
    virtual void SyncSpeedButtons() {}
    // After a zone unlock: markers of sites on locked tiles faint, the others opaque.
    virtual void RetintPotentialSiteMarkers() {}
    // The placement sparkle on a tile.
    virtual void SpawnSlotPlaceParticles(SIM_Tile* tile) { (void)tile; }
    // An error box captioned "ERROR" with the text (main thread). The simulation has already
    // written the text to the error log; headless nothing more happens.
    virtual void ShowErrorBox(const std::string& text) { (void)text; }
    // A 2D effect sound from data/sounds at effects x master volume, unless the sound is off.
    virtual void PlayEffectSound(const char* name) { (void)name; }
    // Debug overlay: a filled square of sizePx pixels centred on a world position.
    virtual void DrawDebugMarker(float worldX, float worldY, int sizePx, unsigned char r, unsigned char g,
                                 unsigned char b)
    {
        (void)worldX;
        (void)worldY;
        (void)sizePx;
        (void)r;
        (void)g;
        (void)b;
    }

    // --- placement: the view's own reaction to the simulation's placement operations ---
    // A slot or facility stands on the floor now: lay its props and floor textures, its zoom-out
    // icon and name label. The simulation pays, sounds and sparkles through the calls below.
    virtual void SlotPlaced(SIM_PlaceableSlot& slot, bool loading)
    {
        (void)slot;
        (void)loading;
    }
    // A conveyor-task slot of a slot chain stands on its tile: the floor shows the task's sprite.
    virtual void ChainSlotPlaced(SIM_PlaceableSlot& slot, bool loading)
    {
        (void)slot;
        (void)loading;
    }
    // A slot is about to be deleted: its view goes with it.
    virtual void SlotRemoved(SIM_PlaceableSlot& slot) { (void)slot; }
    // An importer slot got its import bay and the conveyor piece under it.
    virtual void ImportBayFinished(SIM_ResourceImportBay& bay, SIM_ResourceConveyor& conveyor, bool loading)
    {
        (void)bay;
        (void)conveyor;
        (void)loading;
    }
    // An overhead conveyor piece lies on its tile now, or is about to be deleted.
    virtual void ConveyorLaid(SIM_ResourceConveyor& conveyor, bool loading)
    {
        (void)conveyor;
        (void)loading;
    }
    virtual void ConveyorRemoved(SIM_ResourceConveyor& conveyor) { (void)conveyor; }
    // Money paid or refunded at a tile: a floating value rising from it.
    virtual void ShowMoney(SIM_Tile* tile, float amount)
    {
        (void)tile;
        (void)amount;
    }

    // --- slots, cars, power, employees ---
    // Per-object views; null when nothing shows the simulation. The simulation owns what it gets.
    virtual SIM_SlotNotice* CreateSlotNotice(SIM_PlaceableSlot* slot)
    {
        (void)slot;
        return nullptr;
    }
    virtual SIM_CarView* CreateCarView(SIM_Vehicle* car)
    {
        (void)car;
        return nullptr;
    }
    virtual SIM_CarNotice* CreateCarNotice(SIM_Vehicle* car)
    {
        (void)car;
        return nullptr;
    }
    virtual SIM_CarComponentView* CreateCarComponentView(SIM_VehicleComponent* component)
    {
        (void)component;
        return nullptr;
    }
    // A slot consumed one object of a resource: a floating value over the tile when it is on screen.
    virtual void ShowResourceConsumed(SIM_Tile* tile, const SIM_Resource* resource)
    {
        (void)tile;
        (void)resource;
    }
    // The open slot tooltip re-reads the slot when it shows it.
    virtual void RefreshSlotTooltip(SIM_PlaceableSlot* slot) { (void)slot; }
    // A finished car matched no design: the new-design dialog for the design made from it. The car
    // has left the floor but is kept alive for the dialog (SIM_VehicleManager::HoldForDesign); whoever
    // answers this ends the hold with SIM_VehicleManager::ReleaseHeld once the dialog is done.
    virtual void ShowNewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car)
    {
        (void)design;
        (void)car;
    }
    // The feature records of a car changed: the vehicle-details window re-reads it when it shows it.
    virtual void RefreshVehicleDetails(SIM_Vehicle* car) { (void)car; }
    // A car is deleted (main thread; a car that goes inside the vehicles job is reported after the
    // wait). The pointer only names the car: windows that show it close without reading it.
    virtual void VehicleGone(SIM_Vehicle* car) { (void)car; }
    // The power gauge text "%s/%s" from production and demand, when the gauge exists.
    virtual void UpdatePowerGauge(float production, float demand)
    {
        (void)production;
        (void)demand;
    }

    // --- resource flow: routes, objects, conveyors, bays, stockpiles ---
    // Views are owned by the simulation object they are made for; null means none.
    virtual SIM_ResourceObjectView* CreateResourceObjectView(SIM_ResourceObject&) { return nullptr; }
    virtual SIM_ImportBayView* CreateImportBayView(SIM_ResourceImportBay&) { return nullptr; }
    virtual SIM_ConveyorLabelView* CreateConveyorLabel(SIM_ResourceImportBay&) { return nullptr; }
    virtual SIM_StockpileView* CreateResourceStockpileView(SIM_ResourceStockpile&) { return nullptr; }
    virtual SIM_StockpileView* CreateComponentStockpileView(SIM_ComponentStockpile&) { return nullptr; }
    // A stockpile's contents changed; the open slot tooltip refreshes when it shows the slot
    // that the stockpile's view link leads to.
    virtual void StockpileContentsChanged(const void* /*viewLink*/) {}

    // --- money, sales, research, upgrades, efficiency ---

    // Research completed in play: rebuild the build menu and fit it to the screen (when it exists).
    virtual void RebuildTaskPicker() {}
    // Research completed in play: refresh every entry of the tech tree (when the screen exists).
    virtual void RefreshTechTree() {}
    // Close any open research-complete dialog and open one for this item.
    virtual void ShowResearchComplete(SIM_Researchable* item) { (void)item; }
    // An upgrade's prop goes onto the tile's view with the slot's facing, with the placement burst.
    virtual void AddUpgradeProp(SIM_Tile* tile, const SlotUpgradeProp& prop, int slotFacing)
    {
        (void)tile;
        (void)prop;
        (void)slotFacing;
    }
    // The slot's props changed: rebuild its view's animated-prop lists.
    virtual void RebuildSlotAnimatedProps(SIM_PlaceableSlot* slot) { (void)slot; }
    // An upgrade was bought for the slot: refresh the slot tooltip when it shows this slot.
    virtual void OnSlotUpgradePurchased(SIM_PlaceableSlot* slot) { (void)slot; }
    // Where a named sprite sits in the sprite atlases; false when no atlas has it (and headless).
    virtual bool FindAtlasEntry(const std::string& sprite, SIM_AtlasEntry& out)
    {
        (void)sprite;
        (void)out;
        return false;
    }

    // The cash changed: rewrite the HUD cash text (when the HUD exists).
    virtual void UpdateCashText() {}
    // The money ran out: open the game-over dialog, which stops the game clock.
    virtual void ShowGameOver() {}
    // A game hour passed: rebuild the finance dialog's rows, pie and summary (when it is open).
    virtual void RefreshFinanceDialog() {}
    // The car stock changed: rebuild the car-stock window's rows (when it is open).
    virtual void RefreshCarStock() {}
    // A new efficiency sample: refresh the slot-state pie and graph (when the window is open).
    virtual void RefreshEfficiencyWindow() {}

    // --- savegames ---
    // A savegame is about to replace the running game: cancel every armed placer (its pending
    // slot is deleted) and close every dialog that holds objects of the simulation.
    virtual void PrepareForLoad() {}
    // The autosave waits while this is true: a placer holds a pending slot or facility, a
    // conveyor drag is under way, or the car-stock or new-design dialog is open.
    virtual bool IsAutosaveBlocked() { return false; }
    // A savegame was read: start the factory's looping ambience sound.
    virtual void StartAmbience() {}
};
