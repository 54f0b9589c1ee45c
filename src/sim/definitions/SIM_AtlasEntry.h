// Where a named sprite sits in a sprite atlas, as the simulation's definitions need to know it.
#pragma once

#include <string>

struct SIM_AtlasEntry
{
    std::string texture;
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    float texCoords[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};
