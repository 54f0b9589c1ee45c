// One tile of a task's footprint: its offset from the anchor tile (for facing 1), floor texture,
// tile type and the props standing on it.
#pragma once

#include "sim/definitions/TaskPropDef.h"

#include <memory>
#include <string>
#include <vector>

enum TaskTileType
{
    TT_NORMAL = 0,
    TT_CONVEYOR = 1,
    TT_STOCKPILE = 2, // a production slot keeps its resource stockpile here
    TT_EXPORT = 3,    // a production slot keeps its component stockpile here
};

struct TaskTileDef
{
    int XOffset = 0;
    int YOffset = 0;
    // Owned; the entries stay where they are when the tile record moves, so staff pointers hold.
    std::vector<std::unique_ptr<TaskPropDef>> props;
    std::string texture;
    // The task list's floor the loader put in for a texture the file left empty; empty when the
    // file names its own. The task editor writes such a texture empty again while it is unchanged.
    std::string defaultTexture;
    int type = TT_NORMAL;
};

// Turns a facing-1 offset by a slot's facing: 1 keeps (x, y), 0 gives (y, -x), 2 gives (-y, x),
// 3 gives (-x, -y). Any other facing keeps the offset.
void RotateTileOffset(int facing, int x, int y, int& outX, int& outY);
