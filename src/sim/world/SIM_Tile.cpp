// One square of the factory floor.
#include "sim/world/SIM_Tile.h"

SIM_Tile::~SIM_Tile() = default;
