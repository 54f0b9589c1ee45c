// One square of the factory floor.
#include "sim/SIM_Tile.h"

#include "sim/TileWaypointGrid.h"

SIM_Tile::~SIM_Tile()
{
    delete m_waypoints;
}
