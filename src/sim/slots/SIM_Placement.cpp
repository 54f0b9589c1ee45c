// Placing and removing everything the player builds on the factory floor.
#include "sim/slots/SIM_Placement.h"

#include "engine/core/GDebugLog.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/TaskTileDef.h"
#include "sim/flow/InvalidateRoutes.h"
#include "sim/flow/RouteSearchShare.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/flow/SupplyStockpileRegistry.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/views/SIM_TileView.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>
#include <string>

namespace
{
constexpr const char* kPlaceSound = "slot_place.ogg";

SIM_PresentationListener& PlacementListener()
{
    return SIM_Presentation::Instance().Listener();
}

// The effect sound of a placed slot: its task's own, else one of four by how many tiles it covers.
std::string PlacementSound(const SIM_BaseTask& task, size_t tiles)
{
    if (!task.m_placementSound.empty())
        return task.m_placementSound;
    const size_t size = std::clamp<size_t>(tiles, 1, 4);
    return "fv_place_slot_" + std::to_string(size) + ".ogg";
}

// What the player gets back for something sold: the constants' share of its cost, not booked as
// income, shown where it stood.
float Refund(SIM_Tile* tile, float cost)
{
    const float refund = SIM_SimConfig::GetFloat("SLOT_REFUND_PERCENTAGE") * cost;
    SIM_FinanceManager::Instance().Receive(refund, FC_NONE);
    PlacementListener().ShowMoney(tile, refund);
    return refund;
}

// Placement is paid as capital investment; the view shows the sum rising from the tile.
void PayFor(SIM_Tile* tile, float cost)
{
    SIM_FinanceManager::Instance().Pay(cost, FC_CAPITAL_INVESTMENT);
    PlacementListener().ShowMoney(tile, cost);
}

void SparkleOn(const std::vector<SIM_Tile*>& tiles)
{
    for (SIM_Tile* tile : tiles)
        PlacementListener().SpawnSlotPlaceParticles(tile);
}

// Whether the task's footprint at anchor lies on the floor with no tile held by a slot other
// than the one to be replaced.
bool FootprintFits(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing, const SIM_PlaceableSlot* replaced)
{
    static const TaskTileDef kAnchorOnly;
    auto fits = [&](const TaskTileDef& def) {
        const SIM_Tile* tile = SIM_PlacementQueries::GetLayoutTile(def, anchor, facing);
        return tile && (!tile->m_occupant || tile->m_occupant == replaced);
    };
    if (task.m_tiles.empty())
        return fits(kAnchorOnly);
    return std::all_of(task.m_tiles.begin(), task.m_tiles.end(), fits);
}

// A tile that lost what stood on it shows its building zone's floor again.
void RetextureFromZone(SIM_Tile* tile)
{
    SIM_Mission* mission = tile && tile->m_floor ? tile->m_floor->GetMission() : nullptr;
    SIM_BuildingZone* zone = mission ? mission->GetZoneAt(tile->m_gridX, tile->m_gridY) : nullptr;
    FV_ASSERT(zone != nullptr);
    if (zone && tile->m_view)
        tile->m_view->SetFloorTexture(zone->GetRandomFloorTexture().c_str());
}
} // namespace

std::unique_ptr<SIM_PlaceableSlot> SIM_Placement::CreateSlot(const SIM_BaseTask* task)
{
    if (!task)
        return nullptr;
    std::unique_ptr<SIM_PlaceableSlot> slot;
    if (const auto* facility = dynamic_cast<const SIM_FacilityTask*>(task))
    {
        const std::string kind = facility->GetClassName();
        if (kind == SIM_DataNames::kClassPowerplantSlot ||
            (kind.empty() && facility->m_name == SIM_DataNames::kFacPowerPlant))
            slot = std::make_unique<SIM_PowerplantSlot>();
        else if (kind == SIM_DataNames::kClassSupplyStockpile ||
                 (kind.empty() && facility->m_name == SIM_DataNames::kFacSupplyStockpile))
            slot = std::make_unique<SIM_SupplyStockpile>();
        else
            slot = std::make_unique<SIM_FacilitySlot>();
    }
    else
    {
        slot = std::make_unique<SIM_ProductionSlot>();
    }
    // Definitions are never changed through a slot; the slot only keeps its task to read.
    slot->AssignTask(const_cast<SIM_BaseTask*>(task));
    return slot;
}

