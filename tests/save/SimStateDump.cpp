// The canonical simulation dump of the savegame tests.
#include "SimStateDump.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_GlobalFactoryVariables.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ComponentStockpileManager.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceExporter.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/flow/SupplyStockpileRegistry.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SIM_Employee.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SlotQueries.h"
#include "sim/slots/SubTask.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"

namespace savetest
{
namespace
{
std::string Real(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string TileName(const SIM_Tile* tile)
{
    return tile ? std::to_string(tile->m_gridX) + "," + std::to_string(tile->m_gridY) : std::string("-");
}

std::string SlotName(const SIM_PlaceableSlot* slot)
{
    return slot ? TileName(slot->GetTile()) : std::string("-");
}

int Guid(const SIM_ResourceObject* object)
{
    return SIM_ResourceObjManager::Instance().IndexOf(object);
}

template <class List>
std::string Guids(const List& objects)
{
    std::string text;
    for (const SIM_ResourceObject* object : objects)
        text += std::to_string(Guid(object)) + " ";
    return text;
}

void DumpContents(std::ostream& out, const SIM_StockpileBase& stockpile)
{
    out << "  stored " << Guids(stockpile.Stored()) << "\n  requests";
    for (const auto& request : stockpile.Requests())
        out << " " << Guid(request->object) << "/" << request->reserved;
    out << "\n";
}

void DumpExporter(std::ostream& out, SIM_ResourceExporter& exporter)
{
    out << "  outlet timer " << Real(static_cast<float>(exporter.Timer().m_total), 8) << " rate "
        << Real(exporter.m_rate, 8) << " queue " << Guids(exporter.Queue()) << "\n";
}

void DumpSlot(std::ostream& out, const SIM_PlaceableSlot* slot)
{
    out << (slot->IsFacility() ? "facility " : "slot ") << SlotName(slot) << " facing " << slot->GetFacing() << " task "
        << (slot->GetTask() ? slot->GetTask()->m_name : "-") << " state " << slot->GetState() << " staff "
        << slot->GetEmployees().size() << " tiles";
    for (const SIM_Tile* tile : slot->GetTiles())
        out << " " << TileName(tile);
    out << "\n  upgrades";
    for (const SIM_SlotUpgrade* upgrade : slot->GetUpgrades())
        out << " " << upgrade->m_name;
    out << " effects " << slot->GetSpeedMultiplier() << " " << slot->GetPowerUseMultiplier() << " "
        << slot->GetQualityMultiplier() << " " << slot->GetPowerProductionMultiplier() << " "
        << slot->GetAdditivePower() << " " << slot->GetAdditiveSpeed() << "\n  history";
    if (const SIM_SlotStateHistory* history = slot->GetStateHistory())
    {
        for (int i = 0; i < SIM_SlotStateHistory::kEntryCount; ++i)
        {
            const SIM_SlotStateHistory::Entry& entry = history->GetEntry(i);
            if (entry.valid)
                out << " " << entry.state << ":" << static_cast<int>(entry.start) << ":" << static_cast<int>(entry.end)
                    << (i == history->GetCurrentIndex() ? "*" : "");
        }
    }
    out << "\n";
    if (!slot->IsFacility())
    {
        const auto* production = static_cast<const SIM_ProductionSlot*>(slot);
        const int current = production->GetCurrentSubTask();
        out << "  subtasks " << production->GetSubTasks().size() << " current " << current;
        if (current >= 0 && current < static_cast<int>(production->GetSubTasks().size()))
            out << " " << production->GetSubTasks()[current]->task->m_name;
        out << " options";
        for (const std::string& option : production->GetOptions())
            out << " " << option;
        out << " car " << (production->GetVehicle() ? "yes" : "no") << "\n";
        if (const SIM_ResourceStockpile* input = production->GetInputStockpile())
            DumpContents(out, *input);
        if (SIM_ComponentStockpile* output = production->GetOutputStockpile())
        {
            out << "  parts " << Guids(output->Held()) << "\n";
            DumpExporter(out, output->Exporter());
        }
    }
    else if (const auto* supply = dynamic_cast<const SIM_SupplyStockpile*>(slot))
    {
        auto* mutableSupply = const_cast<SIM_SupplyStockpile*>(supply);
        DumpContents(out, *supply);
        DumpExporter(out, mutableSupply->Exporter());
        out << "  stock";
        for (const auto& item : mutableSupply->StockItems())
            out << " " << item->resource->m_name << "=" << item->wanted;
        out << " pallets " << supply->PalletPlaces().size() << "\n";
    }
}
} // namespace

std::string DumpSimulation()
{
    std::ostringstream out;
    SIM_Game& game = SIM_Game::Instance();
    const SIM_Factory* factory = game.GetFactory();
    out << "game hour " << game.GetCurrentHour() << " time " << static_cast<int>(game.GetGameTime()) << " mission "
        << (game.GetMission() ? game.GetMission()->m_name : "-") << "\n";
    if (game.GetMission())
        for (const auto& zone : game.GetMission()->m_zones)
            out << "zone " << zone->m_guiName << " " << zone->m_state << "\n";
    if (!factory)
        return out.str();

    // The floor: what stands where.
    for (int x = 0; x < factory->GetWidth(); ++x)
    {
        for (int y = 0; y < factory->GetHeight(); ++y)
        {
            const SIM_Tile* tile = factory->GetTile(x, y);
            if (!tile->m_occupant && !tile->m_conveyor && !tile->m_builtOn && !tile->m_hasStockpile)
                continue;
            out << "tile " << x << "," << y << " zone " << tile->m_zoneState << " slot " << SlotName(tile->m_occupant)
                << " built " << tile->m_builtOn << " stockpile " << tile->m_hasStockpile;
            if (tile->m_conveyor)
                out << " conveyor " << tile->m_conveyor->m_facing;
            out << "\n";
        }
    }

    // Production slots, then facilities, each in the order they were placed: a load places them so.
    for (const bool facilities : {false, true})
        for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
            if (slot->IsFacility() == facilities)
                DumpSlot(out, slot);

    // Cars in list order; a car's facing follows its slot.
    for (const SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
    {
        const int* c = car->GetColor();
        out << "car at " << Real(car->GetX(), 8) << "," << Real(car->GetY(), 8) << " from " << Real(car->GetStartX(), 8)
            << "," << Real(car->GetStartY(), 8) << " to " << Real(car->GetTargetX(), 8) << ","
            << Real(car->GetTargetY(), 8) << " leg " << Real(car->GetLegTime(), 8) << " state " << car->GetState()
            << " slot " << SlotName(car->GetSlot()) << " colour " << c[0] << "," << c[1] << "," << c[2] << "," << c[3];
        if (car->GetSlot())
            out << " facing " << car->GetFacing();
        out << "\n  features";
        for (const auto& record : car->GetFeatureRecords())
        {
            out << " " << record->feature->m_name << "(";
            for (const SIM_SlotUpgrade* upgrade : record->upgrades)
                out << upgrade->m_name << " ";
            out << ")";
        }
        out << "\n  tasks";
        for (const std::string& task : car->GetAppliedTasks())
            out << " " << task;
        out << "\n  parts";
        for (const auto& component : car->GetComponents())
            out << " " << component->GetType()->m_name << "/" << component->GetColor()[0] << ","
                << component->GetColor()[1] << "," << component->GetColor()[2];
        out << "\n";
    }

    const SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
    out << "conveyors " << conveyors.Conveyors().size() << "\n";
    for (const SIM_ResourceImportBay* bay : conveyors.ImportBays())
    {
        std::vector<int> queue;
        for (const SIM_ResourceObject* object : bay->Queue())
            queue.push_back(Guid(object));
        // A load rebuilds the queues in guid order.
        std::sort(queue.begin(), queue.end());
        out << "bay " << TileName(bay->GetTile()) << " queue";
        for (const int guid : queue)
            out << " " << guid;
        out << "\n";
    }

    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    out << "objects top " << pool.TopIndex() << " in use " << pool.CountInUse() << "\n";
    for (int i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
    {
        const SIM_ResourceObject& object = pool.Record(i);
        if (!object.IsInUse())
            continue;
        out << "obj " << i << " id " << object.m_id << " at " << Real(object.m_x, 8) << "," << Real(object.m_y, 8)
            << " state " << object.m_state << " to " << SlotName(object.m_destination) << " "
            << object.m_resource->m_name << " place " << object.m_placeIndex << " bay "
            << (object.m_sourceBay ? TileName(object.m_sourceBay->GetTile()) : "-") << " task "
            << (object.m_task ? object.m_task->m_name : "-") << "\n";
    }
    for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
    {
        out << "prices " << resource->m_name;
        for (const float price : resource->m_prices)
            out << " " << Real(price, 2);
        out << "\n";
    }

    const SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    out << "research target " << (research.GetCurrentResearch() ? research.GetCurrentResearch()->m_name : "-") << "\n";
    for (const SIM_Researchable* item : research.GetItems())
        if (item->m_progress > 0.0f || item->IsComplete())
            out << "res " << item->m_name << " " << Real(item->m_cost > 0.0f ? item->m_progress / item->m_cost : 1.0, 6)
                << " " << item->IsComplete() << "\n";
    // What finished research opened: the loader must unlock it again, not only restore progress.
    out << "locked tasks";
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
        if (task->m_locked)
            out << " " << task->m_name;
    out << "\nlocked facilities";
    for (const SIM_FacilityTask* facility : SIM_FacilityManager::Instance().GetTasks())
        if (facility->m_locked)
            out << " " << facility->m_name;
    out << "\n";
    const SIM_GlobalFactoryVariables& variables = SIM_GlobalFactoryVariables::Instance();
    out << "variables";
    for (int i = 0; i < GFV_COUNT; ++i)
        out << " " << variables.GetMultiplier(i);
    out << "\n";

    for (const SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
    {
        out << "design " << design->m_name << " price " << Real(design->m_price, 8) << " colour " << design->m_colour.r
            << "," << design->m_colour.g << "," << design->m_colour.b << " parts";
        for (const SIM_VehicleComponentType* type : design->m_componentTypes)
            out << " " << type->m_name;
        out << " features";
        for (const SIM_VehicleFeatureRecord* record : design->m_featureRecords)
            out << " " << record->feature->m_name;
        out << "\n";
    }

    SIM_FinanceManager& finance = SIM_FinanceManager::Instance();
    float balances[SIM_FinanceManager::NUM_BALANCES];
    finance.GetBalances(balances);
    out << "cash " << Real(finance.GetCash(), 8) << " over " << finance.IsGameOver() << "\n  balances";
    for (const float balance : balances)
        out << " " << Real(balance, 2);
    const SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    out << "\n  totals";
    for (const float total : ledger.totals)
        out << " " << Real(total, 2);
    out << "\n";
    for (int i = 0; i < SIM_FinanceRecord::NUM_RECORDS; ++i)
    {
        const SIM_FinanceLedgerEntry& record = ledger.records[i];
        if (record.used)
            out << "ledger " << i << " hour " << record.hour << " " << Real(record.amount, 2) << " cat "
                << record.category << "\n";
    }

    const SalesRecordPool& sales = SalesRecordPool::Instance();
    out << "sales highest " << sales.highestIndex << "\n";
    for (int i = 0; i <= sales.highestIndex && i < SalesRecordPool::NUM_RECORDS; ++i)
    {
        const SaleRecord& record = sales.records[i];
        out << "sale " << i << " " << int(record.active) << " hour " << record.hour << " " << Real(record.amount, 2)
            << " " << (record.design ? record.design->m_name : "-") << " x" << record.quantity << "\n";
    }
    for (const SaleTotal& total : sales.totals)
        out << "sales total " << total.design->m_name << " " << Real(total.amount, 8) << " x" << total.quantity << "\n";
    for (const auto& entry : SIM_SalesManager::Instance().GetStock())
        out << "stock " << entry->design->m_name << " " << entry->count << "\n";
    out << "demand " << Real(DemandFactor(), 6) << "\n";

    const SIM_Efficiency& efficiency = SIM_Efficiency::Instance();
    out << "efficiency last " << Real(efficiency.lastSampleTime, 8) << "\n";
    for (int i = 0; i < SIM_Efficiency::NUM_SAMPLES; ++i)
    {
        const SIM_Efficiency::Sample& sample = efficiency.samples[i];
        out << "sample " << i << " " << int(sample.valid) << " " << Real(sample.time, 6);
        // The last share is what the others leave; a load recomputes it from them.
        for (int s = 0; s < SIM_Efficiency::NUM_STATES - 1; ++s)
            out << " " << Real(sample.shares[s], 2);
        out << "\n";
    }
    return out.str();
}

std::string CountObjectsByPlace()
{
    size_t inputs = 0, parts = 0, supplies = 0, outlets = 0, bays = 0;
    for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        if (const auto* supply = dynamic_cast<const SIM_SupplyStockpile*>(slot))
        {
            supplies += supply->Stored().size();
            outlets += const_cast<SIM_SupplyStockpile*>(supply)->Exporter().Queue().size();
            continue;
        }
        if (slot->IsFacility())
            continue;
        const auto* production = static_cast<const SIM_ProductionSlot*>(slot);
        if (const SIM_ResourceStockpile* input = production->GetInputStockpile())
            inputs += input->Stored().size();
        if (SIM_ComponentStockpile* output = production->GetOutputStockpile())
        {
            parts += output->Held().size();
            outlets += output->Exporter().Queue().size();
        }
    }
    for (const SIM_ResourceImportBay* bay : SIM_ResourceConveyorManager::Instance().ImportBays())
        bays += bay->Queue().size();
    size_t moving = 0, inUse = 0;
    SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
    for (int i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
    {
        const SIM_ResourceObject& object = pool.Record(i);
        inUse += object.IsInUse() ? 1 : 0;
        moving += object.IsInUse() && object.m_state == SIM_ResourceObject::STATE_IN_TRANSIT ? 1 : 0;
    }
    const size_t placed = inputs + parts + supplies + outlets + bays + moving;
    std::ostringstream out;
    out << "input stockpiles " << inputs << "\npart stockpiles " << parts << "\nsupply stockpiles " << supplies
        << "\noutlets " << outlets << "\nimport bays " << bays << "\non the way " << moving << "\nnowhere "
        << (inUse > placed ? inUse - placed : 0) << "\n";
    return out.str();
}

std::string OutletQueues()
{
    std::ostringstream out;
    for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        SIM_ResourceExporter* outlet = nullptr;
        if (const auto* supply = dynamic_cast<const SIM_SupplyStockpile*>(slot))
            outlet = &const_cast<SIM_SupplyStockpile*>(supply)->Exporter();
        else if (!slot->IsFacility())
            if (SIM_ComponentStockpile* output = static_cast<const SIM_ProductionSlot*>(slot)->GetOutputStockpile())
                outlet = &output->Exporter();
        if (outlet && !outlet->Queue().empty())
            out << SlotName(slot) << ": " << Guids(outlet->Queue()) << "\n";
    }
    return out.str();
}

std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::istringstream left(a), right(b);
    std::string l, r;
    int line = 0;
    while (true)
    {
        const bool hasL = static_cast<bool>(std::getline(left, l));
        const bool hasR = static_cast<bool>(std::getline(right, r));
        ++line;
        if (!hasL && !hasR)
            return "";
        if (!hasL || !hasR || l != r)
            return "line " + std::to_string(line) + ":\n  before: " + (hasL ? l : "<end>") +
                   "\n  after:  " + (hasR ? r : "<end>");
    }
}
} // namespace savetest
