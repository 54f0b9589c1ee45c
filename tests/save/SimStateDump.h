// A canonical text of the whole saved state of the running simulation, built from the live
// objects (not from a savegame), for comparing a game before and after a save and a load. Values
// the savegame keeps to a given precision are written to that precision; what a load rebuilds by
// design (routes, timers of the current frame, the order of import-bay queues) is left out.
#pragma once
#include <string>

namespace savetest
{
std::string DumpSimulation();
// How many resource objects each kind of place holds (input stockpiles, part stockpiles, supply
// stockpiles, outlet queues, import-bay queues, on the way, in no place at all), one line each.
std::string CountObjectsByPlace();
// The objects waiting in every outlet (part and supply stockpiles), by the outlet's tile.
std::string OutletQueues();
// The first line where two dumps differ, with its neighbours, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b);
} // namespace savetest
