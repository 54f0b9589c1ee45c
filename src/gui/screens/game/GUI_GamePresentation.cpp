// The one answer to the simulation's presentation calls while the game runs.
#include "gui/screens/game/GUI_GamePresentation.h"

#include "engine/core/GLifetime.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/screens/build/GUI_TaskPicker.h"
#include "gui/screens/efficiency/GUI_EfficiencyDialog.h"
#include "gui/screens/finance/GUI_FinanceDialog.h"
#include "gui/screens/front/GUI_LoadingScreen.h"
#include "gui/screens/game/GUI_Finances.h"
#include "gui/screens/game/GUI_GameOver.h"
#include "gui/screens/game/GUI_GamePlacers.h"
#include "gui/screens/game/GUI_PowerGauge.h"
#include "gui/screens/game/GUI_SpeedControls.h"
#include "gui/screens/research/GUI_ResearchComplete.h"
#include "gui/screens/research/GUI_TechTree.h"
#include "gui/screens/upgrades/GUI_UpgradePicker.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/core/PMessageBox.h"
#include "save/SIM_SaveGame.h"

#include <algorithm>

GUI_GamePresentation& GUI_GamePresentation::Instance()
{
    return GLifetime::Get<GUI_GamePresentation>();
}

void GUI_GamePresentation::AddPart(SIM_PresentationListener* part)
{
    if (part && std::find(m_parts.begin(), m_parts.end(), part) == m_parts.end())
        m_parts.push_back(part);
}

void GUI_GamePresentation::RemovePart(SIM_PresentationListener* part)
{
    m_parts.erase(std::remove(m_parts.begin(), m_parts.end(), part), m_parts.end());
}

SIM_PresentationListener& GUI_GamePresentation::Factory()
{
    // The view is made on first use, after the device exists.
    return GUI_Factory::Instance();
}

// --- the screens' own answers ---

void GUI_GamePresentation::ShowLoadingStage(const char* textKey, float progress)
{
    // Saves and loads started from the game show the same stages as a new game; the screen is
    // laid out each time, as it outlives graphics devices.
    GUI_LoadingScreen& loading = GUI_LoadingScreen::Instance();
    loading.Layout();
    loading.ShowStage(textKey ? textKey : "", progress);
    ToParts([&](SIM_PresentationListener& p) { p.ShowLoadingStage(textKey, progress); });
}

void GUI_GamePresentation::RestartAutosaveTimer()
{
    SIM_SaveGame::Instance().RestartAutosaveTimer();
}

void GUI_GamePresentation::CheckAutosave()
{
    SIM_SaveGame::Instance().CheckAutosave();
}

void GUI_GamePresentation::SyncSpeedButtons()
{
    GUI_SpeedControls::SyncIfOpen();
}

void GUI_GamePresentation::ShowErrorBox(const std::string& text)
{
    PMessageBox::Show("ERROR", text);
}

void GUI_GamePresentation::UpdatePowerGauge(float production, float demand)
{
    if (GUI_PowerGauge* gauge = GUI_PowerGauge::GetOpen())
        gauge->SetTotals(production, demand);
}

void GUI_GamePresentation::UpdateCashText()
{
    if (GUI_Finances* cash = GUI_Finances::GetOpen())
        cash->UpdateCashText();
}

void GUI_GamePresentation::ShowGameOver()
{
    GUI_GameOver::Show();
}

void GUI_GamePresentation::PrepareForLoad()
{
    GUI_GamePlacers::Get().CancelAll();
    ToParts([](SIM_PresentationListener& p) { p.PrepareForLoad(); });
    Factory().PrepareForLoad();
    GUI_WindowManager::Instance().CloseAllDialogs();
}

bool GUI_GamePresentation::IsAutosaveBlocked()
{
    if (GUI_GamePlacers::Get().IsBusy() || Factory().IsAutosaveBlocked())
        return true;
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [](SIM_PresentationListener* p) { return p->IsAutosaveBlocked(); });
}

// --- handed on ---

void GUI_GamePresentation::LoadAnimations()
{
    Factory().LoadAnimations();
    ToParts([](SIM_PresentationListener& p) { p.LoadAnimations(); });
}

void GUI_GamePresentation::InitCarSpriteCache()
{
    Factory().InitCarSpriteCache();
    ToParts([](SIM_PresentationListener& p) { p.InitCarSpriteCache(); });
}

void GUI_GamePresentation::InitFactoryView()
{
    Factory().InitFactoryView();
    ToParts([](SIM_PresentationListener& p) { p.InitFactoryView(); });
}

void GUI_GamePresentation::ComputeCameraMinZoom()
{
    Factory().ComputeCameraMinZoom();
    ToParts([](SIM_PresentationListener& p) { p.ComputeCameraMinZoom(); });
}

