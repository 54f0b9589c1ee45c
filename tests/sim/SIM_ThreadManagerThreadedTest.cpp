// The worker pool under load: every job runs exactly once, queued jobs run first in first out,
// the waiting thread helps and otherwise sleeps, workers carry their names, and exit joins them.
#include "sim/SIM_ThreadManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <dirent.h>
#include <fstream>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace sim_threads_test
{
struct CountedJob
{
    std::atomic<int> runs{0};
    int spin = 0;
};

void RunCountedJob(void* param)
{
    CountedJob* job = static_cast<CountedJob*>(param);
    volatile int sink = 0;
    for (int i = 0; i < job->spin; ++i)
        sink = sink + i;
    job->runs.fetch_add(1);
}

std::mutex g_orderLock;
std::vector<intptr_t> g_order;

void RecordOrderJob(void* param)
{
    std::lock_guard<std::mutex> guard(g_orderLock);
    g_order.push_back(reinterpret_cast<intptr_t>(param));
}

std::atomic<bool> g_release{false};
std::atomic<int> g_blocked{0};

void BlockingJob(void*)
{
    g_blocked.fetch_add(1);
    while (!g_release.load())
        std::this_thread::yield();
}

std::set<std::string> ThreadNamesOfThisProcess()
{
    std::set<std::string> names;
    DIR* dir = opendir("/proc/self/task");
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir))
    {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string name;
        std::getline(comm, name);
        names.insert(name);
    }
    closedir(dir);
    return names;
}

TEST(SimThreadManagerThreaded, BeforeInitJobsRunAtOnceOnThePoster)
{
    SIM_ThreadManager pool;
    pool.SetJobHandler(TRANSFORMTILES, RunCountedJob);
    CountedJob job;
    pool.PostJob(TRANSFORMTILES, &job);
    EXPECT_EQ(job.runs.load(), 1);
    pool.PostJob(JOB_NONE, &job); // no type: freed, never run
    pool.PostJob(42, &job);       // unknown type: runs nothing
    pool.WaitForAllJobs();
    EXPECT_EQ(job.runs.load(), 1);
}

TEST(SimThreadManagerThreaded, ThousandsOfRandomJobsRunExactlyOnce)
{
    SIM_ThreadManager pool;
    for (int type = TRANSFORMTILES; type < JOB_TYPE_COUNT; ++type)
        pool.SetJobHandler(type, RunCountedJob);
    pool.Init();
    ASSERT_TRUE(pool.IsThreaded());
    ASSERT_EQ(pool.GetSlotCount(), 8);

    std::mt19937 random(1234);
    constexpr int kFrames = 500;
    constexpr int kMaxJobsPerFrame = 40;
    std::vector<std::unique_ptr<CountedJob>> jobs;
    for (int frame = 0; frame < kFrames; ++frame)
    {
        const int count = 1 + static_cast<int>(random() % kMaxJobsPerFrame);
        const size_t first = jobs.size();
        for (int i = 0; i < count; ++i)
        {
            jobs.push_back(std::make_unique<CountedJob>());
            jobs.back()->spin = static_cast<int>(random() % 2000);
            const int type = TRANSFORMTILES + static_cast<int>(random() % (JOB_TYPE_COUNT - TRANSFORMTILES));
            pool.PostJob(type, jobs.back().get());
        }
        pool.WaitForAllJobs();
        // When the wait returns, every job of the frame has run, once.
        for (size_t j = first; j < jobs.size(); ++j)
            ASSERT_EQ(jobs[j]->runs.load(), 1) << "frame " << frame << " job " << j;
    }
    EXPECT_GT(jobs.size(), 5000u);
    pool.Shutdown();
    EXPECT_FALSE(pool.IsThreaded());
}

TEST(SimThreadManagerThreaded, WorkersCarryTheirNamesAndLeaveAtShutdown)
{
    SIM_ThreadManager pool;
    pool.Init();
    std::set<std::string> names = ThreadNamesOfThisProcess();
    for (int slot = 1; slot <= 7; ++slot)
        EXPECT_EQ(names.count("FV Thread " + std::to_string(slot)), 1u) << slot;
    EXPECT_EQ(names.count("FV Thread 8"), 0u);
    pool.Shutdown();
    names = ThreadNamesOfThisProcess();
    EXPECT_EQ(names.count("FV Thread 1"), 0u);
    // A pool that was shut down runs posted jobs at once again.
    pool.SetJobHandler(SORTOBJECTS, RunCountedJob);
    CountedJob job;
    pool.PostJob(SORTOBJECTS, &job);
    EXPECT_EQ(job.runs.load(), 1);
}

TEST(SimThreadManagerThreaded, WithEveryWorkerBusyQueuedJobsRunInOrderOnTheWaitingThread)
{
    SIM_ThreadManager pool;
    pool.SetJobHandler(TRANSFORMTILES, BlockingJob);
    pool.SetJobHandler(PREDRAWPROPS, RecordOrderJob);
    pool.Init();
    g_release.store(false);
    g_blocked.store(0);
    g_order.clear();
    // Seven jobs occupy the seven workers; the eighth and later ones wait in the list.
    for (int i = 0; i < 7; ++i)
        pool.PostJob(TRANSFORMTILES, nullptr);
    while (g_blocked.load() < 7)
        std::this_thread::yield();
    for (intptr_t i = 0; i < 50; ++i)
        pool.PostJob(PREDRAWPROPS, reinterpret_cast<void*>(i));
    // The waiting thread runs every queued job itself while the workers are held. Then it sleeps
    // until the workers finish, however long they are held: it wakes once per finished job at
    // most, where a waiter that spun would look thousands of times meanwhile.
    std::thread release([&pool] {
        for (;;)
        {
            {
                std::lock_guard<std::mutex> guard(g_orderLock);
                if (g_order.size() == 50 && pool.IdleWaits() > 0)
                    break;
            }
            std::this_thread::yield();
        }
        for (int i = 0; i < 2000; ++i)
            std::this_thread::yield();
        g_release.store(true);
    });
    pool.WaitForAllJobs();
    release.join();
    std::vector<intptr_t> expected;
    for (intptr_t i = 0; i < 50; ++i)
        expected.push_back(i);
    EXPECT_EQ(g_order, expected);
    EXPECT_LE(pool.IdleWaits(), 1u + 7u + 4u) << "one sleep, then a wake-up per worker that finished";
    pool.Shutdown();
}

TEST(SimThreadManagerThreaded, JobsMayPostJobsFromWorkers)
{
    static SIM_ThreadManager* s_pool = nullptr;
    static std::atomic<int> s_leaves{0};
    SIM_ThreadManager pool;
    s_pool = &pool;
    s_leaves.store(0);
    pool.SetJobHandler(SORTOBJECTS, [](void*) { s_leaves.fetch_add(1); });
    pool.SetJobHandler(PREDRAWVEHICLES, [](void*) {
        for (int i = 0; i < 10; ++i)
            s_pool->PostJob(SORTOBJECTS, nullptr);
    });
    pool.Init();
    for (int round = 0; round < 50; ++round)
    {
        for (int i = 0; i < 20; ++i)
            pool.PostJob(PREDRAWVEHICLES, nullptr);
        pool.WaitForAllJobs();
        ASSERT_EQ(s_leaves.load(), (round + 1) * 200);
    }
    pool.Shutdown();
}
}
