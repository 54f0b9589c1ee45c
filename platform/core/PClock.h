// Clocks for the game: the 32-bit millisecond clock timers and seeds are taken from, the
// high-resolution counter the frame timers use, and UTC and local calendar time for logs,
// files and screenshot names.
#pragma once
#include <cstdint>

struct PSystemTime
{
    int year = 0;
    int month = 0;     // 1-12
    int dayOfWeek = 0; // 0 = Sunday
    int day = 0;       // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

class PClock
{
public:
    // Milliseconds since an arbitrary start, as an unsigned 32-bit value that wraps after
    // about 49.7 days; every difference must be taken in unsigned 32-bit arithmetic.
    static uint32_t TimeGetTime();
    // The high-resolution counter and its ticks per second. Always available on Linux;
    // returns false only when a test has switched it off.
    static bool QueryCounter(int64_t& counter);
    static bool QueryFrequency(int64_t& frequency);

    static PSystemTime SystemTimeUtc();
    static PSystemTime LocalTime();

    static void Sleep(uint32_t milliseconds);

    // Tests drive time by hand: while manual, both clocks read the manual time (in
    // nanoseconds) instead of the steady clock. The millisecond clock keeps its 32-bit wrap.
    static void SetManual(bool manual, uint64_t nanoseconds = 0);
    static void AdvanceManual(uint64_t nanoseconds);
    static void SetHighResolutionAvailable(bool available);
};
