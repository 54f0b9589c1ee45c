// A simple animation: a named list of whole textures, each shown for a number of milliseconds of
// game time, for props whose movement needs no cell compression (blinking lights, small machines).
#pragma once

#include <string>
#include <vector>

struct SimpleAnimationFrame
{
    std::string textureName;
    float duration = 0.0f; // milliseconds of game time
};

struct SimpleAnimation
{
    std::vector<SimpleAnimationFrame> frames;
    std::string name;
};
