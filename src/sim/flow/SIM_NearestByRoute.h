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
// of those with a route to `goal`, the first with the fewest route tiles wins. Null when none.
template <class List, class Accept, class T = std::remove_cvref_t<decltype(*std::declval<const List&>().begin())>>
T NearestByRoute(const List& items, SIM_Tile* goal, Accept accept)
{
    size_t best = 999999;
    T nearest = nullptr;
    for (T item : items)
    {
        if (!accept(item))
            continue;
        // Measured without a route record: only the route an object then travels takes one.
        const int32_t tiles = RouteTable::Instance().RouteLength(item->GetTile(), goal);
        if (tiles >= 0 && static_cast<size_t>(tiles) < best)
        {
            best = static_cast<size_t>(tiles);
            nearest = item;
        }
    }
    return nearest;
}
