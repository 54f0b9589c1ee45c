// The recipes of the game's sound effects. Each recipe is a small synthesiser patch; the
// description file (art/sounds/effects.txt) names a recipe and its settings for every output.
#pragma once
#include "Wave.h"

#include <map>
#include <string>

struct EffectSettings
{
    std::map<std::string, std::string> values;
    // The named number, or fallback when the description does not give it.
    double Number(const std::string& name, double fallback) const;
};

// Makes the dry effect of a recipe; false with a message when the recipe is unknown.
bool MakeEffect(const std::string& recipe, const EffectSettings& settings, Wave& out, std::string& error);
