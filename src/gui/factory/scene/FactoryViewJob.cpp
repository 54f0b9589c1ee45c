// Posting the view's typed jobs through the simulation's thread manager.
#include "gui/factory/scene/FactoryViewJob.h"

#include "sim/SIM_ThreadManager.h"

#include <ctime>

namespace
{
thread_local bool t_inViewJob = false;
// The job type each handler slot runs, for the clock.
template <int Type>
void RunTyped(void* param)
{
    auto* job = static_cast<FactoryViewJob*>(param);
    if (!job)
        return;
    FactoryJobClock* clock = job->clock;
    const bool timed = clock && clock->enabled.load(std::memory_order_relaxed);
    const int64_t start = timed ? FactoryJobClock::ThreadCpuNow() : 0;
    const bool outer = !t_inViewJob;
    t_inViewJob = true;
    job->Run();
    if (outer)
        t_inViewJob = false;
    if (timed)
        clock->nanoseconds[Type].fetch_add(FactoryJobClock::ThreadCpuNow() - start, std::memory_order_relaxed);
}

ThreadJobHandler HandlerFor(int type)
{
    switch (type)
    {
    case TRANSFORMTILES:
        return &RunTyped<TRANSFORMTILES>;
    case PREDRAWPROPS:
        return &RunTyped<PREDRAWPROPS>;
    case PREDRAWVEHICLES:
        return &RunTyped<PREDRAWVEHICLES>;
    case SORTOBJECTS:
        return &RunTyped<SORTOBJECTS>;
    default:
        return nullptr;
    }
}
} // namespace

void PostFactoryViewJob(int jobType, FactoryViewJob& job)
{
    ThreadJobHandler handler = HandlerFor(jobType);
    if (!handler)
        return;
    SIM_ThreadManager& threads = SIM_ThreadManager::Instance();
    // The view's job bodies are its own; setting them again each time is cheap and survives a
    // test that cleared them.
    threads.SetJobHandler(jobType, handler);
    threads.PostJob(jobType, &job);
}

bool InFactoryViewJob()
{
    return t_inViewJob;
}

void FactoryJobClock::Reset()
{
    for (auto& ns : nanoseconds)
        ns.store(0);
}

int64_t FactoryJobClock::ThreadCpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
