// Vehicles section.
#include "save/VehiclesSection.h"

#include <algorithm>
#include <string>
#include <vector>

#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

namespace
{
struct FeatureItem
{
    SIM_VehicleFeature* feature = nullptr;
    std::vector<SIM_SlotUpgrade*> upgrades;
};

void ReadFeatures(SaveReader& in, std::vector<FeatureItem>& out)
{
    in.BeginList("features");
    while (in.NextItem("features", "feature"))
    {
        FeatureItem item;
        const std::string name = in.Name("name");
        item.feature = SIM_VehicleFeatureManager::Instance().FindFeature(name);
        if (in.OptionalElement("upgrades"))
        {
            SaveCommaList names(in.Value("names"));
            while (names.HasNext())
            {
                const std::string& upgradeName = in.NextName(names, "car feature upgrade");
                if (upgradeName.empty())
                    continue;
                if (SIM_SlotUpgrade* upgrade = SIM_SlotUpgradeManager::Instance().GetUpgrade(upgradeName))
                    item.upgrades.push_back(upgrade);
                else
                    in.LogDropped("Save game: car feature upgrade " + savetext::Quote(upgradeName) +
                                  " unknown; left out");
            }
            in.FindClosing("upgrades");
        }
        if (item.feature)
            out.push_back(std::move(item));
        else
            in.LogDropped("Save game: car feature " + savetext::Quote(name) + " unknown; left out");
        in.EndItem("feature");
    }
}

void ReadNames(SaveReader& in, const char* list, const char* item, std::vector<std::string>& out)
{
    in.BeginList(list);
    while (in.NextItem(list, item))
    {
        std::string name = in.Name("name");
        if (!name.empty())
            out.push_back(std::move(name));
        in.EndItem(item);
    }
}

// The production slot whose anchor tile is (x, y), for a car that belongs to one; null when the
// tile holds none (logged).
SIM_ProductionSlot* SlotForCar(SaveReader& in, int x, int y)
{
    SIM_Tile* tile = SaveReader::TileAt(x, y);
    SIM_PlaceableSlot* occupant = tile ? tile->m_occupant : nullptr;
    // A facility is no production slot: the flag is checked before the slot is taken as one.
    if (!occupant || occupant->IsFacility() || occupant->GetTile() != tile)
    {
        in.LogDropped("Save game: a car names no production slot at " + std::to_string(x) + "," + std::to_string(y));
        return nullptr;
    }
    return static_cast<SIM_ProductionSlot*>(occupant);
}

void ReadOneVehicle(SaveReader& in)
{
    const float targetX = in.Coordinate("targ_x");
    const float targetY = in.Coordinate("targ_y");
    const float x = in.Coordinate("wor_x");
    const float y = in.Coordinate("wor_y");
    const float startX = in.Coordinate("las_x");
    const float startY = in.Coordinate("las_y");
    const int state = in.Int("state");
    int slotX = -1, slotY = -1;
    const bool slotRead = in.TileXY("slot_x", "slot_y", slotX, slotY);
    const float legTime = std::max(0.0f, in.Float("worktimer"));
    int color[4];
    in.Color(color);
    std::vector<FeatureItem> features;
    ReadFeatures(in, features);
    std::vector<std::string> tasks;
    ReadNames(in, "tasks", "task", tasks);
    std::vector<std::string> components;
    ReadNames(in, "components", "component", components);

    if (!slotRead)
    {
        in.LogDropped("Save game: a car whose slot cannot be read left out");
        return;
    }
    if (state < SIM_Vehicle::STANDING || state > SIM_Vehicle::GONE)
    {
        in.LogDropped("Save game: a car in state " + std::to_string(state) + " left out");
        return;
    }
    SIM_ProductionSlot* slot = nullptr;
    if (slotX != -1 || slotY != -1)
    {
        // Only a car standing in or moving to its slot belongs to one; a slot has one car.
        slot = SlotForCar(in, slotX, slotY);
        if (!slot)
            return;
        if (state != SIM_Vehicle::STANDING && state != SIM_Vehicle::MOVING)
        {
            in.LogDropped("Save game: a car that leaves the factory still names a slot; the link is dropped");
            slot = nullptr;
        }
        else if (slot->GetVehicle())
        {
            in.LogDropped("Save game: two cars name one slot; the second is left out");
            return;
        }
    }

    SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
    car->SetPosition(x, y);
    car->RestoreLeg(startX, startY, targetX, targetY, legTime);
    car->SetState(state);
    if (slot)
    {
        car->SetSlot(slot);
        car->SetFacing(slot->GetFacing());
        slot->SetVehicle(car);
    }
    for (FeatureItem& item : features)
    {
        auto record = std::make_unique<SIM_VehicleFeatureRecord>();
        record->feature = item.feature;
        record->upgrades = std::move(item.upgrades);
        car->AddCompletedTask(std::move(record));
    }
    for (const std::string& task : tasks)
        car->AddAppliedTask(task);
    for (const std::string& name : components)
    {
        const SIM_VehicleComponentType* type = SIM_VehicleComponentTypeManager::Instance().GetComponentType(name);
        if (!type)
        {
            in.ReportBadValue("Invalid Car Component:[" + savetext::Quote(name) + "]");
            continue;
        }
        car->AddComponent(std::make_unique<SIM_VehicleComponent>(car, type));
    }
    // The car and every part get the car's colour.
    car->SetColor(color[0], color[1], color[2], color[3]);
}
} // namespace

void VehiclesSection::Write(SaveWriter& out)
{
    out.Open("vehicles");
    for (const SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
    {
        out.Open("vehicle");
        out.Real("targ_x", car->GetTargetX());
        out.Real("targ_y", car->GetTargetY());
        out.Real("wor_x", car->GetX());
        out.Real("wor_y", car->GetY());
        out.Real("las_x", car->GetStartX());
        out.Real("las_y", car->GetStartY());
        out.Int("state", car->GetState());
        out.TileXY("slot_x", "slot_y", car->GetSlot() ? car->GetSlot()->GetTile() : nullptr);
        out.Real("worktimer", car->GetLegTime());
        const int* color = car->GetColor();
        out.Color(color[0], color[1], color[2], color[3]);
        out.Open("features");
        for (const auto& record : car->GetFeatureRecords())
        {
            if (!record || !record->feature)
                continue;
            out.Open("feature");
            out.Text("name", record->feature->m_name);
            if (!record->upgrades.empty())
            {
                std::string names;
                for (const SIM_SlotUpgrade* upgrade : record->upgrades)
                    if (upgrade)
                        out.AppendName(names, upgrade->m_name);
                out.Open("upgrades");
                out.List("names", names);
                out.Close("upgrades");
            }
            out.Close("feature");
        }
        out.Close("features");
        out.Open("tasks");
        for (const std::string& task : car->GetAppliedTasks())
        {
            out.Open("task");
            out.Text("name", task);
            out.Close("task");
        }
        out.Close("tasks");
        out.Open("components");
        for (const auto& component : car->GetComponents())
        {
            if (!component || !component->GetType())
                continue;
            out.Open("component");
            out.Text("name", component->GetType()->m_name);
            out.Close("component");
        }
        out.Close("components");
        out.Close("vehicle");
    }
    out.Close("vehicles");
}

void VehiclesSection::Read(SaveReader& in)
{
    SIM_VehicleManager::Instance().DeleteAll();
    in.BeginList("vehicles");
    while (in.NextItem("vehicles", "vehicle"))
    {
        ReadOneVehicle(in);
        in.EndItem("vehicle");
    }
}
