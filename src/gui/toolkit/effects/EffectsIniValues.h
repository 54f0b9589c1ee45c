// Numbers in the effects' data files are read as the game's INI readers always read them: the C
// library's conversion of at most the first characters of the value, so malformed text reads 0.
#pragma once

#include <cstdlib>
#include <string>

inline int EffectsIniInt(const std::string& text, size_t limit = 63)
{
    return std::atoi(text.substr(0, limit).c_str());
}

inline float EffectsIniFloat(const std::string& text, size_t limit = 63)
{
    return static_cast<float>(std::atof(text.substr(0, limit).c_str()));
}
