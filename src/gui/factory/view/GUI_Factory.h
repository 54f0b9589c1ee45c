// The isometric view of the factory floor: the window the whole game is played in. It owns one
// floor tile view per simulation tile (its FloorGrid), draws the floor, walls, slots, conveyors,
// props, cars, import and export sites and resource objects every frame in a fixed order around
// the depth-sorted draw queue (handing the tile transforms to its FloorTileJobs, and the props and
// the depth sort, to the simulation's worker threads), hands clicks on the floor to FloorClicks,
// which routes them to the slots and the tools and sells what the player removes, and keeps the
// hall's ambience sound (its HallAmbience). The slot views and stockpile floors it makes are on
// its SlotViewRoll.
//
// It is also the simulation's presentation listener for the factory: slots placed and removed,
// import bays and conveyors laid, money shown, and the views the simulation asks for (slot
// notices, stockpile floors, resource objects, import bays and their labels). Screens attach a
// listener of their own for the rest and forward the factory's calls here.
//
// Frame order, called by the in-game mode (all on the main thread):
//   Update() in the process step; Draw() after the simulation step; then
//   GUI_ZoomOutIcons::Instance().Draw(), DrawLabels(), ApplySlotOverlay(mode),
//   GUI_FloatingValue::DrawAll(), the tools' ghosts and DrawNotices(). Draw() itself ages the car
//   sprite cache's cells, once per drawn frame.
// The cars are made and prepared (PREDRAWVEHICLES) by its GUI_FactoryCars; what the tools and
// screens set for a click on the floor is in its GUI_FactoryTools, which it hands to the placement
// tools, its slot views (through their roll) and the floor's clicks.
#pragma once

#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/scene/FactoryFrameView.h"
#include "gui/factory/scene/FactoryViewJob.h"
#include "gui/factory/scene/FloorLabelPlacer.h"
#include "gui/factory/scene/GUI_FactoryTools.h"
#include "gui/factory/scene/IsometricDrawQueue.h"
#include "gui/factory/slots/SlotViewRoll.h"
#include "gui/factory/vehicles/GUI_FactoryCars.h"
#include "gui/factory/view/FloorGrid.h"
#include "gui/factory/view/FloorTileJobs.h"
#include "gui/factory/view/HallAmbience.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/audio/PSoundHandle.h"
#include "sim/SIM_PresentationListener.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

class CLoadedTexture;
class CTexturedSprite;
class GUI_PotentialExport;
class GUI_PotentialImportBay;
class GUI_ProductionSlot;
class GUI_SlotBase;
class GUI_SlotExport;
class GUI_SlotStockpile;
class SIM_BuildingZone;
class SIM_Mission;
class SIM_Tile;
class SlotTextLabel;

// Figures of the last drawn frame (the benchmark and the tests read them).
struct FactoryFrameStats
{
    int visibleTiles = 0;
    int floorDraws = 0;
    int queueLength = 0;
    int queueBatches = 0;
    double mainMs = 0.0;     // the main thread's CPU in Draw, waits for the jobs excluded
    double mainWaitMs = 0.0; // the main thread's CPU in the waits (jobs it ran itself, and spinning)
    // The main thread's CPU by part of Draw: stockpile and zone floors with the floor batches,
    // walls and objects of the tiles, markers and unbatched floors, sounds, the scene, the
    // hanging resources, outlines and conveyor marks.
    double floorMs = 0.0, objectsMs = 0.0, markersMs = 0.0, soundsMs = 0.0, sceneMs = 0.0, resourcesMs = 0.0,
           overlaysMs = 0.0;
};

