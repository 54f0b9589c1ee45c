// A decoded picture in memory: one or more mip levels of 8-bit RGBA pixels (bytes R, G, B, A, rows
// from the top). Textures are made from it, screenshots are saved from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PImageLevel
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // width * height * 4 bytes
};

struct PImage
{
    std::vector<PImageLevel> levels;

    bool IsEmpty() const { return levels.empty() || levels[0].width <= 0 || levels[0].height <= 0; }
    int Width() const { return levels.empty() ? 0 : levels[0].width; }
    int Height() const { return levels.empty() ? 0 : levels[0].height; }

    // Replaces every level below the first with a box-filtered chain down to 1 x 1.
    void BuildMipChain();
    // Number of levels of a full chain for a size (1 for 1 x 1).
    static int FullChainLength(int width, int height);
};
