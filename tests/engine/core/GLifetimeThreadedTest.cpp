#include "engine/core/GLifetime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
std::atomic<int> g_lifetimeThreadedMade{0};

struct LifetimeSlowToMake
{
    LifetimeSlowToMake()
    {
        ++g_lifetimeThreadedMade;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
};
} // namespace

TEST(GLifetimeThreaded, ThreadsAskingAtOnceShareOneObject)
{
    std::atomic<bool> go{false};
    std::vector<LifetimeSlowToMake*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&, i] {
            while (!go.load())
                std::this_thread::yield();
            seen[i] = &GLifetime::Get<LifetimeSlowToMake>();
        });
    go.store(true);
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(g_lifetimeThreadedMade.load(), 1);
    for (LifetimeSlowToMake* object : seen)
        EXPECT_EQ(object, seen.front());
}