SIM_PlaceableSlot* SIM_Placement::PlaceSlot(std::unique_ptr<SIM_PlaceableSlot> slot, SIM_Tile* anchor, int facing,
                                            bool loading)
{
    if (!slot || !slot->GetTask() || !anchor || !anchor->m_floor)
        return nullptr;
    const SIM_BaseTask& task = *slot->GetTask();
    auto* production = dynamic_cast<SIM_ProductionSlot*>(slot.get());
    if (production && !loading)
        facing = SIM_PlacementQueries::GetPlacementFacing(*production->GetProductionTask(), anchor, facing);

    // A conveyor-task slot on the anchor gives way to the new slot; anything else stops it.
    SIM_PlaceableSlot* replaced = nullptr;
    if (!loading && anchor->m_occupant && anchor->m_occupant != slot.get() && anchor->m_occupant->GetTask() &&
        anchor->m_occupant->GetTask()->IsConveyor())
        replaced = anchor->m_occupant;
    if (!FootprintFits(task, anchor, facing, replaced))
        return nullptr;
    if (replaced)
        RemoveSlot(replaced, false, false);

    if (!slot->PlaceOnFloor(anchor, facing, task))
        return nullptr;
    SIM_PlaceableSlot* placed = SlotQueries::Instance().Adopt(std::move(slot));
    placed->ApplyTask();
    if (production)
        FinishImportBay(*production, loading);

    const float cost = task.m_constructionCost;
    if (!loading)
        PayFor(anchor, cost);
    placed->SetFacing(facing);
    PlacementListener().SlotPlaced(*placed, loading);
    if (!loading)
        PlacementListener().PlayEffectSound(PlacementSound(task, placed->GetTiles().size()).c_str());
    placed->SetupPlaces();
    if (!loading)
        SparkleOn(placed->GetTiles());
    return placed;
}

SIM_PlaceableSlot* SIM_Placement::PlaceTask(const SIM_BaseTask* task, SIM_Tile* anchor, int facing, bool loading)
{
    return PlaceSlot(CreateSlot(task), anchor, facing, loading);
}

SIM_ResourceImportBay* SIM_Placement::FinishImportBay(SIM_ProductionSlot& slot, bool loading)
{
    SIM_Tile* tile = slot.GetTile();
    if (!tile || !slot.GetProductionTask() || slot.GetProductionTask()->m_name != SIM_DataNames::kTaskResourceImporter)
        return nullptr;
    if (SIM_ResourceImportBay* standing = SIM_ResourceConveyorManager::Instance().GetImportBayOn(tile))
        return standing;
    SIM_ResourceImportBay* bay = SIM_ResourceConveyorManager::Instance().CreateImportBay(tile);
    SIM_ResourceConveyor* conveyor = tile->m_conveyor;
    if (!conveyor)
    {
        // The piece under the bay runs out of the wall the bay stands against.
        conveyor = SIM_ResourceConveyorManager::Instance().CreateConveyor();
        conveyor->m_tile = tile;
        conveyor->m_facing = bay->GetSide();
        tile->m_conveyor = conveyor;
    }
    PlacementListener().ImportBayFinished(*bay, *conveyor, loading);
    if (!loading)
        ConveyorsChangedAt({tile});
    return bay;
}

float SIM_Placement::RemoveSlot(SIM_PlaceableSlot* slot, bool silent, bool refund, SIM_Tile* refundAt)
{
    if (!slot)
        return 0.0f;
    SIM_Tile* tile = refundAt ? refundAt : slot->GetTile();
    const float cost = slot->GetTask() ? slot->GetTask()->m_constructionCost : 0.0f;
    slot->Remove(silent);
    const float back = refund ? Refund(tile, cost) : 0.0f;
    PlacementListener().SlotRemoved(*slot);
    SlotQueries::Instance().Destroy(slot);
    return back;
}

bool SIM_Placement::RemoveAt(SIM_Tile* tile, bool conveyorFirst)
{
    if (!tile)
        return false;
    if (tile->m_conveyor && (conveyorFirst || !tile->m_builtOn))
        return RemoveConveyor(tile, true);
    SIM_PlaceableSlot* slot = tile->m_occupant;
    if (!slot)
        return false;
    RemoveSlot(slot, false, true, tile);
    return true;
}

