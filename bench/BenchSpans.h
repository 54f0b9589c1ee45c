// Wall time per span name (any thread) over the frame being stepped, to say where a slow frame
// went: a benchmark installs FrameSpans::Sink as the span sink (PTraceSpan::SetSink) and takes the
// spans after each frame.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

struct FrameSpans
{
    std::mutex lock;
    std::map<std::string, double> ms;

    static FrameSpans& Instance()
    {
        static FrameSpans spans;
        return spans;
    }
    static void Sink(const char* name, uint64_t nanoseconds)
    {
        FrameSpans& spans = Instance();
        std::lock_guard<std::mutex> guard(spans.lock);
        spans.ms[name] += static_cast<double>(nanoseconds) / 1.0e6;
    }
    std::map<std::string, double> Take()
    {
        std::lock_guard<std::mutex> guard(lock);
        std::map<std::string, double> taken;
        taken.swap(ms);
        return taken;
    }
};

// The spans of half a millisecond or more as counters "<prefix>_span_ms:<name>".
inline void ReportSpans(benchmark::State& state, const std::string& prefix, const std::map<std::string, double>& spans)
{
    for (const auto& [name, spanMs] : spans)
        if (spanMs >= 0.5)
        {
            std::string key = name;
            std::replace(key.begin(), key.end(), ' ', '_');
            state.counters[prefix + "_span_ms:" + key] = spanMs;
        }
}
