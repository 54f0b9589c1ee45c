// Conveyors section.
#include "save/ConveyorsSection.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "save/SaveReader.h"
#include "save/SaveWriter.h"
#include "sim/flow/SIM_ResourceConveyor.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/world/SIM_Tile.h"

namespace
{
void WriteConveyor(SaveWriter& out, const SIM_ResourceConveyor& conveyor)
{
    if (!conveyor.m_tile)
        return;
    out.Open("conveyor");
    out.TileXY("tile_x", "tile_y", conveyor.m_tile);
    // Not read by older versions of the game, which pass over it; without it a piece lies with
    // no facing and connects only to its neighbours.
    out.Int("facing", conveyor.m_facing);
    out.Close("conveyor");
}

} // namespace

void ConveyorsSection::Write(SaveWriter& out)
{
    const SIM_ResourceConveyorManager& manager = SIM_ResourceConveyorManager::Instance();
    std::vector<const SIM_ResourceConveyor*> bayPieces;
    // Looked up once per piece of the floor: a big hall has hundreds of bays and hundreds of
    // thousands of pieces, too many to search the bays' list for each.
    std::unordered_set<const SIM_ResourceConveyor*> isBayPiece;
    for (const SIM_ResourceImportBay* bay : manager.ImportBays())
        if (bay && bay->GetTile() && bay->GetTile()->m_conveyor)
        {
            bayPieces.push_back(bay->GetTile()->m_conveyor);
            isBayPiece.insert(bay->GetTile()->m_conveyor);
        }
    out.Open("conveyors");
    for (const SIM_ResourceConveyor* conveyor : bayPieces)
        WriteConveyor(out, *conveyor);
    for (const SIM_ResourceConveyor* conveyor : manager.Conveyors())
        if (!isBayPiece.contains(conveyor))
            WriteConveyor(out, *conveyor);
    out.Close("conveyors");
}

void ConveyorsSection::Read(SaveReader& in)
{
    in.BeginList("conveyors");
    while (in.NextItem("conveyors", "conveyor"))
    {
        int x = -1, y = -1;
        in.TileXY("tile_x", "tile_y", x, y);
        int facing = SIM_ResourceConveyor::kNoFacing;
        if (in.NextTagIs("facing"))
            facing = in.IntInRange("facing", 0, SIM_ResourceConveyor::kNoFacing, SIM_ResourceConveyor::kNoFacing);
        in.EndItem("conveyor");
        SIM_Tile* tile = SaveReader::TileAt(x, y);
        // An import bay's piece was laid with its bay; a second piece would leave the bay on the
        // first while the tile pointed at the second, one more with every save and load.
        if (tile && tile->m_conveyor)
            continue;
        // The conveyor tool lays pieces only on the tiles of open building zones.
        if (!tile || tile->m_zoneState != SIM_Tile::ZONE_OPEN)
        {
            in.LogDropped("Save game: a conveyor off the open floor at " + std::to_string(x) + "," + std::to_string(y));
            continue;
        }
        SIM_Placement::LayConveyor(tile, facing, true);
    }
    for (SIM_ResourceConveyor* conveyor : SIM_ResourceConveyorManager::Instance().Conveyors())
        conveyor->UpdateConnections();
}
