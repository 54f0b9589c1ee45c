// The worker-thread pool of the simulation and the view.
#include "sim/SIM_ThreadManager.h"
#include "engine/core/GLifetime.h"

#include "engine/core/GDebugLog.h"
#include "platform/core/PThread.h"
#include "platform/core/PTraceSpan.h"

#include <chrono>
#include <cstdio>
#include <system_error>

namespace
{
const char* const g_threadJobNames[JOB_TYPE_COUNT] = {"",
                                                      "PROCESS_POWER_MANAGER",
                                                      "PROCESS_VEHICLES",
                                                      "TRANSFORMTILES",
                                                      "PREDRAWPROPS",
                                                      "REQUESTRESOURCEPATH",
                                                      "PREDRAWVEHICLES",
                                                      "SORTOBJECTS",
                                                      "CHECKUPDATES"};

// How long the exit waits for a worker that is still inside a job before leaving it behind.
constexpr auto g_workerExitTimeout = std::chrono::seconds(5);
}

SIM_ThreadManager& SIM_ThreadManager::Instance()
{
    return GLifetime::Get<SIM_ThreadManager>();
}

SIM_ThreadManager::SIM_ThreadManager()
{
    for (int s = 0; s < MAX_SLOTS; ++s)
    {
        m_currentJobs[s].store(nullptr);
        m_started[s].store(false);
        m_exited[s].store(false);
        m_slotNumbers[s] = s;
    }
    for (int t = 0; t < JOB_TYPE_COUNT; ++t)
        m_handlers[t].store(nullptr);
}

SIM_ThreadManager::~SIM_ThreadManager()
{
    Shutdown();
}

const char* SIM_ThreadManager::GetJobName(int type)
{
    return type >= 0 && type < JOB_TYPE_COUNT ? g_threadJobNames[type] : "";
}

void SIM_ThreadManager::SetJobHandler(int type, ThreadJobHandler handler)
{
    if (type > JOB_NONE && type < JOB_TYPE_COUNT)
        m_handlers[type].store(handler);
}

void SIM_ThreadManager::Init()
{
    if (m_threaded)
        return;
    m_slotCount = MAX_SLOTS;
    if (m_slotCount < 2)
        m_slotCount = 2;
    if (m_slotCount > MAX_SLOTS)
        m_slotCount = MAX_SLOTS;
    m_quit.store(false);
    for (int s = 1; s < m_slotCount; ++s)
    {
        m_slotNumbers[s] = s;
        m_currentJobs[s].store(nullptr);
        m_started[s].store(false);
        m_exited[s].store(false);
        m_events[s].Reset();
        try
        {
            m_threads[s] = std::thread(&SIM_ThreadManager::WorkerThreadProc, this, m_slotNumbers[s]);
        }
        catch (const std::system_error&)
        {
            // Jobs are only ever handed to live workers: the pool shrinks to those that started.
            GDebugLog::Instance().LogError("Worker thread could not be started");
            m_slotCount = s;
            break;
        }
    }
    // Every worker has named itself before Init returns, so tools see the whole pool at once.
    WaitForEveryWorker(m_started);
    m_threaded = m_slotCount > 1;
}

void SIM_ThreadManager::WaitForEveryWorker(const std::atomic<bool>* flags)
{
    std::unique_lock<std::mutex> guard(m_exitLock);
    m_exitSignal.wait_for(guard, g_workerExitTimeout, [this, flags] {
        for (int s = 1; s < m_slotCount; ++s)
            if (!flags[s].load())
                return false;
        return true;
    });
}

void SIM_ThreadManager::Shutdown()
{
    if (!m_threaded)
        return;
    // Workers finish the job they are in and then leave; nothing is killed mid-job.
    m_quit.store(true);
    for (int s = 1; s < m_slotCount; ++s)
        m_events[s].Signal();
    WaitForEveryWorker(m_exited);
    for (int s = 1; s < m_slotCount; ++s)
    {
        if (!m_threads[s].joinable())
            continue;
        if (m_exited[s].load())
            m_threads[s].join();
        else
            m_threads[s].detach(); // stuck in a job that does not end (a download): left behind
    }
    PCriticalSectionLock guard(m_lock);
    for (int s = 1; s < m_slotCount; ++s)
    {
        if (m_exited[s].load())
            FreeJob(m_currentJobs[s].exchange(nullptr));
    }
    for (ThreadJob* job : m_pendingJobs)
        FreeJob(job);
    m_pendingJobs.clear();
    m_threaded = false;
}

