// The outlet of a supply or component stockpile: sends the objects queued in it onto the
// conveyors, one per 500 ms of real time.
#pragma once
#include "engine/core/GTimer.h"

#include <cstdint>
#include <deque>

class SIM_ResourceObject;

class SIM_ResourceExporter
{
public:
    static constexpr float kDefaultRate = 500.0f;

    // The timer runs from the start, so the first object queued leaves without waiting for a
    // pause and resume of the clocks.
    SIM_ResourceExporter();
    virtual ~SIM_ResourceExporter();
    SIM_ResourceExporter(const SIM_ResourceExporter&) = delete;
    SIM_ResourceExporter& operator=(const SIM_ResourceExporter&) = delete;

    void Enqueue(SIM_ResourceObject* object);
    // Sends the first queued object when the rate has passed; its place index, or -1.
    int32_t ExportOne();
    // Takes the object off the queue when it waits here; true when it did.
    bool Remove(SIM_ResourceObject* object);
    // Withdraws every queued object from its destination's requests and releases it (the owning
    // stockpile goes away).
    void WithdrawAll();

    const std::deque<SIM_ResourceObject*>& Queue() const { return m_queue; }
    std::deque<SIM_ResourceObject*>& MutableQueue() { return m_queue; }
    GTimer& Timer() { return m_timer; }
    float m_rate = kDefaultRate;

private:
    std::deque<SIM_ResourceObject*> m_queue;
    GTimer m_timer;
};
