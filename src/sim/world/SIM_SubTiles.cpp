// Sub-tile places inside a tile and their quarter turns.
#include "sim/world/SIM_SubTiles.h"

namespace
{
SubTileOffset g_subTileOffsets[16];
int g_subTileTurnMap[16];
int g_innerTurnMap[16];
}

void InitSubTileTables()
{
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            const int i = 4 * r + c;
            g_subTileOffsets[i].x = 512.0f * static_cast<float>(c - r) / 8.0f;
            g_subTileOffsets[i].y = 256.0f * (static_cast<float>(r + c) / 8.0f - 0.375f - 0.125f);
            // (r, c) goes to (c, 3 - r) with one quarter turn.
            g_subTileTurnMap[i] = 4 * c + (3 - r);
            g_innerTurnMap[i] = -1;
        }
    }
    static const int innerFrom[9] = {5, 6, 7, 9, 10, 11, 13, 14, 15};
    static const int innerTo[9] = {7, 11, 15, 6, 10, 14, 5, 9, 13};
    for (int k = 0; k < 9; ++k)
        g_innerTurnMap[innerFrom[k]] = innerTo[k];
}

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
        index = g_subTileTurnMap[index];
    return g_subTileOffsets[index];
}

int RotateInnerSubTileIndex(int index, int facing)
{
    // Once an index has left the inner block it stays -1; the map is never read with it.
    for (int t = GetSubTileTurns(facing); t > 0; --t)
    {
        if (index < 0 || index > 15)
            return -1;
        index = g_innerTurnMap[index];
    }
    return index;
}
