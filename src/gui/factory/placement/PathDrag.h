// A drag across the floor that the path finder turns into a route, shared by the two tools that
// lay things along a path (overhead conveyors and conveyor-slot chains): where it started, the
// tile the mouse last reached, the planned route, and its green preview. Main thread.
#pragma once

#include <cstdint>
#include <vector>

class SIM_Tile;

class PathDrag
{
public:
    // A drag starts only on a tile of an open zone; the previous route is forgotten either way.
    // True when it started.
    bool Begin(SIM_Tile* tile);
    // Re-plans when the mouse reached another tile, then shows the route. lockedEndBlocks: an end
    // tile in a locked zone gives no route at all.
    void Follow(SIM_Tile* mouseTile, int32_t pathMode, bool lockedEndBlocks);
    // The route from the start to the end tile by the path finder's mode (empty when none).
    void Plan(SIM_Tile* end, int32_t pathMode, bool lockedEndBlocks);
    // Dragging off, start, end and route forgotten.
    void Reset();

    bool IsDragging() const { return m_dragging; }
    const std::vector<SIM_Tile*>& GetPath() const { return m_path; }

private:
    bool m_dragging = false;
    SIM_Tile* m_start = nullptr; // the factory owns the tiles
    SIM_Tile* m_end = nullptr;
    std::vector<SIM_Tile*> m_path;
};
