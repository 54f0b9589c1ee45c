// The one answer to the simulation's presentation calls while the game runs: the factory view gets
// every call about the floor, the top bar and the game-over dialog those about cash, power and
// speed, the savegame writer the autosave calls, and the screens of the other dialogs (car stock,
// research, finances...) plug in as parts that see every call too. Calls that build a view go to
// the factory view first, then to the parts, and the first answer wins. Attached once at start-up,
// before any game is set up. Main thread.
#pragma once

#include "sim/SIM_PresentationListener.h"

#include <vector>

class GUI_GamePresentation : public SIM_PresentationListener
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_GamePresentation& Instance();

    // A screen's share of the calls; the caller keeps it alive for the program.
    void AddPart(SIM_PresentationListener* part);
    void RemovePart(SIM_PresentationListener* part);

    // --- the screens' own answers ---
    void ShowLoadingStage(const char* textKey, float progress) override;
    void RestartAutosaveTimer() override;
    void CheckAutosave() override;
    void SyncSpeedButtons() override;
    void ShowErrorBox(const std::string& text) override;
    void UpdatePowerGauge(float production, float demand) override;
    void UpdateCashText() override;
    void ShowGameOver() override;
    void PrepareForLoad() override;
    bool IsAutosaveBlocked() override;

    // --- handed on to the factory view and the parts ---
    void LoadAnimations() override;
    void InitCarSpriteCache() override;
    void InitFactoryView() override;
    void ComputeCameraMinZoom() override;
    void ClearFactoryView() override;
    void RetintPotentialSiteMarkers() override;
    void SpawnSlotPlaceParticles(SIM_Tile* tile) override;
    void PlayEffectSound(const char* name) override;
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
    SIM_CarView* CreateCarView(SIM_Vehicle* car) override;
    SIM_CarNotice* CreateCarNotice(SIM_Vehicle* car) override;
    SIM_CarComponentView* CreateCarComponentView(SIM_VehicleComponent* component) override;
    void ShowResourceConsumed(SIM_Tile* tile, const SIM_Resource* resource) override;
    void RefreshSlotTooltip(SIM_PlaceableSlot* slot) override;
    void ShowNewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car) override;
    void VehicleGone(SIM_Vehicle* car) override;
    void RefreshVehicleDetails(SIM_Vehicle* car) override;
    SIM_ResourceObjectView* CreateResourceObjectView(SIM_ResourceObject& object) override;
    SIM_ImportBayView* CreateImportBayView(SIM_ResourceImportBay& bay) override;
    SIM_ConveyorLabelView* CreateConveyorLabel(SIM_ResourceImportBay& bay) override;
    SIM_StockpileView* CreateResourceStockpileView(SIM_ResourceStockpile& stockpile) override;
    SIM_StockpileView* CreateComponentStockpileView(SIM_ComponentStockpile& stockpile) override;
    void StockpileContentsChanged(const void* viewLink) override;
    void RebuildTaskPicker() override;
    void RefreshTechTree() override;
    void ShowResearchComplete(SIM_Researchable* item) override;
    void AddUpgradeProp(SIM_Tile* tile, const SlotUpgradeProp& prop, int slotFacing) override;
    void RebuildSlotAnimatedProps(SIM_PlaceableSlot* slot) override;
    void OnSlotUpgradePurchased(SIM_PlaceableSlot* slot) override;
    bool FindAtlasEntry(const std::string& sprite, SIM_AtlasEntry& out) override;
    void RefreshFinanceDialog() override;
    void RefreshCarStock() override;
    void RefreshEfficiencyWindow() override;
    void StartAmbience() override;

private:
    SIM_PresentationListener& Factory();
    // Every part once, in the order they were added.
    template <class F>
    void ToParts(F&& call)
    {
        for (SIM_PresentationListener* part : std::vector<SIM_PresentationListener*>(m_parts))
            call(*part);
    }
    // The factory view's answer, else the first part's.
    template <class R, class F>
    R* FirstView(F&& call)
    {
        if (R* made = call(Factory()))
            return made;
        for (SIM_PresentationListener* part : m_parts)
            if (R* made = call(*part))
                return made;
        return nullptr;
    }

    std::vector<SIM_PresentationListener*> m_parts;
};
