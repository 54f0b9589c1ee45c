// A compiled screen effect: techniques of passes, each pass a GLSL program that replaces the fixed
// drawing between Begin and End. Parameters are the program's uniforms, set by name.
#pragma once

#include "platform/video/PGraphicsTypes.h"

// Handle of one technique of an effect; null means none.
using PEffectHandle = const void*;

class PEffect
{
public:
    virtual ~PEffect() = default;

    // The first technique after previous (null: from the start) that runs on this device; *next is
    // null when there is none.
    virtual PResult FindNextValidTechnique(PEffectHandle previous, PEffectHandle* next) = 0;
    virtual PResult SetTechnique(PEffectHandle technique) = 0;
    // Starts using the technique; *passes receives its pass count. The device state the effect
    // changes is restored by End.
    virtual PResult Begin(unsigned* passes, uint32_t flags) = 0;
    virtual PResult BeginPass(unsigned pass) = 0;
    virtual PResult EndPass() = 0;
    virtual PResult End() = 0;

    void Release() { delete this; }
};