void GUI_GamePresentation::ClearFactoryView()
{
    // A view never made shows nothing to clear.
    if (GLifetime::Exists<GUI_Factory>())
        Factory().ClearFactoryView();
    ToParts([](SIM_PresentationListener& p) { p.ClearFactoryView(); });
}

void GUI_GamePresentation::RetintPotentialSiteMarkers()
{
    Factory().RetintPotentialSiteMarkers();
    ToParts([](SIM_PresentationListener& p) { p.RetintPotentialSiteMarkers(); });
}

void GUI_GamePresentation::SpawnSlotPlaceParticles(SIM_Tile* tile)
{
    Factory().SpawnSlotPlaceParticles(tile);
    ToParts([&](SIM_PresentationListener& p) { p.SpawnSlotPlaceParticles(tile); });
}

void GUI_GamePresentation::PlayEffectSound(const char* name)
{
    // One sound, however many listen.
    Factory().PlayEffectSound(name);
}

void GUI_GamePresentation::DrawDebugMarker(float worldX, float worldY, int sizePx, unsigned char r, unsigned char g,
                                           unsigned char b)
{
    Factory().DrawDebugMarker(worldX, worldY, sizePx, r, g, b);
}

void GUI_GamePresentation::SlotPlaced(SIM_PlaceableSlot& slot, bool loading)
{
    Factory().SlotPlaced(slot, loading);
    ToParts([&](SIM_PresentationListener& p) { p.SlotPlaced(slot, loading); });
}

void GUI_GamePresentation::ChainSlotPlaced(SIM_PlaceableSlot& slot, bool loading)
{
    Factory().ChainSlotPlaced(slot, loading);
    ToParts([&](SIM_PresentationListener& p) { p.ChainSlotPlaced(slot, loading); });
}

void GUI_GamePresentation::SlotRemoved(SIM_PlaceableSlot& slot)
{
    // The screens that show the slot let go of it before its view goes.
    GUI_UpgradePicker::CloseFor(&slot);
    ToParts([&](SIM_PresentationListener& p) { p.SlotRemoved(slot); });
    Factory().SlotRemoved(slot);
}

void GUI_GamePresentation::ImportBayFinished(SIM_ResourceImportBay& bay, SIM_ResourceConveyor& conveyor, bool loading)
{
    Factory().ImportBayFinished(bay, conveyor, loading);
    ToParts([&](SIM_PresentationListener& p) { p.ImportBayFinished(bay, conveyor, loading); });
}

void GUI_GamePresentation::ConveyorLaid(SIM_ResourceConveyor& conveyor, bool loading)
{
    Factory().ConveyorLaid(conveyor, loading);
    ToParts([&](SIM_PresentationListener& p) { p.ConveyorLaid(conveyor, loading); });
}

void GUI_GamePresentation::ConveyorRemoved(SIM_ResourceConveyor& conveyor)
{
    ToParts([&](SIM_PresentationListener& p) { p.ConveyorRemoved(conveyor); });
    Factory().ConveyorRemoved(conveyor);
}

void GUI_GamePresentation::ShowMoney(SIM_Tile* tile, float amount)
{
    Factory().ShowMoney(tile, amount);
}

SIM_SlotNotice* GUI_GamePresentation::CreateSlotNotice(SIM_PlaceableSlot* slot)
{
    return FirstView<SIM_SlotNotice>([&](SIM_PresentationListener& p) { return p.CreateSlotNotice(slot); });
}

SIM_CarView* GUI_GamePresentation::CreateCarView(SIM_Vehicle* car)
{
    return FirstView<SIM_CarView>([&](SIM_PresentationListener& p) { return p.CreateCarView(car); });
}

SIM_CarNotice* GUI_GamePresentation::CreateCarNotice(SIM_Vehicle* car)
{
    return FirstView<SIM_CarNotice>([&](SIM_PresentationListener& p) { return p.CreateCarNotice(car); });
}

SIM_CarComponentView* GUI_GamePresentation::CreateCarComponentView(SIM_VehicleComponent* component)
{
    return FirstView<SIM_CarComponentView>(
        [&](SIM_PresentationListener& p) { return p.CreateCarComponentView(component); });
}

void GUI_GamePresentation::ShowResourceConsumed(SIM_Tile* tile, const SIM_Resource* resource)
{
    Factory().ShowResourceConsumed(tile, resource);
}

void GUI_GamePresentation::RefreshSlotTooltip(SIM_PlaceableSlot* slot)
{
    Factory().RefreshSlotTooltip(slot);
    ToParts([&](SIM_PresentationListener& p) { p.RefreshSlotTooltip(slot); });
}

void GUI_GamePresentation::ShowNewDesign(SIM_VehicleDesign* design, SIM_Vehicle* car)
{
    ToParts([&](SIM_PresentationListener& p) { p.ShowNewDesign(design, car); });
}

