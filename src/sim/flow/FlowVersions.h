// Two counts that tell a stored answer the flow around it changed. The sources count moves when
// something a refused request may be waiting for changes (a record freed, a stockpile or bay
// gaining what it hands out, a route or a bay added or gone); the floor count when conveyors,
// zones or the route cache change. Whoever makes the change counts it here, and whoever keeps an
// answer compares, so neither side needs to know the other. Both only grow, and a newly opened
// zone counts in both. Any thread, also while the program ends: the counts outlive every object.
#pragma once
#include <cstdint>

class FlowVersions
{
public:
    static uint64_t Sources();
    static void NoteSourcesChanged();
    static uint64_t Floor();
    static void NoteFloorChanged();
};
