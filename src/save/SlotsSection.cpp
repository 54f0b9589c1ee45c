// Slots and facilities sections.
#include "save/SlotsSection.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PlacementQueries.h"
#include "sim/slots/SIM_PowerplantSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SlotQueries.h"
#include "sim/slots/SlotState.h"
#include "sim/slots/SubTask.h"
#include "sim/views/SIM_SlotView.h"
#include "sim/world/SIM_Tile.h"

namespace
{
// What one item of either section holds, read whole before anything is built from it.
struct SlotItem
{
    // The anchor tile and facing were written as whole numbers.
    bool anchorRead = false;
    int x = -1;
    int y = -1;
    int facing = 1;
    std::string taskName;
    int state = UNKNOWN;
    std::string subTask;
    std::string options;
    std::string upgrades;
    struct Row
    {
        int state;
        int start;
        int end;
    };
    bool hasHistory = false;
    // No more rows than the history holds are read; a busy factory's slots have a hundred each.
    std::array<Row, SIM_SlotStateHistory::kEntryCount> history{};
    int historyRows = 0;
};

void WriteUpgrades(SaveWriter& out, const SIM_PlaceableSlot& slot)
{
    if (slot.GetUpgrades().empty())
        return;
    std::string names;
    for (const SIM_SlotUpgrade* upgrade : slot.GetUpgrades())
        if (upgrade)
            out.AppendName(names, upgrade->m_name);
    out.Open("upgrades");
    out.List("names", names);
    out.Close("upgrades");
}

void WriteHistory(SaveWriter& out, const SIM_PlaceableSlot& slot)
{
    const SIM_SlotStateHistory* history = slot.GetStateHistory();
    int count = 0;
    if (history)
        for (int i = 0; i < SIM_SlotStateHistory::kEntryCount; ++i)
            count += history->GetEntry(i).valid ? 1 : 0;
    out.Open("history");
    out.Int("count", count);
    int row = 0;
    for (int i = 0; history && i < SIM_SlotStateHistory::kEntryCount; ++i)
    {
        const SIM_SlotStateHistory::Entry& entry = history->GetEntry(i);
        if (!entry.valid)
            continue;
        std::string value;
        SaveWriter::AppendInt(value, entry.state);
        SaveWriter::AppendInt(value, savetext::TruncateToInt(entry.start));
        savetext::AppendInt(value, savetext::TruncateToInt(entry.end));
        out.List(std::to_string(row++), value);
    }
    out.Close("history");
}

std::string Describe(const char* kind, const SlotItem& item)
{
    return std::string("Save game: ") + kind + " " + savetext::Quote(item.taskName) + " at " + std::to_string(item.x) +
           "," + std::to_string(item.y);
}

// The nested elements every item may carry: upgrades and history (options only in slots).
void ReadNested(SaveReader& in, SlotItem& item, const char* kind)
{
    if (in.OptionalElement("upgrades"))
    {
        item.upgrades = in.NameList("names");
        in.FindClosing("upgrades");
    }
    if (in.OptionalElement("history"))
    {
        item.hasHistory = true;
        const int count = in.Int("count");
        // Rows are read while they follow one another; a count larger than the rows present (or
        // than the history holds) reads no further.
        for (int i = 0; i < count && i < SIM_SlotStateHistory::kEntryCount; ++i)
        {
            char name[16];
            const auto named = std::to_chars(name, name + sizeof name, i);
            std::string_view value;
            if (!in.OptionalValue(std::string_view(name, named.ptr - name), value))
                break;
            SaveCommaList row(value);
            SlotItem::Row& entry = item.history[item.historyRows++];
            entry.state = row.NextInt();
            entry.start = row.NextInt();
            entry.end = row.NextInt();
        }
        // The writer gives exactly `count` rows, numbered in order. Fewer, or anything else before
        // the history's end, is what a block cut out of the file leaves behind: this item now
        // ends with the rows and the end of an item further on, and the items between are gone
        // without a trace of their own.
        if (item.historyRows < count || in.PeekTag() != "/history")
            in.LogDropped(Describe(kind, item) + ": its history holds " + std::to_string(item.historyRows) +
                          " of its " + std::to_string(count) + " rows in order; the rest left out");
        in.FindClosing("history");
    }
}

void ApplyUpgrades(SaveReader& in, SIM_PlaceableSlot& slot, const std::string& names)
{
    SaveCommaList items(names);
    while (items.HasNext())
    {
        const std::string& name = in.NextName(items, "slot upgrade");
        if (name.empty())
            continue;
        SIM_SlotUpgrade* upgrade = SIM_SlotUpgradeManager::Instance().GetUpgrade(name);
        if (!upgrade)
        {
            in.LogDropped("Save game: unknown slot upgrade " + savetext::Quote(name) + " left out");
            continue;
        }
        slot.GetUpgrades().push_back(upgrade);
    }
    slot.RecalculateUpgradeEffects();
    // The upgrades' props go back on the floor; nothing is paid again.
    for (SIM_SlotUpgrade* upgrade : slot.GetUpgrades())
        if (!upgrade->m_props.empty())
            SIM_Placement::PlaceProps(*upgrade, &slot);
}

void ApplyHistory(SIM_PlaceableSlot& slot, const SlotItem& item)
{
    SIM_SlotStateHistory* history = slot.GetStateHistory();
    if (!item.hasHistory || !history)
        return;
    SIM_SlotStateHistory::Entry entries[SIM_SlotStateHistory::kEntryCount];
    int used = 0;
    for (int i = 0; i < item.historyRows; ++i)
    {
        const SlotItem::Row& row = item.history[i];
        // A row with a state the game does not have would index its state tables out of range.
        if (row.state < 0 || row.state >= NUM_SLOT_STATES)
            continue;
        entries[used++] = {static_cast<float>(row.start), static_cast<float>(row.end), row.state, 1};
    }
    history->Restore(entries, used);
}

// The leaves every item starts with: anchor tile, facing and task name.
void ReadAnchor(SaveReader& in, SlotItem& item)
{
    const bool tileRead = in.TileXY("tile_x", "tile_y", item.x, item.y);
    const bool facingRead = in.WholeInt("facing", item.facing);
    item.anchorRead = tileRead && facingRead;
    item.taskName = in.Name("taskname");
}

// The item's anchor tile when the item can be placed: its tile and facing read, on the floor,
// with a known task and a facing the game has, and where the player could have built it (in an
// open building zone on free tiles; an importer or export on its site). Otherwise null, and the
// item is left out with a log line.
SIM_Tile* PlaceableTile(SaveReader& in, const SlotItem& item, const char* kind, const SIM_BaseTask* task)
{
    SIM_Tile* tile = item.anchorRead ? SaveReader::TileAt(item.x, item.y) : nullptr;
    if (!tile || !task || item.facing < 0 || item.facing > 3)
    {
        in.LogDropped(Describe(kind, item) + ": no such tile, task or facing; left out");
        return nullptr;
    }
    const auto* production = dynamic_cast<const SIM_ProductionTask*>(task);
    const bool allowed = SIM_PlacementQueries::IsFootprintFree(*task, tile, item.facing) &&
                         (!production || SIM_PlacementQueries::CanPlaceSlotAt(*production, tile, item.facing));
    if (!allowed)
    {
        in.LogDropped(Describe(kind, item) + ": the game could not build it there; left out");
        return nullptr;
    }
    return tile;
}

// Puts a production slot on the floor through the simulation's placement operation in its
// loading mode (an importer brings its bay and conveyor piece).
SIM_ProductionSlot* PlaceProductionSlot(SIM_Tile* tile, int facing, SIM_ProductionTask* task)
{
    return static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(task, tile, facing, true));
}

