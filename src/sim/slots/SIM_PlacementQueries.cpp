// The placement tools' questions about the floor, answered without changing it.
#include "sim/slots/SIM_PlacementQueries.h"

#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/definitions/TaskTileDef.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Tile.h"

#include <algorithm>

namespace
{
// The floor a tile belongs to; null for no tile.
SIM_Factory* FloorOf(const SIM_Tile* tile)
{
    return tile ? tile->m_floor : nullptr;
}

// A direction offset turned by a facing, brought into 0..3.
int TurnDirection(int offset, int facing)
{
    return ((offset + facing) % 4 + 4) % 4;
}

SIM_Tile* NeighbourOf(const SIM_Tile* tile, int direction)
{
    SIM_Factory* factory = FloorOf(tile);
    return factory ? factory->GetNeighbourTile(tile, direction) : nullptr;
}

// The production slot standing on a tile; null for an empty tile or a facility.
SIM_ProductionSlot* ProductionSlotOn(const SIM_Tile* tile)
{
    if (!tile || !tile->m_occupant || tile->m_occupant->IsFacility())
        return nullptr;
    return static_cast<SIM_ProductionSlot*>(tile->m_occupant);
}

// A tile off the floor or outside every building zone: the outside of the factory.
bool IsOutside(const SIM_Tile* tile)
{
    return !tile || tile->m_zoneState == SIM_Tile::ZONE_NONE;
}

bool IsOnSiteList(const std::vector<std::unique_ptr<SIM_PotentialSite>>& sites, const SIM_Tile* tile)
{
    return std::any_of(sites.begin(), sites.end(),
                       [tile](const std::unique_ptr<SIM_PotentialSite>& site) { return site->m_tile == tile; });
}

// Whether one of the slot's directions (offsets turned by its facing) leads from its anchor to tile.
bool LeadsTo(const SIM_ProductionSlot& slot, const std::vector<int>& offsets, const SIM_Tile* tile)
{
    for (int offset : offsets)
        if (NeighbourOf(slot.GetTile(), TurnDirection(offset, slot.GetFacing())) == tile)
            return true;
    return false;
}

// The neighbours a slot meets through its offsets must each lead back to the anchor through the
// other side's offsets (exits for inputs, inputs for exits).
bool DirectionsConnect(const std::vector<int>& offsets, bool inputs, const SIM_Tile* anchor, int facing)
{
    for (int offset : offsets)
    {
        const SIM_ProductionSlot* neighbour = ProductionSlotOn(NeighbourOf(anchor, TurnDirection(offset, facing)));
        if (!neighbour || !neighbour->GetProductionTask())
            continue;
        const SIM_ProductionTask& other = *neighbour->GetProductionTask();
        const std::vector<int>& back = inputs ? other.m_exitDirections : other.m_inputDirections;
        if (back.empty() || !LeadsTo(*neighbour, back, anchor))
            return false;
    }
    return true;
}

// The upstream search of one required sub-task name. A tile fed by no station at all may take
// the slot; otherwise some station up the line must apply the name. Stations that apply something
// else are looked through like plain conveyors: a car reaching the end of a long line has had
// every station of it, so an exporter behind a painting station still finds the chassis fitter
// further up.
class UpstreamSearch
{
public:
    explicit UpstreamSearch(const std::string& name) : m_name(name) {}

