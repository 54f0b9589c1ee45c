// The game's 15-bit random generator.
#include "platform/core/PRandom.h"

#include <mutex>

namespace
{
// One state for the whole program, under a lock. Per-thread state would leave every worker
// thread on the unseeded sequence, so all of them would draw the same "random" values; the
// start-up seed must reach every thread that draws.
std::mutex s_randomLock;
uint32_t s_randomState = 1;
}

void PRandom::Seed(uint32_t seed)
{
    std::lock_guard<std::mutex> guard(s_randomLock);
    s_randomState = seed;
}

int PRandom::Rand()
{
    std::lock_guard<std::mutex> guard(s_randomLock);
    s_randomState = s_randomState * 214013u + 2531011u;
    return static_cast<int>((s_randomState >> 16) & 0x7FFF);
}
