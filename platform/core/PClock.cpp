// Clocks for the game on Linux: steady clock for timers, calendar time for logs and files.
#include "platform/core/PClock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace
{
std::atomic<bool> s_clockManual{false};
std::atomic<uint64_t> s_clockManualNs{0};
std::atomic<bool> s_clockHighRes{true};

uint64_t PClockNowNs()
{
    if (s_clockManual.load(std::memory_order_acquire))
        return s_clockManualNs.load(std::memory_order_acquire);
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

PSystemTime PClockFromTm(const struct tm& t, long nanos)
{
    PSystemTime s;
    s.year = t.tm_year + 1900;
    s.month = t.tm_mon + 1;
    s.dayOfWeek = t.tm_wday;
    s.day = t.tm_mday;
    s.hour = t.tm_hour;
    s.minute = t.tm_min;
    s.second = t.tm_sec;
    s.milliseconds = static_cast<int>(nanos / 1000000);
    return s;
}
}

uint32_t PClock::TimeGetTime()
{
    return static_cast<uint32_t>(PClockNowNs() / 1000000ull);
}

bool PClock::QueryCounter(int64_t& counter)
{
    if (!s_clockHighRes.load())
    {
        counter = 0;
        return false;
    }
    counter = static_cast<int64_t>(PClockNowNs());
    return true;
}

bool PClock::QueryFrequency(int64_t& frequency)
{
    if (!s_clockHighRes.load())
    {
        frequency = 0;
        return false;
    }
    frequency = 1000000000ll;
    return true;
}

PSystemTime PClock::SystemTimeUtc()
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t;
    gmtime_r(&ts.tv_sec, &t);
    return PClockFromTm(t, ts.tv_nsec);
}

PSystemTime PClock::LocalTime()
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm t;
    localtime_r(&ts.tv_sec, &t);
    return PClockFromTm(t, ts.tv_nsec);
}

void PClock::Sleep(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void PClock::SetManual(bool manual, uint64_t nanoseconds)
{
    s_clockManualNs.store(nanoseconds, std::memory_order_release);
    s_clockManual.store(manual, std::memory_order_release);
}

void PClock::AdvanceManual(uint64_t nanoseconds)
{
    s_clockManualNs.fetch_add(nanoseconds, std::memory_order_acq_rel);
}

void PClock::SetHighResolutionAvailable(bool available)
{
    s_clockHighRes.store(available);
}
