// Resource kinds read from resources.csv, with their prices for this game.
#include "sim/SIM_Resource.h"

bool SIM_Resource::LoadFromRow(const std::string& row)
{
    (void)row;
    return false;
}