void GUI_GamePresentation::VehicleGone(SIM_Vehicle* car)
{
    // The car's windows close before the view lets go of it.
    ToParts([&](SIM_PresentationListener& p) { p.VehicleGone(car); });
    Factory().VehicleGone(car);
}

void GUI_GamePresentation::RefreshVehicleDetails(SIM_Vehicle* car)
{
    ToParts([&](SIM_PresentationListener& p) { p.RefreshVehicleDetails(car); });
}

SIM_ResourceObjectView* GUI_GamePresentation::CreateResourceObjectView(SIM_ResourceObject& object)
{
    return FirstView<SIM_ResourceObjectView>(
        [&](SIM_PresentationListener& p) { return p.CreateResourceObjectView(object); });
}

SIM_ImportBayView* GUI_GamePresentation::CreateImportBayView(SIM_ResourceImportBay& bay)
{
    return FirstView<SIM_ImportBayView>([&](SIM_PresentationListener& p) { return p.CreateImportBayView(bay); });
}

SIM_ConveyorLabelView* GUI_GamePresentation::CreateConveyorLabel(SIM_ResourceImportBay& bay)
{
    return FirstView<SIM_ConveyorLabelView>([&](SIM_PresentationListener& p) { return p.CreateConveyorLabel(bay); });
}

SIM_StockpileView* GUI_GamePresentation::CreateResourceStockpileView(SIM_ResourceStockpile& stockpile)
{
    return FirstView<SIM_StockpileView>(
        [&](SIM_PresentationListener& p) { return p.CreateResourceStockpileView(stockpile); });
}

SIM_StockpileView* GUI_GamePresentation::CreateComponentStockpileView(SIM_ComponentStockpile& stockpile)
{
    return FirstView<SIM_StockpileView>(
        [&](SIM_PresentationListener& p) { return p.CreateComponentStockpileView(stockpile); });
}

void GUI_GamePresentation::StockpileContentsChanged(const void* viewLink)
{
    // May come from a worker: the factory view only marks its dialog then; parts must be as
    // careful.
    Factory().StockpileContentsChanged(viewLink);
    ToParts([&](SIM_PresentationListener& p) { p.StockpileContentsChanged(viewLink); });
}

void GUI_GamePresentation::RebuildTaskPicker()
{
    // A finished research may have unlocked rows of the open build menu.
    GUI_TaskPicker::RebuildOpen();
    ToParts([](SIM_PresentationListener& p) { p.RebuildTaskPicker(); });
}

void GUI_GamePresentation::RefreshTechTree()
{
    if (GUI_TechTree* tree = GUI_TechTree::GetOpen())
        tree->RefreshEntries();
    ToParts([](SIM_PresentationListener& p) { p.RefreshTechTree(); });
}

void GUI_GamePresentation::ShowResearchComplete(SIM_Researchable* item)
{
    GUI_ResearchComplete::Show(item);
    ToParts([&](SIM_PresentationListener& p) { p.ShowResearchComplete(item); });
}

void GUI_GamePresentation::AddUpgradeProp(SIM_Tile* tile, const SlotUpgradeProp& prop, int slotFacing)
{
    Factory().AddUpgradeProp(tile, prop, slotFacing);
}

void GUI_GamePresentation::RebuildSlotAnimatedProps(SIM_PlaceableSlot* slot)
{
    Factory().RebuildSlotAnimatedProps(slot);
}

void GUI_GamePresentation::OnSlotUpgradePurchased(SIM_PlaceableSlot* slot)
{
    Factory().OnSlotUpgradePurchased(slot);
    ToParts([&](SIM_PresentationListener& p) { p.OnSlotUpgradePurchased(slot); });
}

bool GUI_GamePresentation::FindAtlasEntry(const std::string& sprite, SIM_AtlasEntry& out)
{
    if (Factory().FindAtlasEntry(sprite, out))
        return true;
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [&](SIM_PresentationListener* p) { return p->FindAtlasEntry(sprite, out); });
}

void GUI_GamePresentation::RefreshFinanceDialog()
{
    GUI_FinanceDialog::Refresh();
    ToParts([](SIM_PresentationListener& p) { p.RefreshFinanceDialog(); });
}

void GUI_GamePresentation::RefreshCarStock()
{
    ToParts([](SIM_PresentationListener& p) { p.RefreshCarStock(); });
}

void GUI_GamePresentation::RefreshEfficiencyWindow()
{
    GUI_EfficiencyDialog::RefreshOpen();
    ToParts([](SIM_PresentationListener& p) { p.RefreshEfficiencyWindow(); });
}

void GUI_GamePresentation::StartAmbience()
{
    Factory().StartAmbience();
}
