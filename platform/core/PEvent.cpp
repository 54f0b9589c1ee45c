// A latched auto-reset event.
#include "platform/core/PEvent.h"

#include <chrono>

void PEvent::Signal()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_set = true;
    }
    m_cond.notify_one();
}

void PEvent::Reset()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_set = false;
}

bool PEvent::Wait(uint32_t timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (timeoutMs == INFINITE_WAIT)
        m_cond.wait(lock, [this] { return m_set; });
    else if (!m_cond.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_set; }))
        return false;
    m_set = false;
    return true;
}

bool PEvent::IsSet() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_set;
}
