// The game's millisecond timers and their global pause and resume.
#include "engine/core/GTimer.h"
#include "engine/core/GLifetime.h"
#include "platform/core/PClock.h"
#include "platform/core/PDebugOutput.h"

#include <algorithm>
#include <list>
#include <mutex>

namespace
{
// Timers are built and destroyed on worker threads too, so the list has a lock. The program's
// owner holds it; a timer that outlives it leaves a new, empty one.
struct GTimerList
{
    std::mutex lock;
    std::list<GTimer*> timers;
};

GTimerList& TimerList()
{
    return GLifetime::Get<GTimerList>();
}

void GTimerRegister(GTimer* timer)
{
    GTimerList& list = TimerList();
    std::lock_guard<std::mutex> guard(list.lock);
    list.timers.push_back(timer);
}
}

GTimer::GTimer()
{
    GTimerRegister(this);
}

GTimer::GTimer(const GTimer& other)
    : m_timeScale(other.m_timeScale), m_stopped(other.m_stopped), m_lastTick(other.m_lastTick), m_total(other.m_total),
      m_frameFactor(other.m_frameFactor), m_elapsed(other.m_elapsed), m_highResolution(other.m_highResolution),
      m_frequency(other.m_frequency), m_lastCounter(other.m_lastCounter)
{
    GTimerRegister(this);
}

GTimer& GTimer::operator=(const GTimer& other)
{
    m_timeScale = other.m_timeScale;
    m_stopped = other.m_stopped;
    m_lastTick = other.m_lastTick;
    m_total = other.m_total;
    m_frameFactor = other.m_frameFactor;
    m_elapsed = other.m_elapsed;
    m_highResolution = other.m_highResolution;
    m_frequency = other.m_frequency;
    m_lastCounter = other.m_lastCounter;
    return *this;
}

GTimer::~GTimer()
{
    GTimerList& list = TimerList();
    std::lock_guard<std::mutex> guard(list.lock);
    auto it = std::find(list.timers.begin(), list.timers.end(), this);
    if (it != list.timers.end())
        list.timers.erase(it);
}

void GTimer::Start()
{
    m_stopped = false;
    m_total = 0.0;
    m_elapsed = 0.0f;
    m_lastTick = static_cast<double>(PClock::TimeGetTime());
    int64_t frequency = 0;
    if (PClock::QueryFrequency(frequency) && frequency > 0)
    {
        m_highResolution = true;
        m_frequency = frequency;
        PClock::QueryCounter(m_lastCounter);
    }
    else
        m_highResolution = false;
}

void GTimer::Update()
{
    if (m_stopped)
        return;
    if (m_highResolution && m_frequency > 0)
    {
        int64_t now = 0;
        PClock::QueryCounter(now);
        double seconds = static_cast<double>(now - m_lastCounter) / static_cast<double>(m_frequency);
        m_lastCounter = now;
        m_elapsed = static_cast<float>(seconds * 1000.0);
        m_frameFactor = m_elapsed / NOMINAL_FRAME_MS * m_timeScale;
        m_total += static_cast<double>(m_timeScale) * m_elapsed;
    }
    else
    {
        // The millisecond clock wraps after 49.7 days: the step is an unsigned 32-bit
        // difference, or the wrap would be one huge negative step.
        uint32_t now = PClock::TimeGetTime();
        uint32_t step = now - static_cast<uint32_t>(m_lastTick);
        m_lastTick = static_cast<double>(now);
        m_elapsed = static_cast<float>(step);
        m_frameFactor = (static_cast<float>(step) / NOMINAL_FRAME_MS) * m_timeScale;
        m_total += static_cast<double>(m_timeScale) * static_cast<double>(step);
    }
    if (m_elapsed > MAX_ELAPSED_MS)
        m_elapsed = MAX_ELAPSED_MS;
}

void GTimer::PauseAll()
{
    {
        GTimerList& list = TimerList();
        std::lock_guard<std::mutex> guard(list.lock);
        for (GTimer* timer : list.timers)
        {
            timer->Update();
            timer->m_stopped = true;
            timer->m_lastTick = static_cast<double>(PClock::TimeGetTime());
            PClock::QueryCounter(timer->m_lastCounter);
            timer->m_elapsed = 0.0f;
        }
    }
    PDebugOutput::Write("Pausing timers\n");
}

void GTimer::ResumeAll()
{
    {
        GTimerList& list = TimerList();
        std::lock_guard<std::mutex> guard(list.lock);
        for (GTimer* timer : list.timers)
        {
            timer->m_stopped = false;
            timer->m_lastTick = static_cast<double>(PClock::TimeGetTime());
            PClock::QueryCounter(timer->m_lastCounter);
            timer->m_elapsed = 0.0f;
            timer->Update();
        }
    }
    PDebugOutput::Write("Resuming timers\n");
}

int GTimer::Count()
{
    GTimerList& list = TimerList();
    std::lock_guard<std::mutex> guard(list.lock);
    return static_cast<int>(list.timers.size());
}
