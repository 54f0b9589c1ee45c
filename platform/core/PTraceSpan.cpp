// The profiling span's clock and its one sink.
#include "platform/core/PTraceSpan.h"

#include <chrono>

std::atomic<PTraceSpan::Sink> PTraceSpan::s_sink{nullptr};

uint64_t PTraceSpan::NowNs()
{
    // The steady clock, never the game's clock: tests and benchmarks drive that one by hand.
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}