SIM_ResourceConveyor* SIM_Placement::LayConveyor(SIM_Tile* tile, int facing, bool loading)
{
    if (!tile)
        return nullptr;
    if (tile->m_conveyor)
        return tile->m_conveyor;
    const float cost = SIM_PlacementQueries::GetConveyorTileCost(tile);
    SIM_ResourceConveyor* conveyor = SIM_ResourceConveyorManager::Instance().CreateConveyor();
    conveyor->m_tile = tile;
    conveyor->m_facing = facing;
    tile->m_conveyor = conveyor;
    PlacementListener().ConveyorLaid(*conveyor, loading);
    if (!loading)
    {
        PayFor(tile, cost);
        PlacementListener().SpawnSlotPlaceParticles(tile);
    }
    return conveyor;
}

int SIM_Placement::LayConveyorPath(const std::vector<SIM_Tile*>& path)
{
    if (path.empty())
        return 0;
    PlacementListener().PlayEffectSound(kPlaceSound);
    std::vector<SIM_Tile*> laid;
    for (SIM_Tile* tile : path)
    {
        if (!tile || tile->m_conveyor)
            continue;
        LayConveyor(tile, SIM_ResourceConveyor::kNoFacing, false);
        laid.push_back(tile);
    }
    ConveyorsChangedAt(laid);
    return static_cast<int>(laid.size());
}

bool SIM_Placement::RemoveConveyor(SIM_Tile* tile, bool refund)
{
    if (!tile || !tile->m_conveyor)
        return false;
    SIM_ResourceConveyor* conveyor = tile->m_conveyor;
    if (SIM_ResourceImportBay* bay = SIM_ResourceConveyorManager::Instance().GetImportBayOn(tile))
    {
        RetextureFromZone(tile);
        if (refund)
        {
            const SIM_ProductionTask* importer =
                SIM_ProductionTaskManager::Instance().GetTask(SIM_DataNames::kTaskResourceImporter);
            FV_ASSERT(importer != nullptr);
            Refund(tile, importer ? importer->m_constructionCost : 0.0f);
        }
        SIM_ResourceConveyorManager::Instance().DestroyImportBay(bay);
        // Supply stockpiles that drew from this bay look for another way to their resources.
        for (SIM_SupplyStockpile* supply : SupplyStockpileRegistry::Instance().Stockpiles())
            supply->UpdateRouteState();
    }
    else if (refund)
    {
        Refund(tile, SIM_PlacementQueries::GetConveyorTileCost(tile));
    }
    PlacementListener().ConveyorRemoved(*conveyor);
    tile->m_conveyor = nullptr;
    PlacementListener().SpawnSlotPlaceParticles(tile);
    SIM_ResourceConveyorManager::Instance().DestroyConveyor(conveyor);
    ConveyorsChangedAt({tile});
    PlacementListener().PlayEffectSound(kPlaceSound);
    return true;
}

void SIM_Placement::ConveyorsChanged()
{
    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    for (SIM_ResourceConveyor* conveyor : conveyors.Conveyors())
        conveyor->UpdateConnections();
    // The runs of the whole floor are numbered here, where a load or a new floor waits anyway,
    // not in the first frame of play.
    conveyors.TakeRunChanges(SIM_Game::Instance().GetFactory());
    InvalidateRoutes();
    RecalculateNearestBay();
}

