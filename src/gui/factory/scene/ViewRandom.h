// Random numbers for the factory view's worker jobs. The game's shared generators are not safe
// to call from several threads at once (their state would be raced), so every thread draws from
// its own 15-bit generator here. Tests replace the source to drive the robots deterministically.
#pragma once

#include <functional>

namespace ViewRandom
{
// Next value in [0, 1) from the calling thread's own generator (any thread).
float NextFloat();
// Next value in 0..32767 from the calling thread's own generator (any thread).
int Rand();
// Replaces the source of NextFloat and Rand for every thread (tests; null restores the
// per-thread generators). Main thread, never while jobs run.
void SetSourceForTests(std::function<float()> source);
} // namespace ViewRandom
