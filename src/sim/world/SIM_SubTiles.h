// The 16 places inside a tile (4 x 4 sub-tiles) at which small objects stand, and how those
// places turn with a slot's facing.
#pragma once

struct SubTileOffset
{
    float x = 0.0f;
    float y = 0.0f;
};

// Offset from the tile centre of sub-tile index (0..15) turned for the facing.
SubTileOffset GetSubTileOffset(int index, int facing);
// An index of the inner 3 x 3 block turned for the facing; -1 for any other index.
int RotateInnerSubTileIndex(int index, int facing);
// Quarter turns for a facing: 0 -> 3, 1 -> 0, 2 -> 1, 3 -> 2, anything else 0.
int GetSubTileTurns(int facing);