void SIM_Placement::ConveyorsChangedAt(const std::vector<SIM_Tile*>& tiles)
{
    // The edit itself searches no route: on a busy floor an edit leaves hundreds of objects
    // looking for their way, and searching for all of them held up the click for many frames.
    // Those that need a search wait in line for the frames' shares, as after a load.
    const RouteSearchShare noSearch(0);
    // Only the pieces on and beside the changed tiles can join or leave a neighbour.
    for (SIM_Tile* tile : tiles)
    {
        SIM_Factory* factory = tile ? tile->m_floor : nullptr;
        if (!factory)
            continue;
        if (tile->m_conveyor)
            tile->m_conveyor->UpdateConnections();
        for (int d = 0; d < 4; ++d)
            if (SIM_Tile* neighbour = factory->GetNeighbourTile(tile, d))
                if (neighbour->m_conveyor)
                    neighbour->m_conveyor->UpdateConnections();
    }
    // Routes far from the edit stay as they are: on a big floor, searching every route again
    // (and stopping every object on its way) froze the game for minutes. Likewise only the
    // stations whose nearest bay may have changed look for it again: those whose routes or
    // measurements went, whose own stockpile tile changed, or whose run of conveyors was joined
    // to another or reached a bay. Sending every station of a big floor looking cost frames.
    SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    SIM_Factory* factory = nullptr;
    for (SIM_Tile* tile : tiles)
        factory = factory ? factory : (tile ? tile->m_floor : nullptr);
    const SIM_ResourceConveyorManager::RunChanges runs = conveyors.TakeRunChanges(factory);
    std::vector<SIM_Tile*> goals(tiles.begin(), tiles.end());
    const bool some = InvalidateRoutesAround(tiles, &goals);
    if (!some || runs.whole)
        RecalculateNearestBay();
    else
        RecalculateNearestBayAround(std::move(goals), runs.grown);
}

SIM_ProductionSlot* SIM_Placement::PlaceChainSlot(const SIM_ProductionTask* task, SIM_Tile* tile, int facing,
                                                  bool loading)
{
    if (!task || !tile || tile->m_occupant || tile->m_builtOn)
        return nullptr;
    auto slot = std::make_unique<SIM_ProductionSlot>();
    slot->AssignTask(const_cast<SIM_ProductionTask*>(task));
    static const TaskTileDef kAnchorOnly;
    slot->SetTile(tile);
    slot->SetFacing(facing);
    // Through the factory, so the slot is among those updated every frame and carries cars.
    SIM_Factory::SetOccupant(tile, slot.get());
    tile->m_builtOn = true;
    slot->AddOption(tile, task->m_tiles.empty() ? kAnchorOnly : task->m_tiles.front());
    auto* placed = static_cast<SIM_ProductionSlot*>(SlotQueries::Instance().Adopt(std::move(slot)));
    placed->ApplyTask();
    if (!loading)
        PayFor(tile, task->m_constructionCost);
    PlacementListener().ChainSlotPlaced(*placed, loading);
    if (!loading)
        PlacementListener().SpawnSlotPlaceParticles(tile);
    return placed;
}

int SIM_Placement::PlaceChain(const std::vector<SIM_Tile*>& path, int mouseFacing)
{
    if (path.empty())
        return 0;
    PlacementListener().PlayEffectSound(kPlaceSound);
    SIM_ProductionTaskManager& tasks = SIM_ProductionTaskManager::Instance();
    int built = 0;
    std::vector<SIM_Tile*> rebuild;
    // Conveyor slots rebuilt with a known piece: an end of the chain that was already built on,
    // and a line's loose end turned to meet the chain.
    struct Rejoin
    {
        SIM_Tile* tile;
        const SIM_ProductionTask* task;
        int facing;
    };
    std::vector<Rejoin> rejoin;
    for (size_t i = 0; i < path.size(); ++i)
    {
        SIM_Tile* tile = path[i];
        if (!tile)
            continue;
        std::string name;
        int facing = mouseFacing;
        SIM_PlacementQueries::GetChainPiece(path, i, mouseFacing, name, facing);
        const SIM_ProductionTask* task = tasks.GetTask(name);
        FV_ASSERT(task != nullptr);
        if (!task)
            continue;
        // A chain's ends join the line, station or conveyor they were dragged from or to.
        SIM_PlacementQueries::ChainEndJoin join;
        const bool joined = SIM_PlacementQueries::JoinChainEnd(path, i, join);
        if (joined)
        {
            task = join.task;
            facing = join.facing;
        }
        const SIM_PlaceableSlot* held = tile->m_occupant;
        if (held)
        {
            // A station or facility on the path leaves a gap in the chain.
            if (held->IsFacility() || !held->GetTask() || !held->GetTask()->IsConveyor())
                continue;
            if (joined)
                rejoin.push_back({tile, task, facing});
            else if (SIM_PlacementQueries::CanExtendConveyor(facing, static_cast<const SIM_ProductionSlot&>(*held),
                                                             i == 0))
                rebuild.push_back(tile);
        }
        else if (tile->m_builtOn || !PlaceChainSlot(task, tile, facing, false))
        {
            continue;
        }
        else
        {
            ++built;
        }
        if (joined && join.turned)
            rejoin.push_back({join.turned, join.turnedTask, join.turnedFacing});
    }
    for (const Rejoin& piece : rejoin)
    {
        const auto* held = static_cast<const SIM_ProductionSlot*>(piece.tile->m_occupant);
        if (!held || (held->GetProductionTask() == piece.task && held->GetFacing() == piece.facing))
            continue;
        if (RebuildChainSlot(piece.tile, piece.task, piece.facing))
            ++built;
    }
    // Conveyor slots the chain ran into join it now that the new slots are their neighbours.
    for (SIM_Tile* tile : rebuild)
    {
        const SIM_ProductionTask* task = nullptr;
        int facing = mouseFacing;
        if (SIM_PlacementQueries::AutoConnect(tile, task, facing) && task && RebuildChainSlot(tile, task, facing))
            ++built;
    }
    return built;
}

