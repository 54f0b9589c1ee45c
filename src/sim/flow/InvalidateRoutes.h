// What the floor's edits call when conveyors change: the route table forgets what the change may
// have made wrong, then the resource objects on those routes find their way again. Kept above
// both, so the route table never reaches up to the objects that use its routes.
#pragma once
#include <vector>

class SIM_Tile;

// Discards every route and failure, then re-routes every resource object. Run when the whole
// floor changes: a new or loaded factory, conveyors laid without saying where.
void InvalidateRoutes();
// Main thread. Conveyors were laid or taken up on these tiles: the routes and failures whose
// search looked at one of them are discarded, and the objects that were on those routes (or on
// none) are re-routed. The goals of what was discarded are added to `goals` when given; false
// when every route was discarded (a zone opened since the last edit).
bool InvalidateRoutesAround(const std::vector<SIM_Tile*>& changed, std::vector<SIM_Tile*>* goals = nullptr);