SIM_FacilitySlot* PlaceFacility(SIM_Tile* tile, int facing, SIM_FacilityTask* task)
{
    return static_cast<SIM_FacilitySlot*>(SIM_Placement::PlaceTask(task, tile, facing, true));
}

void ReadOneSlot(SaveReader& in)
{
    SlotItem item;
    ReadAnchor(in, item);
    item.state = in.Int("state");
    item.subTask = in.Name("task");
    if (in.OptionalElement("options"))
    {
        item.options = in.NameList("names");
        in.FindClosing("options");
    }
    ReadNested(in, item, "slot");

    SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(item.taskName);
    SIM_Tile* tile = PlaceableTile(in, item, "slot", task);
    SIM_ProductionSlot* slot = tile ? PlaceProductionSlot(tile, item.facing, task) : nullptr;
    if (!slot)
    {
        if (tile)
            in.LogDropped(Describe("slot", item) + " does not fit; left out");
        return;
    }

    // Options first: each one rebuilds the sub-tasks, which would otherwise undo the choice of
    // the current sub-task and leave a running slot timing a sub-task that never started.
    SaveCommaList options(item.options);
    while (options.HasNext())
    {
        const std::string& name = in.NextName(options, "slot option");
        if (!name.empty())
            slot->SetOption(true, name);
    }
    if (!slot->IsConveyor())
    {
        const auto& subTasks = slot->GetSubTasks();
        size_t index = 0;
        while (index < subTasks.size() && !(subTasks[index]->task && subTasks[index]->task->m_name == item.subTask))
            ++index;
        if (index < subTasks.size())
            slot->SetCurrentSubTask(static_cast<int>(index));
        else
            in.ReportBadValue("Saved subtask not found");
    }
    if (item.state >= 0 && item.state < NUM_SLOT_STATES)
        slot->SetState(item.state);
    else
        in.LogDropped("Save game: slot state " + std::to_string(item.state) + " out of range");
    if (item.state == RUNNING && !slot->IsConveyor())
        slot->StartRunning();

    ApplyUpgrades(in, *slot, item.upgrades);
    slot->RebuildRequiredResources();
    ApplyHistory(*slot, item);
}

