// The game's millisecond timer: simulation clock and frame timers, work cycles of slots, the
// caret of text fields. Every timer is in one global list so the whole game freezes when the
// window loses the focus (PauseAll) and thaws when it gets it back (ResumeAll).
// Timers may be built and destroyed on any thread (the list is locked), but pause and resume
// step every timer, so a timer is started and stepped only on the main thread.
#pragma once
#include <cstdint>

class GTimer
{
public:
    GTimer();
    GTimer(const GTimer& other);
    GTimer& operator=(const GTimer& other);
    virtual ~GTimer();

    // Runs the timer from now (also restarts it): total and elapsed back to 0.
    void Start();
    // One step: elapsed, frame factor and total from the time since the previous step.
    void Update();

    static void PauseAll();
    static void ResumeAll();
    // Number of timers alive (for tests and diagnostics).
    static int Count();

    float GetTotal() const { return static_cast<float>(m_total); }
    float GetElapsed() const { return m_elapsed; }
    float GetFrameFactor() const { return m_frameFactor; }
    float GetTimeScale() const { return m_timeScale; }
    void SetTimeScale(float scale) { m_timeScale = scale; }
    bool IsStopped() const { return m_stopped; }

    // Users read these directly after Update.
    float m_timeScale = 1.0f;   // multiplier on elapsed time (game speed)
    bool m_stopped = true;      // Update does nothing while stopped
    double m_lastTick = 0.0;    // millisecond clock at the previous step
    double m_total = 0.0;       // scaled milliseconds since Start
    float m_frameFactor = 0.0f; // last step's milliseconds / 12 x time scale
    float m_elapsed = 0.0f;     // last step's milliseconds, unscaled, at most 36
    bool m_highResolution = false;
    int64_t m_frequency = 0;
    int64_t m_lastCounter = 0;

    static constexpr float NOMINAL_FRAME_MS = 12.0f;
    static constexpr float MAX_ELAPSED_MS = 36.0f;
};
