// The game's random numbers: a 15-bit generator (0 to 32767), because every formula in the
// game divides by 32768 or assumes that maximum; glibc's rand() goes up to 2^31-1 and would
// put tints, chances and random floats far outside their ranges. Game code uses this, never rand().
#pragma once
#include <cstdint>

class PRandom
{
public:
    static constexpr int MAX = 32767;

    // Sets the state (what srand does).
    static void Seed(uint32_t seed);
    // Next value in 0..32767: s = s * 214013 + 2531011, result (s >> 16) & 0x7FFF.
    static int Rand();
};