void ReadOneFacility(SaveReader& in)
{
    SlotItem item;
    ReadAnchor(in, item);
    ReadNested(in, item, "facility");

    SIM_FacilityTask* task = SIM_FacilityManager::Instance().GetTask(item.taskName);
    SIM_Tile* tile = PlaceableTile(in, item, "facility", task);
    SIM_FacilitySlot* slot = tile ? PlaceFacility(tile, item.facing, task) : nullptr;
    if (!slot)
    {
        if (tile)
            in.LogDropped(Describe("facility", item) + " does not fit; left out");
        return;
    }
    ApplyUpgrades(in, *slot, item.upgrades);
    // A facility's state is not in the file; it is the state of its history's open entry.
    for (int i = item.historyRows - 1; i >= 0; --i)
    {
        const SlotItem::Row& row = item.history[i];
        if (row.end == -1 && row.state >= 0 && row.state < NUM_SLOT_STATES)
        {
            slot->SetState(row.state);
            break;
        }
    }
    ApplyHistory(*slot, item);
}
} // namespace

bool SlotsSection::IsPlaced(const SIM_PlaceableSlot* slot)
{
    if (!slot || !slot->GetTile() || !slot->GetTask())
        return false;
    // Headless there is no view and every slot on the floor is placed.
    const SIM_SlotView* view = slot->GetGuiSlot();
    return !view || view->HasMainTile();
}

void SlotsSection::WriteSlots(SaveWriter& out)
{
    out.Open("slots");
    for (const SIM_PlaceableSlot* base : SlotQueries::Instance().GetAllSlots())
    {
        if (base->IsFacility() || !IsPlaced(base))
            continue;
        const auto* slot = static_cast<const SIM_ProductionSlot*>(base);
        out.Open("slot");
        out.TileXY("tile_x", "tile_y", slot->GetTile());
        out.Int("facing", slot->GetFacing());
        out.Text("taskname", slot->GetTask()->m_name);
        out.Int("state", slot->GetState());
        const auto& subTasks = slot->GetSubTasks();
        const int current = slot->GetCurrentSubTask();
        const bool hasCurrent = current >= 0 && current < static_cast<int>(subTasks.size()) && subTasks[current]->task;
        out.Text("task", hasCurrent ? subTasks[current]->task->m_name : std::string());
        if (!slot->GetOptions().empty())
        {
            std::string names;
            for (const std::string& option : slot->GetOptions())
                out.AppendName(names, option);
            out.Open("options");
            out.List("names", names);
            out.Close("options");
        }
        WriteUpgrades(out, *slot);
        WriteHistory(out, *slot);
        out.Close("slot");
    }
    out.Close("slots");
}

void SlotsSection::WriteFacilities(SaveWriter& out)
{
    out.Open("facilities");
    for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
    {
        if (!slot->IsFacility() || !IsPlaced(slot))
            continue;
        out.Open("facility");
        out.TileXY("tile_x", "tile_y", slot->GetTile());
        out.Int("facing", slot->GetFacing());
        out.Text("taskname", slot->GetTask()->m_name);
        WriteUpgrades(out, *slot);
        WriteHistory(out, *slot);
        out.Close("facility");
    }
    out.Close("facilities");
}

void SlotsSection::ReadSlots(SaveReader& in)
{
    in.BeginList("slots");
    while (in.NextItem("slots", "slot"))
    {
        ReadOneSlot(in);
        in.EndItem("slot");
    }
}

void SlotsSection::ReadFacilities(SaveReader& in)
{
    in.BeginList("facilities");
    while (in.NextItem("facilities", "facility"))
    {
        ReadOneFacility(in);
        in.EndItem("facility");
    }
}