class GUI_Factory : public GUI_WindowBase, public SIM_PresentationListener
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_Factory& Instance();
    ~GUI_Factory() override;

    // --- game life (main thread) ---
    // Builds the view of the current simulation floor: tiles with zone floors and walls, camera on
    // the middle of the floor, markers of every import and export site.
    void Init();
    // Start-up, once the device, the animations and the data are there: the pictures every game's
    // scene draws from (prop and animation sheets, conveyor arms, stockpile plates, resources, the
    // walls of the missions listed, floor tiles, task icons) are loaded, and the scene's ones copied
    // into its pages, which every game keeps: a game's start makes pages anew only when its mission
    // brings pictures of its own. Static: the view itself, a window, is made with the first game,
    // after the window manager it needs as it goes.
    static void PrepareScene();
    // The game ends: ambience stopped, markers and tiles gone.
    void Clear();
    // The looping hall ambience, unless the sound is off.
    void StartAmbience() override;

    // --- one frame (main thread) ---
    void Update() override;
    void Draw() override;
    bool OnClick(float x, float y) override;
    bool OnRightClick(float x, float y) override;
    // Conveyor labels, then the hovered and selected slots' name labels, then those queued this
    // frame.
    void DrawLabels();
    // Hands the slot overlay mode (3 = none) to every production slot view.
    void ApplySlotOverlay(int mode);
    // Every slot notice (full above zoom 0.125, reduced below).
    void DrawNotices();
    // Debug overlay: the nine waypoints of every tile on screen (TileWaypointGrid::DrawDebug).
    void DrawWaypoints();
    // The ambience's volume, the slots near the camera and the sounds the jobs asked for.
    void UpdateSounds();

    // --- floor ---
    SIM_Tile* GetTileUnderMouse() const;
    // Sells or removes what stands on the tile (right click, or left click with the delete tool).
    void RemoveAtTile(SIM_Tile* tile);
    // A floating value with the refund rising from the tile.
    void RefundSlot(SIM_Tile* tile, float refund);
    GUI_Tile* GetTile(int x, int y) const { return m_grid.GetTile(x, y); }
    // The tiles drawn this frame, in the floor's order (main thread, after the frame's jobs).
    template <class F>
    void ForEachVisibleTile(F&& f)
    {
        m_tileJobs.ForEachVisibleTile(f);
    }
    // The height of the strip along the top of the screen that the game's own bar covers: the
    // labels over the floor stay below it. 0 until the game sets it.
    void SetCoveredTop(int pixels) { m_coveredTop = pixels; }
    const FloorLabelPlacer& GetLabelPlacer() const { return m_labelPlacer; }
    // Zone floor picture shown in the conveyor view, fixed per zone for the game (no flicker).
    const std::string& GetConveyorModeTexture(const SIM_BuildingZone* zone);

    // Elapsed real milliseconds of the frame / 16.666666 (0.1 .. 4.0); 1 until the game sets it.
    void SetFrameFactor(float factor) { m_frameFactor = factor; }
    const FactoryFrameStats& GetStats() const { return m_stats; }
    const FactoryFrameView& GetFrameView() const { return m_frameView; }
    const GUI_FactoryCars& GetCars() const { return m_cars; }
    // The CPU time of this view's jobs (the benchmark turns it on and reads it).
    FactoryJobClock& GetJobClock() { return m_jobClock; }
    // The tool flags and the screens a click on the floor opens (the in-game mode fills them in).
    GUI_FactoryTools& GetTools() { return m_tools; }
    // The texture pages of the notices and labels drawn over the scene.
    SceneTexturePages& GetOverlayPages() { return m_overlayPages; }
    PSoundHandle GetAmbience() const { return m_hall.GetLoop(); }

    // The slot views and stockpile floors this view made that still exist (main thread).
    const std::vector<GUI_SlotBase*>& GetSlotViews() const { return m_roll.SlotViews(); }
    const std::vector<std::unique_ptr<GUI_PotentialImportBay>>& GetImportMarkers() const { return m_importMarkers; }
    const std::vector<std::unique_ptr<GUI_PotentialExport>>& GetExportMarkers() const { return m_exportMarkers; }

    // Forgets every picture handle and card buffer the view keeps between frames (the texture
    // store or the device is going away: tests, shutdown).
    void ReleaseGraphics();

    // --- the simulation's calls (SIM_PresentationListener); main thread unless said ---
    void LoadAnimations() override;
    void ComputeCameraMinZoom() override;
    void InitFactoryView() override { Init(); }
    void ClearFactoryView() override { Clear(); }
    void RetintPotentialSiteMarkers() override;
    void SpawnSlotPlaceParticles(SIM_Tile* tile) override;
    void PlayEffectSound(const char* name) override;
    // A square of sizePx pixels centred where the world point lies on screen this frame.
    void DrawDebugMarker(float worldX, float worldY, int sizePx, unsigned char r, unsigned char g,
                         unsigned char b) override;
    void SlotPlaced(SIM_PlaceableSlot& slot, bool loading) override;
    void ChainSlotPlaced(SIM_PlaceableSlot& slot, bool loading) override;
    void SlotRemoved(SIM_PlaceableSlot& slot) override;
    void ImportBayFinished(SIM_ResourceImportBay& bay, SIM_ResourceConveyor& conveyor, bool loading) override;
    void ConveyorLaid(SIM_ResourceConveyor& conveyor, bool loading) override;
    void ConveyorRemoved(SIM_ResourceConveyor& conveyor) override;
    void ShowMoney(SIM_Tile* tile, float amount) override;
    SIM_SlotNotice* CreateSlotNotice(SIM_PlaceableSlot* slot) override;
    void ShowResourceConsumed(SIM_Tile* tile, const SIM_Resource* resource) override;
    SIM_ResourceObjectView* CreateResourceObjectView(SIM_ResourceObject& object) override;
    SIM_ImportBayView* CreateImportBayView(SIM_ResourceImportBay& bay) override;
    SIM_ConveyorLabelView* CreateConveyorLabel(SIM_ResourceImportBay& bay) override;
    SIM_StockpileView* CreateResourceStockpileView(SIM_ResourceStockpile& stockpile) override;
    SIM_StockpileView* CreateComponentStockpileView(SIM_ComponentStockpile& stockpile) override;
    // These three may come from any thread (a stockpile filled inside a worker job): off the main
    // thread they only mark the slot dialog, which the main thread refreshes in its next Update.
    void StockpileContentsChanged(const void* viewLink) override;
    void RefreshSlotTooltip(SIM_PlaceableSlot* slot) override;
    void OnSlotUpgradePurchased(SIM_PlaceableSlot* slot) override;
    // Cars: made by the cars' part of the view (GUI_FactoryCars).
    SIM_CarView* CreateCarView(SIM_Vehicle* car) override;
    SIM_CarNotice* CreateCarNotice(SIM_Vehicle* car) override;
    SIM_CarComponentView* CreateCarComponentView(SIM_VehicleComponent* component) override;
    void InitCarSpriteCache() override;
    void AddUpgradeProp(SIM_Tile* tile, const SlotUpgradeProp& prop, int slotFacing) override;
    void RebuildSlotAnimatedProps(SIM_PlaceableSlot* slot) override;
    bool FindAtlasEntry(const std::string& sprite, SIM_AtlasEntry& out) override;

