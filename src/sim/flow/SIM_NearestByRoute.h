// Picks, of the stockpiles a registry keeps, the one with the shortest resource route to a goal
// tile: how a stockpile finds where to draw a resource from.
#pragma once
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceRoute.h"

#include <cstddef>
#include <type_traits>
#include <utility>

class SIM_Tile;

// `accept(item)` says whether an item may serve at all (it has a tile and holds the resource);
// of those with a route to `goal`, the first with the fewest route tiles wins, put in `nearest`
// (null when none). False, with `nearest` untouched, when a route still to be measured takes a
// search the open share of route searching cannot hold: the answer waits for a later share.
template <class List, class Accept, class T = std::remove_cvref_t<decltype(*std::declval<const List&>().begin())>>
bool NearestByRoute(const List& items, SIM_Tile* goal, Accept accept, T& nearest)
{
    RouteTable& routes = RouteTable::Instance();
    size_t best = 999999;
    T found = nullptr;
    for (T item : items)
    {
        if (!accept(item))
            continue;
        if (!routes.MayMeasure(item->GetTile(), goal))
            return false;
        // Measured without a route record: only the route an object then travels takes one.
        const int32_t tiles = routes.RouteLength(item->GetTile(), goal);
        if (tiles >= 0 && static_cast<size_t>(tiles) < best)
        {
            best = static_cast<size_t>(tiles);
            found = item;
        }
    }
    nearest = found;
    return true;
}