    bool Run(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
    {
        m_visited.assign(1, nullptr); // the slot being placed
        Feeders(task.m_inputDirections, anchor, facing);
        return m_found || !m_metStation;
    }

private:
    void Visit(const SIM_Tile* tile, const SIM_ProductionSlot* slot)
    {
        if (m_visited.size() >= static_cast<size_t>(SIM_ProductionSlot::kVisitedStackSize) ||
            std::find(m_visited.begin(), m_visited.end(), slot) != m_visited.end())
            return;
        m_visited.push_back(slot);
        Feeders(slot->GetProductionTask()->m_inputDirections, tile, slot->GetFacing());
    }

    void Feeders(const std::vector<int>& inputs, const SIM_Tile* tile, int facing)
    {
        for (int offset : inputs)
        {
            if (m_found)
                return;
            const SIM_Tile* next = NeighbourOf(tile, TurnDirection(offset, facing));
            const SIM_ProductionSlot* feeder = ProductionSlotOn(next);
            if (!feeder || !feeder->GetProductionTask())
                continue;
            const SIM_ProductionTask& fed = *feeder->GetProductionTask();
            if (fed.m_subTasksApplied.empty() && fed.m_subTasksRequired.empty())
            {
                Visit(next, feeder);
                continue;
            }
            if (!LeadsTo(*feeder, fed.m_exitDirections, tile))
                continue;
            m_metStation = true;
            if (std::find(fed.m_subTasksApplied.begin(), fed.m_subTasksApplied.end(), m_name) !=
                fed.m_subTasksApplied.end())
            {
                m_found = true;
                return;
            }
            Visit(next, feeder);
        }
    }

    const std::string& m_name;
    bool m_found = false;
    bool m_metStation = false;
    std::vector<const SIM_ProductionSlot*> m_visited;
};

bool Contains(const std::vector<int>& set, int value)
{
    return std::find(set.begin(), set.end(), value) != set.end();
}
} // namespace

SIM_Tile* SIM_PlacementQueries::GetLayoutTile(const TaskTileDef& def, const SIM_Tile* anchor, int facing)
{
    SIM_Factory* factory = FloorOf(anchor);
    if (!factory)
        return nullptr;
    int dx = 0;
    int dy = 0;
    RotateTileOffset(facing, def.XOffset, def.YOffset, dx, dy);
    return factory->GetTile(anchor->m_gridX + dx, anchor->m_gridY + dy);
}

bool SIM_PlacementQueries::IsLayoutTileFree(const TaskTileDef& def, const SIM_Tile* anchor, int facing)
{
    const SIM_Tile* tile = GetLayoutTile(def, anchor, facing);
    return tile && !tile->m_builtOn && tile->m_zoneState == SIM_Tile::ZONE_OPEN;
}

bool SIM_PlacementQueries::CanPlaceAt(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing)
{
    for (const TaskTileDef& def : task.m_tiles)
    {
        const SIM_Tile* tile = GetLayoutTile(def, anchor, facing);
        if (tile && (tile->m_builtOn || tile->m_zoneState == SIM_Tile::ZONE_NONE))
            return false;
    }
    return true;
}

bool SIM_PlacementQueries::IsFootprintFree(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing)
{
    if (!anchor || anchor->m_builtOn || anchor->m_zoneState != SIM_Tile::ZONE_OPEN)
        return false;
    // Every footprint tile, the anchor's own among them, must be free: a footprint over a
    // conveyor slot would take the belt away unpaid while the ghost shows red.
    return std::all_of(task.m_tiles.begin(), task.m_tiles.end(),
                       [&](const TaskTileDef& def) { return IsLayoutTileFree(def, anchor, facing); });
}

bool SIM_PlacementQueries::CanAfford(const SIM_BaseTask& task)
{
    return SIM_FinanceManager::Instance().GetCash() >= task.m_constructionCost;
}

int SIM_PlacementQueries::GetPlacementFacing(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
{
    if (task.m_name == SIM_DataNames::kTaskResourceImporter)
        return GetImporterFacing(anchor);
    if (task.m_name == SIM_DataNames::kTaskExport)
        return GetExportFacing(anchor);
    return facing;
}

int SIM_PlacementQueries::GetImporterFacing(const SIM_Tile* tile)
{
    SIM_Factory* factory = FloorOf(tile);
    int facing = 3;
    if (!factory)
        return facing;
    // Later tests override earlier ones: the bay faces away from the outside it stands against.
    const struct
    {
        int dx, dy, facing;
    } tests[4] = {{1, 0, 3}, {0, -1, 2}, {-1, 0, 1}, {0, 1, 0}};
    for (const auto& test : tests)
        if (IsOutside(factory->GetTile(tile->m_gridX + test.dx, tile->m_gridY + test.dy)))
            facing = test.facing;
    return facing;
}

int SIM_PlacementQueries::GetExportFacing(const SIM_Tile* tile)
{
    int facing = 3;
    if (!FloorOf(tile))
        return facing;
    for (int direction = 0; direction < 4; ++direction)
        if (IsOutside(NeighbourOf(tile, direction)))
            facing = direction;
    return facing;
}

bool SIM_PlacementQueries::CanPlaceSlotAt(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
{
    SIM_Factory* factory = FloorOf(anchor);
    if (!factory || anchor->m_zoneState == SIM_Tile::ZONE_NONE)
        return false;
    if (task.m_name == SIM_DataNames::kTaskResourceImporter && !IsOnSiteList(factory->m_importSites, anchor))
        return false;
    if (task.m_name == SIM_DataNames::kTaskExport && !IsOnSiteList(factory->m_exportSites, anchor))
        return false;
    return CanPlaceAt(task, anchor, facing);
}

bool SIM_PlacementQueries::InputsConnect(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
{
    return DirectionsConnect(task.m_inputDirections, true, anchor, facing);
}

bool SIM_PlacementQueries::ExitsConnect(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
{
    return DirectionsConnect(task.m_exitDirections, false, anchor, facing);
}

bool SIM_PlacementQueries::CheckRequiredSubTasks(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
{
    for (const std::string& name : task.m_subTasksRequired)
        if (!UpstreamSearch(name).Run(task, anchor, facing))
            return false;
    return true;
}

bool SIM_PlacementQueries::IsSlotGhostValid(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
{
    facing = GetPlacementFacing(task, anchor, facing);
    if (!anchor || anchor->m_zoneState != SIM_Tile::ZONE_OPEN)
        return false;
    if (!CanPlaceSlotAt(task, anchor, facing) || !CheckRequiredSubTasks(task, anchor, facing) ||
        !InputsConnect(task, anchor, facing) || !ExitsConnect(task, anchor, facing))
        return false;
    return std::all_of(task.m_tiles.begin(), task.m_tiles.end(),
                       [&](const TaskTileDef& def) { return IsLayoutTileFree(def, anchor, facing); });
}

bool SIM_PlacementQueries::CanPlaceSlotNow(const SIM_ProductionTask& task, const SIM_Tile* anchor, int facing)
{
    facing = GetPlacementFacing(task, anchor, facing);
    return CanPlaceSlotAt(task, anchor, facing) && CheckRequiredSubTasks(task, anchor, facing) &&
           IsFootprintFree(task, anchor, facing) && CanAfford(task);
}

bool SIM_PlacementQueries::IsFacilityGhostValid(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing)
{
    // The ghost and the click ask the same: a footprint reaching past the floor's edge or over
    // anything built is red and refused alike.
    return IsFootprintFree(task, anchor, facing);
}

bool SIM_PlacementQueries::CanPlaceFacilityNow(const SIM_BaseTask& task, const SIM_Tile* anchor, int facing)
{
    return IsFacilityGhostValid(task, anchor, facing) && CanAfford(task);
}

float SIM_PlacementQueries::GetConveyorTileCost(const SIM_Tile* tile)
{
    const SIM_ProductionTask* belt =
        SIM_ProductionTaskManager::Instance().GetTask(SIM_DataNames::kTaskResourceConveyor);
    const float base = belt ? belt->m_constructionCost : 0.0f;
    if (tile && tile->m_builtOn)
        return base * SIM_SimConfig::GetFloat("CONVEYOR_OCCUPIED_COST_MULTIPLIER");
    return base;
}

std::vector<int> SIM_PlacementQueries::GetInputDirections(const SIM_ProductionSlot& slot)
{
    std::vector<int> directions;
    if (const SIM_ProductionTask* task = slot.GetProductionTask())
        for (int offset : task->m_inputDirections)
            directions.push_back(TurnDirection(offset, slot.GetFacing()));
    return directions;
}

std::vector<int> SIM_PlacementQueries::GetExitDirections(const SIM_ProductionSlot& slot)
{
    std::vector<int> directions;
    if (const SIM_ProductionTask* task = slot.GetProductionTask())
        for (int offset : task->m_exitDirections)
            directions.push_back(TurnDirection(offset, slot.GetFacing()));
    return directions;
}

bool SIM_PlacementQueries::FindConveyorTask(const std::vector<int>& inputs, const std::vector<int>& exits,
                                            const SIM_ProductionTask*& task, int& facing)
{
    for (const SIM_ProductionTask* candidate : SIM_ProductionTaskManager::Instance().GetTasks())
    {
        if (!candidate || !candidate->IsConveyor() || candidate->m_inputDirections.size() != inputs.size() ||
            candidate->m_exitDirections.size() != exits.size())
            continue;
        for (int f = 0; f < 4; ++f)
        {
            const bool inputsFit = std::all_of(candidate->m_inputDirections.begin(), candidate->m_inputDirections.end(),
                                               [&](int offset) { return Contains(inputs, TurnDirection(offset, f)); });
            const bool exitsFit = std::all_of(candidate->m_exitDirections.begin(), candidate->m_exitDirections.end(),
                                              [&](int offset) { return Contains(exits, TurnDirection(offset, f)); });
            if (inputsFit && exitsFit)
            {
                task = candidate;
                facing = f;
                return true;
            }
        }
    }
    return false;
}

bool SIM_PlacementQueries::AutoConnect(const SIM_Tile* tile, const SIM_ProductionTask*& task, int& facing)
{
    std::vector<int> inputs;
    std::vector<int> exits;
    for (int direction = 0; direction < 4; ++direction)
    {
        const SIM_ProductionSlot* neighbour = tile ? ProductionSlotOn(NeighbourOf(tile, direction)) : nullptr;
        if (!neighbour)
            continue;
        if (neighbour->IsInputTile(tile))
            exits.push_back(direction);
        if (neighbour->IsExitTile(tile))
            inputs.push_back(direction);
    }
    if (inputs.empty() && exits.empty())
        return false;
    return FindConveyorTask(inputs, exits, task, facing);
}

bool SIM_PlacementQueries::CanExtendConveyor(int direction, const SIM_ProductionSlot& slot, bool firstTile)
{
    std::vector<int> inputs = GetInputDirections(slot);
    std::vector<int> exits = GetExitDirections(slot);
    std::vector<int>& grows = firstTile ? exits : inputs;
    if (!Contains(grows, direction))
        grows.push_back(direction);
    const SIM_ProductionTask* task = nullptr;
    int facing = 0;
    return FindConveyorTask(inputs, exits, task, facing);
}

namespace
{
// Whether a production slot stands beside tile and meets it: for a chain's first tile, its exit
// leads into the tile; for the last, it takes its input from the tile.
bool MeetsChainEnd(const SIM_ProductionSlot* slot, const SIM_Tile* tile, bool firstEnd)
{
    return slot && (firstEnd ? slot->IsExitTile(tile) : slot->IsInputTile(tile));
}

// The conveyor-task slot standing on a tile; null for none or any other slot.
const SIM_ProductionSlot* ConveyorSlotOn(const SIM_Tile* tile)
{
    const SIM_ProductionSlot* slot = ProductionSlotOn(tile);
    return slot && slot->GetTask() && slot->GetTask()->IsConveyor() ? slot : nullptr;
}

void AddOnce(std::vector<int>& set, int value)
{
    if (!Contains(set, value))
        set.push_back(value);
}

// The sides through which a placed conveyor slot works with its neighbours: inputs that a
// neighbour's exit feeds, exits that a neighbour takes its input from. A piece rebuilt without one
// of them cuts the line there.
void UsedSides(const SIM_ProductionSlot& conveyor, std::vector<int>& inputs, std::vector<int>& exits)
{
    const SIM_Tile* tile = conveyor.GetTile();
    for (int direction : SIM_PlacementQueries::GetInputDirections(conveyor))
        if (MeetsChainEnd(ProductionSlotOn(NeighbourOf(tile, direction)), tile, true))
            inputs.push_back(direction);
    for (int direction : SIM_PlacementQueries::GetExitDirections(conveyor))
        if (MeetsChainEnd(ProductionSlotOn(NeighbourOf(tile, direction)), tile, false))
            exits.push_back(direction);
}

// Whether no slot meets the conveyor's exits (exits true) or its inputs: a line's loose end, which
// may turn toward a new chain without cutting a working line.
bool IsLooseEnd(const SIM_ProductionSlot& conveyor, bool exits)
{
    std::vector<int> inputs;
    std::vector<int> outputs;
    UsedSides(conveyor, inputs, outputs);
    return (exits ? outputs : inputs).empty();
}
} // namespace

bool SIM_PlacementQueries::JoinChainEnd(const std::vector<SIM_Tile*>& path, size_t index, ChainEndJoin& join)
{
    const bool firstEnd = index == 0;
    if (path.size() < 2 || (index != 0 && index + 1 != path.size()) || !FloorOf(path[index]))
        return false;
    SIM_Factory* factory = FloorOf(path[index]);
    SIM_Tile* end = path[index];
    const int chainSide = factory->GetFacingToTile(end, path[firstEnd ? 1 : index - 1]);
    if (chainSide == SIM_Factory::NO_FACING)
        return false;
    // The sides the end's piece must have: cars run from it into the chain at the first tile and
    // from the chain into it at the last; a conveyor slot already on the end keeps every side its
    // neighbours use, so a line dragged onto or out of a working one never cuts it.
    std::vector<int> inputs;
    std::vector<int> exits;
    const SIM_ProductionSlot* held = ConveyorSlotOn(end);
    if (held)
        UsedSides(*held, inputs, exits);
    AddOnce(firstEnd ? exits : inputs, chainSide);
    // Used sides that already bring cars into the first tile, or take them on from the last, need
    // no other side.
    if (!(firstEnd ? inputs : exits).empty())
        return FindConveyorTask(inputs, exits, join.task, join.facing);
    // Otherwise the end also takes its other side toward a neighbour.
    auto endPiece = [&](int side) {
        std::vector<int> in = inputs;
        std::vector<int> out = exits;
        AddOnce(firstEnd ? in : out, side);
        return FindConveyorTask(in, out, join.task, join.facing);
    };
    const int sides[3] = {(chainSide + 2) % 4, (chainSide + 1) % 4, (chainSide + 3) % 4};
    for (int side : sides)
        if (MeetsChainEnd(ProductionSlotOn(NeighbourOf(end, side)), end, firstEnd) && endPiece(side))
            return true;
    for (int side : sides)
    {
        SIM_Tile* next = NeighbourOf(end, side);
        const SIM_ProductionSlot* conveyor = ConveyorSlotOn(next);
        if (!conveyor || std::find(path.begin(), path.end(), next) != path.end() || !IsLooseEnd(*conveyor, firstEnd))
            continue;
        // The neighbour keeps its other side and turns its loose one toward the end.
        const int back = (side + 2) % 4;
        const bool turns =
            firstEnd ? FindConveyorTask(GetInputDirections(*conveyor), {back}, join.turnedTask, join.turnedFacing)
                     : FindConveyorTask({back}, GetExitDirections(*conveyor), join.turnedTask, join.turnedFacing);
        if (turns && endPiece(side))
        {
            join.turned = next;
            return true;
        }
    }
    // A conveyor slot with nothing beside it to meet keeps its own sides and adds the chain's.
    if (!held)
        return false;
    std::vector<int> ownInputs = GetInputDirections(*held);
    std::vector<int> ownExits = GetExitDirections(*held);
    AddOnce(firstEnd ? ownExits : ownInputs, chainSide);
    return FindConveyorTask(ownInputs, ownExits, join.task, join.facing);
}

void SIM_PlacementQueries::GetChainPiece(const std::vector<SIM_Tile*>& path, size_t index, int mouseFacing,
                                         std::string& taskName, int& facing)
{
    taskName = SIM_DataNames::kTaskConveyor;
    facing = mouseFacing;
    if (index >= path.size() || !FloorOf(path[index]))
        return;
    SIM_Tile* tile = path[index];
    SIM_Factory* factory = FloorOf(tile);
    if (path.size() == 1)
    {
        const SIM_ProductionTask* joined = nullptr;
        if (AutoConnect(tile, joined, facing) && joined)
            taskName = joined->m_name;
        return;
    }
    const int in = index > 0 ? factory->GetFacingToTile(tile, path[index - 1]) : SIM_Factory::NO_FACING;
    const int out = index + 1 < path.size() ? factory->GetFacingToTile(tile, path[index + 1]) : SIM_Factory::NO_FACING;
    if (index == 0)
    {
        facing = out;
        return;
    }
    const int travel = (in + 2) % 4;
    if (index + 1 == path.size() || out == travel)
    {
        facing = index + 1 == path.size() ? travel : out;
        return;
    }
    facing = travel;
    taskName = out == (travel + 1) % 4 ? SIM_DataNames::kTaskConveyorRight : SIM_DataNames::kTaskConveyorLeft;
}
