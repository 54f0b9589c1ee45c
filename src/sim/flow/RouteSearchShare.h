// A share of route searching for a stretch of work: the simulation step opens a frame's share, so
// that what lost its way or looks for a source searches a little each frame instead of all at
// once; a floor edit opens a share of nothing, so the click searches nothing and what it leaves
// without a route waits for the frames' shares. A share opened inside another puts it aside until
// it closes. Main thread.
#pragma once
#include "sim/flow/SIM_PathFinder.h"

#include <cstdint>

class RouteSearchShare
{
public:
    // The nodes the route searches of one frame may expand, all of them together: stations and
    // supply stockpiles looking for their bay or a source, objects looking for their way.
    static constexpr uint64_t kNodesPerFrame = 12000;

    explicit RouteSearchShare(uint64_t nodes) : m_replaced(SIM_PathFinder::Instance().OpenShare(nodes)) {}
    ~RouteSearchShare() { SIM_PathFinder::Instance().CloseShare(m_replaced); }
    // Keeps part of the share for work that comes later in the stretch (0: none kept).
    void HoldBack(uint64_t nodes) const { SIM_PathFinder::Instance().HoldBack(nodes); }
    RouteSearchShare(const RouteSearchShare&) = delete;
    RouteSearchShare& operator=(const RouteSearchShare&) = delete;

private:
    SIM_PathFinder::Share m_replaced;
};
