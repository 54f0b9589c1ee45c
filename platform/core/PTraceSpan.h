// Marks a span of work (a frame phase, a worker job, a route search) for profiling tools. The game
// ships without an event tracer: with no sink installed a span costs one relaxed load and reads
// no clock. A benchmark installs a sink to learn where a frame's time goes.
#pragma once
#include <atomic>
#include <cstdint>

class PTraceSpan
{
public:
    // Receives every finished span: its name (a string literal) and its length in nanoseconds of
    // the steady clock. Called on the thread that ran the span, so it must be thread-safe.
    using Sink = void (*)(const char* name, uint64_t nanoseconds);

    explicit PTraceSpan(const char* name) : m_name(name), m_sink(s_sink.load(std::memory_order_relaxed))
    {
        if (m_sink)
            m_start = NowNs();
    }
    ~PTraceSpan()
    {
        if (m_sink)
            m_sink(m_name, NowNs() - m_start);
    }
    PTraceSpan(const PTraceSpan&) = delete;
    PTraceSpan& operator=(const PTraceSpan&) = delete;

    // Installs (or, with nullptr, removes) the sink; install it before the spans it should see.
    static void SetSink(Sink sink) { s_sink.store(sink, std::memory_order_relaxed); }

private:
    static uint64_t NowNs();

    static std::atomic<Sink> s_sink;
    const char* m_name;
    Sink m_sink;
    uint64_t m_start = 0;
};