ThreadJob* SIM_ThreadManager::TakeJob(int type, void* param)
{
    PCriticalSectionLock guard(m_lock);
    ThreadJob* job = nullptr;
    if (m_freeJobs.empty())
    {
        job = &m_jobStore.emplace_back();
    }
    else
    {
        job = m_freeJobs.back();
        m_freeJobs.pop_back();
    }
    job->m_type = type;
    job->m_param = param;
    return job;
}

void SIM_ThreadManager::FreeJob(ThreadJob* job)
{
    if (!job)
        return;
    PCriticalSectionLock guard(m_lock);
    job->m_type = JOB_NONE;
    job->m_param = nullptr;
    m_freeJobs.push_back(job);
}

void SIM_ThreadManager::PostJob(int type, void* param)
{
    ThreadJob* job = TakeJob(type, param);
    if (!m_threaded)
    {
        RunJob(job); // a job without a type is freed without running
        return;
    }
    PCriticalSectionLock guard(m_lock);
    for (int s = 1; s < m_slotCount; ++s)
    {
        if (m_currentJobs[s].load() == nullptr)
        {
            m_currentJobs[s].store(job);
            m_events[s].Signal();
            return;
        }
    }
    m_pendingJobs.push_back(job);
    // A waiting thread runs queued jobs itself.
    m_jobsChanged.notify_all();
}

void SIM_ThreadManager::WorkerThreadProc(int slot)
{
    char name[32];
    std::snprintf(name, sizeof(name), "FV Thread %d", slot);
    PThread::SetCurrentName(name);
    {
        std::lock_guard<std::mutex> guard(m_exitLock);
        m_started[slot].store(true);
    }
    m_exitSignal.notify_all();
    for (;;)
    {
        m_events[slot].Wait();
        if (m_quit.load())
            break;
        ThreadJob* job = m_currentJobs[slot].load();
        if (job)
            RunJob(job);
        // Clearing the slot and taking the next pending job happen under one lock, so a waiting
        // thread never sees an idle pool while a job is still queued.
        PCriticalSectionLock guard(m_lock);
        if (!m_pendingJobs.empty())
        {
            m_currentJobs[slot].store(m_pendingJobs.front());
            m_pendingJobs.pop_front();
            m_events[slot].Signal();
        }
        else
        {
            m_currentJobs[slot].store(nullptr);
            m_jobsChanged.notify_all();
        }
    }
    {
        std::lock_guard<std::mutex> guard(m_exitLock);
        m_exited[slot].store(true);
    }
    m_exitSignal.notify_all();
}

void SIM_ThreadManager::WaitForAllJobs()
{
    if (!m_threaded)
        return;
    // The state is read and the wait begun under the pool's lock, and workers and posters change
    // the state and notify under it too, so no wake-up is lost between a look and the sleep. A
    // waiter that yielded in a loop instead burnt its core for as long as a preempted worker was
    // off its own.
    std::unique_lock<PCriticalSection> guard(m_lock);
    for (;;)
    {
        if (!m_pendingJobs.empty())
        {
            ThreadJob* next = m_pendingJobs.front();
            m_pendingJobs.pop_front();
            guard.unlock();
            RunJob(next);
            guard.lock();
            continue;
        }
        bool idle = true;
        for (int s = 1; s < m_slotCount; ++s)
            if (m_currentJobs[s].load() != nullptr)
                idle = false;
        if (idle)
            return;
        m_idleWaits.fetch_add(1);
        m_jobsChanged.wait(guard);
    }
}

void SIM_ThreadManager::RunJob(ThreadJob* job)
{
    if (!job)
        return;
    PTraceSpan span(GetJobName(job->m_type));
    switch (job->m_type)
    {
    case JOB_NONE:
        break;
    default:
        // The game's frame jobs, the route table's requests and the view's and the application's
        // jobs run through the handlers their owners register; a route request frees its own
        // parameter.
        if (job->m_type > JOB_NONE && job->m_type < JOB_TYPE_COUNT)
        {
            if (ThreadJobHandler handler = m_handlers[job->m_type].load())
                handler(job->m_param);
        }
        break;
    }
    FreeJob(job);
}
