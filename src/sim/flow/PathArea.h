// The rectangle of floor tiles a route search looked at. The search gives the same answer for as
// long as no tile in it gains or loses a conveyor, so a route or a known failure whose rectangle
// misses a conveyor edit stays true through that edit.
#pragma once
#include <algorithm>
#include <cstdint>

struct PathArea
{
    // Empty (max below min): the answer depends on no tile, as for a route from a tile to itself.
    int32_t minX = 1;
    int32_t minY = 1;
    int32_t maxX = 0;
    int32_t maxY = 0;

    bool Empty() const { return maxX < minX || maxY < minY; }

    void Add(int32_t x, int32_t y)
    {
        if (Empty())
        {
            minX = maxX = x;
            minY = maxY = y;
            return;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }

    // One tile wider on every side: the tiles added and all their neighbours.
    PathArea Grown() const
    {
        if (Empty())
            return *this;
        return PathArea{minX - 1, minY - 1, maxX + 1, maxY + 1};
    }

    bool Contains(int32_t x, int32_t y) const { return x >= minX && x <= maxX && y >= minY && y <= maxY; }

    bool Overlaps(const PathArea& other) const
    {
        return !Empty() && !other.Empty() && minX <= other.maxX && other.minX <= maxX && minY <= other.maxY &&
               other.minY <= maxY;
    }
};