private:
    // One prop registry list's PREDRAWPROPS job.
    struct PropJob : FactoryViewJob
    {
        void Run() override;
        const FactoryFrameView* view = nullptr;
        int list = 0;
    };
    struct VehicleJob : FactoryViewJob
    {
        void Run() override;
        GUI_Factory* owner = nullptr;
    };
    struct SortJob : FactoryViewJob
    {
        void Run() override;
    };

    GUI_Factory();
    friend class GUI_FactoryTestAccess;

    void DrawStockpileFloors();
    void DrawZoneFloors();
    void DrawTiles();
    void DrawUnbatchedTiles();
    void DrawMarkers();
    void DrawConveyorOverlays();
    // The pictures worth a copy on the scene's texture pages, most used first: the mission's
    // walls last (none without a mission).
    static std::vector<CLoadedTexture*> ScenePictures(const SIM_Mission* mission);
    static void AddWallPictures(const SIM_Mission& mission, std::vector<CLoadedTexture*>& pictures);
    // Markers, ambience and the floor's tiles go; unlinkSimulation when the simulation's tiles
    // still exist and must forget their views.
    void DropFloor(bool unlinkSimulation);
    GUI_SlotBase* CreateSlotView(SIM_PlaceableSlot& slot);
    void CommitSlotView(SIM_PlaceableSlot& slot, GUI_SlotBase& view, bool loading);

    std::vector<std::unique_ptr<GUI_PotentialImportBay>> m_importMarkers;
    std::vector<std::unique_ptr<GUI_PotentialExport>> m_exportMarkers;
    FloorLabelPlacer m_labelPlacer;
    int m_coveredTop = 0;
    FloorGrid m_grid;
    CLoadedTexture* m_conveyorOverlay = nullptr; // "conveyor_gui.dds"
    float m_tileScreenWidth = 0.0f;
    float m_tileScreenHeight = 0.0f;
    float m_frameFactor = 1.0f;
    int m_frame = 0;
    FactoryFrameView m_frameView;
    GUI_FactoryCars m_cars{m_frameView};
    FactoryFrameStats m_stats;
    PropJob m_propJobs[8];
    VehicleJob m_vehicleJob;
    SortJob m_sortJob;
    FactoryJobClock m_jobClock;
    FloorTileJobs m_tileJobs{m_grid, m_frameView, m_jobClock};
    SceneTexturePages m_overlayPages;
    // Tile sprites of pictures without a floor batch, rebuilt each frame.
    std::vector<CTexturedSprite> m_spritePool;
    std::list<CTexturedSprite*> m_spriteList;
    GUI_FactoryTools m_tools;
    SlotViewRoll m_roll{m_tools};
    HallAmbience m_hall{m_roll};
    std::vector<std::pair<const SIM_BuildingZone*, std::string>> m_conveyorModeTextures;
};
