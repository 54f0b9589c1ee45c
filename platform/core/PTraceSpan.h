// Marks a span of work (a frame, a worker job) for profiling tools. The game ships without an
// event tracer, so spans cost nothing; the calls stay where the work is, ready for one.
#pragma once

class PTraceSpan
{
public:
    explicit PTraceSpan(const char* /*name*/) {}
    ~PTraceSpan() = default;
    PTraceSpan(const PTraceSpan&) = delete;
    PTraceSpan& operator=(const PTraceSpan&) = delete;

    // A single marker at a point in time.
    static void Mark(const char* /*name*/) {}
};
