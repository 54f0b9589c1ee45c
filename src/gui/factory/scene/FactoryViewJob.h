// The factory view's work on the simulation's worker threads, with typed parameters: each kind of
// job is a class with its own fields and Run. A job writes only the per-frame data the view gave
// it; windows, GL and sound wait for the main thread, which reads the results after the wait.
#pragma once

#include <atomic>
#include <cstdint>

struct FactoryJobClock;

class FactoryViewJob
{
public:
    virtual ~FactoryViewJob() = default;
    // The job's body, on a worker or on the main thread while it waits.
    virtual void Run() = 0;

    // Where the job's CPU time is counted; null: nowhere.
    FactoryJobClock* clock = nullptr;
};

// Posts the job under its job number (TRANSFORMTILES, PREDRAWPROPS, PREDRAWVEHICLES, SORTOBJECTS).
// The job must stay alive until SIM_ThreadManager::WaitForAllJobs returns. Main thread.
void PostFactoryViewJob(int jobType, FactoryViewJob& job);

// True on a thread while it runs a factory view job (any thread). Code that may run in a job and
// would raise a window or a sound hands that to the main thread instead.
bool InFactoryViewJob();

// CPU time the view's jobs spent, by job number, in nanoseconds (the benchmark reads and resets
// the factory view's). Counted only while enabled.
struct FactoryJobClock
{
    static constexpr int kJobTypes = 9;
    std::atomic<int64_t> nanoseconds[kJobTypes] = {};
    std::atomic<bool> enabled{false};

    void Reset();
    // CPU time of the calling thread (nanoseconds).
    static int64_t ThreadCpuNow();
};
