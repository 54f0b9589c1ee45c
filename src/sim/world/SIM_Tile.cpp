// One square of the factory floor.
#include "sim/world/SIM_Tile.h"

#include "sim/world/TileWaypointGrid.h"

SIM_Tile::~SIM_Tile()
{
    delete m_waypoints;
}
