// The game's effect file format (data/shaders/*.fx), holding GLSL:
//
//   // comments outside blocks
//   technique Main
//   pass P0
//   [vertex]            (optional; the standard screen-space vertex stage is used without it)
//   ...GLSL body...
//   [end]
//   [fragment]
//   ...GLSL body...
//   [end]
//
// Every stage body is compiled after a prelude that declares what the renderer feeds it: the vertex
// colour vColour, the texture coordinate vTexCoord, texture stage 0 as uTexture0, and fvOutput(c),
// which applies the alpha test and writes the fragment. A vertex body sees aPosition, aColour,
// aTexCoord and fvScreenToClip(p). Any other uniform is a parameter set by name.
#pragma once

#include <string>
#include <vector>

class PEffectSource
{
public:
    struct Pass
    {
        std::string name;
        std::string vertex;   // empty: the standard vertex stage
        std::string fragment; // never empty after a successful parse
    };
    struct Technique
    {
        std::string name;
        std::vector<Pass> passes;
    };

    std::vector<Technique> techniques;

    // Parses the text; false with a one-line reason in error for anything malformed.
    static bool Parse(const std::string& text, PEffectSource& out, std::string& error);

    static const char* VertexPrelude();
    static const char* FragmentPrelude();
    // The stages of fixed drawing (texture stage 0 modulated by the vertex colour, alpha test).
    static const char* StandardVertexBody();
    static const char* FixedFragmentBody();
};
