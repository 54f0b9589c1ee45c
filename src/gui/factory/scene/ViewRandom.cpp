// Per-thread generators of the view's jobs.
#include "gui/factory/scene/ViewRandom.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <utility>

namespace
{
std::function<float()>& TestSource()
{
    static std::function<float()> source;
    return source;
}

uint32_t& ThreadState()
{
    // Seeded from the clock and the thread, so threads that start together still differ.
    thread_local uint32_t state = static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                                                        std::hash<std::thread::id>()(std::this_thread::get_id()));
    return state;
}
} // namespace

int ViewRandom::Rand()
{
    if (const auto& source = TestSource())
        return static_cast<int>(source() * 32768.0f) & 0x7FFF;
    uint32_t& s = ThreadState();
    s = s * 214013u + 2531011u;
    return static_cast<int>((s >> 16) & 0x7FFF);
}

float ViewRandom::NextFloat()
{
    if (const auto& source = TestSource())
        return source();
    return static_cast<float>(Rand()) / 32768.0f;
}

void ViewRandom::SetSourceForTests(std::function<float()> source)
{
    TestSource() = std::move(source);
}