SIM_ProductionSlot* SIM_Placement::RebuildChainSlot(SIM_Tile* tile, const SIM_ProductionTask* task, int facing)
{
    auto* held = tile ? dynamic_cast<SIM_ProductionSlot*>(tile->m_occupant) : nullptr;
    if (!held || !task)
        return nullptr;
    // A car riding the old piece rides on on the new one: taking the piece away would take the car
    // with it, half built, out of a running line.
    SIM_Vehicle* car = held->GetVehicle();
    held->SetVehicle(nullptr);
    RemoveSlot(held, true, false);
    SIM_ProductionSlot* placed = PlaceChainSlot(task, tile, facing, false);
    if (car && placed)
    {
        placed->SetVehicle(car);
        car->SetSlot(placed);
    }
    else if (car)
    {
        SIM_VehicleManager::Instance().DestroyVehicle(car);
    }
    return placed;
}

void SIM_Placement::FinishLoading()
{
    ConveyorsChanged();
}

void SIM_Placement::PurchaseForSlot(SIM_SlotUpgrade& upgrade, SIM_PlaceableSlot* slot)
{
    if (!slot)
        return;
    slot->GetUpgrades().push_back(&upgrade);
    // The payment rule books the price under the current hour as capital investment, refreshes
    // the cash text and ends the game when the cash is used up.
    SIM_FinanceManager::Instance().Pay(upgrade.m_cost, FC_CAPITAL_INVESTMENT);
    if (!upgrade.m_props.empty())
        PlaceProps(upgrade, slot);
    slot->RecalculateUpgradeEffects();
    if (slot->IsFacility())
        return;
    // A production slot now needs what the upgrade adds; its input stockpile lets go of what
    // it no longer needs.
    SIM_ProductionSlot* production = dynamic_cast<SIM_ProductionSlot*>(slot);
    if (!production)
        return;
    production->RebuildRequiredResources();
    if (SIM_ResourceStockpile* input = production->GetInputStockpile())
    {
        input->TrimToNeeds();
        SIM_Presentation::Instance().Listener().OnSlotUpgradePurchased(slot);
    }
}

void SIM_Placement::PlaceProps(const SIM_SlotUpgrade& upgrade, SIM_PlaceableSlot* slot)
{
    SIM_Tile* anchor = slot ? slot->GetTile() : nullptr;
    DebugAssert(anchor != nullptr, "SIM_SlotUpgrade", 336);
    if (!anchor)
        return;
    SIM_PresentationListener& view = SIM_Presentation::Instance().Listener();
    const SIM_Factory* factory = anchor->m_floor;
    for (const SlotUpgradeProp& prop : upgrade.m_props)
    {
        int dx = 0;
        int dy = 0;
        RotateTileOffset(slot->GetFacing(), prop.XOffset, prop.YOffset, dx, dy);
        SIM_Tile* tile = factory ? factory->GetTile(anchor->m_gridX + dx, anchor->m_gridY + dy) : nullptr;
        // A prop off the floor has no tile to stand on; it is reported and left out.
        DebugAssert(tile != nullptr, "SIM_SlotUpgrade", 356);
        if (!tile)
            continue;
        view.AddUpgradeProp(tile, prop, slot->GetFacing());
    }
    view.RebuildSlotAnimatedProps(slot);
}
