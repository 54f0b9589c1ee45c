// A critical section as the game's shared queues use them: re-entrant, so a thread that
// holds it may enter again (and must leave as often as it entered).
#pragma once
#include <mutex>

class PCriticalSection
{
public:
    PCriticalSection() = default;
    PCriticalSection(const PCriticalSection&) = delete;
    PCriticalSection& operator=(const PCriticalSection&) = delete;

    void Enter() { m_lock.lock(); }
    bool TryEnter() { return m_lock.try_lock(); }
    void Leave() { m_lock.unlock(); }

    // The standard lock interface, so that a condition (std::condition_variable_any) can wait on
    // the section: the worker pool's wait for its jobs does.
    void lock() { Enter(); }
    void unlock() { Leave(); }

private:
    std::recursive_mutex m_lock;
};

// Holds a critical section for the life of a scope.
class PCriticalSectionLock
{
public:
    explicit PCriticalSectionLock(PCriticalSection& section) : m_section(section) { m_section.Enter(); }
    ~PCriticalSectionLock() { m_section.Leave(); }
    PCriticalSectionLock(const PCriticalSectionLock&) = delete;
    PCriticalSectionLock& operator=(const PCriticalSectionLock&) = delete;

private:
    PCriticalSection& m_section;
};
