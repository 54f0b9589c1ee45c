// The pool of worker threads that takes the simulation's and the view's bulk work each frame:
// numbered jobs run on seven workers, queue first in first out when all are busy, and the
// main thread runs queued jobs itself while it waits for the frame's jobs to finish.
#pragma once

#include "platform/core/PCriticalSection.h"
#include "platform/core/PEvent.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

enum ThreadJobType
{
    JOB_NONE = 0,
    PROCESS_POWER_MANAGER = 1,
    PROCESS_VEHICLES = 2,
    TRANSFORMTILES = 3,
    PREDRAWPROPS = 4,
    REQUESTRESOURCEPATH = 5,
    PREDRAWVEHICLES = 6,
    SORTOBJECTS = 7,
    CHECKUPDATES = 8,
    JOB_TYPE_COUNT = 9
};

struct ThreadJob
{
    int m_type = JOB_NONE;
    void* m_param = nullptr;
};

// The body of a job type. The route table, the view and the application register theirs; the
// power and vehicle jobs are dispatched directly. A handler that owns its parameter frees it.
using ThreadJobHandler = void (*)(void* param);

class SIM_ThreadManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int MAX_SLOTS = 8; // slot 0 is the thread that waits; 1..7 are workers

    static SIM_ThreadManager& Instance();

    SIM_ThreadManager();
    virtual ~SIM_ThreadManager();
    SIM_ThreadManager(const SIM_ThreadManager&) = delete;
    SIM_ThreadManager& operator=(const SIM_ThreadManager&) = delete;

    // Starts the workers, once; a second call does nothing.
    void Init();
    // Program exit: every worker finishes the job it is in and stops, and is joined; jobs still
    // pending are dropped. Afterwards posted jobs run at once on the poster's thread.
    void Shutdown();

    // Any thread (workers post jobs too).
    void PostJob(int type, void* param);
    // Returns when no job is pending or running; runs pending jobs on the calling thread meanwhile,
    // and otherwise sleeps until a job finishes or is queued. Main thread.
    void WaitForAllJobs();
    // How often a wait found jobs running and none queued for it, and so slept: a few per frame,
    // however long the workers take. Tests read it.
    uint64_t IdleWaits() const { return m_idleWaits.load(); }
    // Runs and frees one job on the calling thread.
    void RunJob(ThreadJob* job);

    // Registers (or clears with nullptr) the body of a job type; main thread, outside any wait.
    void SetJobHandler(int type, ThreadJobHandler handler);

    bool IsThreaded() const { return m_threaded.load(); }
    int GetSlotCount() const { return m_slotCount; }
    static const char* GetJobName(int type);

private:
    void WorkerThreadProc(int slot);
    // Waits (bounded) until every worker has set its flag: started or exited.
    void WaitForEveryWorker(const std::atomic<bool>* flags);
    // Job records are made once and reused: a free record for a new job, and back again.
    ThreadJob* TakeJob(int type, void* param);
    void FreeJob(ThreadJob* job);

    PEvent m_events[MAX_SLOTS]; // latched auto-reset: a wake-up given before the wait is kept
    std::atomic<ThreadJob*> m_currentJobs[MAX_SLOTS];
    std::atomic<bool> m_threaded{false};
    std::thread m_threads[MAX_SLOTS];
    int m_slotNumbers[MAX_SLOTS] = {};
    std::list<ThreadJob*> m_pendingJobs;
    std::deque<ThreadJob> m_jobStore;   // every job record; stable addresses
    std::vector<ThreadJob*> m_freeJobs; // the records not in use
    int m_slotCount = MAX_SLOTS;
    std::atomic<bool> m_quit{false};
    std::atomic<ThreadJobHandler> m_handlers[JOB_TYPE_COUNT];
    std::atomic<bool> m_started[MAX_SLOTS];
    std::atomic<bool> m_exited[MAX_SLOTS];
    std::mutex m_exitLock; // with m_exitSignal: workers report start and exit
    std::condition_variable m_exitSignal;
    PCriticalSection m_lock; // guards the current-job slots and the pending list
    // With m_lock: a job was queued or a worker went idle.
    std::condition_variable_any m_jobsChanged;
    std::atomic<uint64_t> m_idleWaits{0};
};
