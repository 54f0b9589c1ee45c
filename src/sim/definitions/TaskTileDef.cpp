// Turning footprint offsets by a slot's facing.
#include "sim/definitions/TaskTileDef.h"

void RotateTileOffset(int facing, int x, int y, int& outX, int& outY)
{
    switch (facing)
    {
    case 0:
        outX = y;
        outY = -x;
        break;
    case 2:
        outX = -y;
        outY = x;
        break;
    case 3:
        outX = -x;
        outY = -y;
        break;
    default:
        outX = x;
        outY = y;
        break;
    }
}
