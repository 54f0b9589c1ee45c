// A latched auto-reset event, as the worker pool uses to wake threads and to report finished
// jobs: a signal with no waiter stays set until one waiter takes it, and each wait that
// succeeds resets it, so no wake-up is ever lost between a check and a wait.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

class PEvent
{
public:
    static constexpr uint32_t INFINITE_WAIT = 0xFFFFFFFFu;

    explicit PEvent(bool initiallySet = false) : m_set(initiallySet) {}
    PEvent(const PEvent&) = delete;
    PEvent& operator=(const PEvent&) = delete;

    // Sets the event; wakes at most one waiter, which resets it.
    void Signal();
    // Clears the event without waking anyone.
    void Reset();
    // Waits until the event is set (at most timeout ms), then resets it. True when it was
    // taken, false on timeout. A timeout of 0 only tests and takes.
    bool Wait(uint32_t timeoutMs = INFINITE_WAIT);
    bool IsSet() const;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_cond;
    bool m_set;
};
