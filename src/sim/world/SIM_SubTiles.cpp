// Sub-tile places inside a tile and their quarter turns.
#include "sim/world/SIM_SubTiles.h"

namespace
{
// The offsets and the quarter-turn maps, worked out once and never changed, so every thread
// and every game reads the same tables without any set-up step.
struct SubTileTables
{
    SubTileOffset offsets[16];
    int turnMap[16];
    int innerTurnMap[16];
};

constexpr SubTileTables BuildSubTileTables()
{
    SubTileTables tables{};
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            const int i = 4 * r + c;
            tables.offsets[i].x = 512.0f * static_cast<float>(c - r) / 8.0f;
            tables.offsets[i].y = 256.0f * (static_cast<float>(r + c) / 8.0f - 0.375f - 0.125f);
            // (r, c) goes to (c, 3 - r) with one quarter turn.
            tables.turnMap[i] = 4 * c + (3 - r);
            tables.innerTurnMap[i] = -1;
        }
    }
    constexpr int innerFrom[9] = {5, 6, 7, 9, 10, 11, 13, 14, 15};
    constexpr int innerTo[9] = {7, 11, 15, 6, 10, 14, 5, 9, 13};
    for (int k = 0; k < 9; ++k)
        tables.innerTurnMap[innerFrom[k]] = innerTo[k];
    return tables;
}

constexpr SubTileTables kTables = BuildSubTileTables();
} // namespace

int GetSubTileTurns(int facing)
{
    switch (facing)
    {
    case 0:
        return 3;
    case 1:
        return 0;
    case 2:
        return 1;
    case 3:
        return 2;
    default:
        return 0;
    }
}

SubTileOffset GetSubTileOffset(int index, int facing)
{
    if (index < 0 || index > 15)
        return SubTileOffset{};
    for (int t = GetSubTileTurns(facing); t > 0; --t)
        index = kTables.turnMap[index];
    return kTables.offsets[index];
}

int RotateInnerSubTileIndex(int index, int facing)
{
    // Once an index has left the inner block it stays -1; the map is never read with it.
    for (int t = GetSubTileTurns(facing); t > 0; --t)
    {
        if (index < 0 || index > 15)
            return -1;
        index = kTables.innerTurnMap[index];
    }
    return index;
}
