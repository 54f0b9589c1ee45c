// The outlet of a supply or component stockpile: sends the objects queued in it onto the
// conveyors, one per 500 ms of real time.
#pragma once
#include "engine/core/GTimer.h"

#include <cstdint>
#include <deque>
#include <functional>

class SIM_ResourceObject;

class SIM_ResourceExporter
{
public:
    static constexpr float kDefaultRate = 500.0f;
    // What the owning stockpile does when a queued object goes without being sent: the place it
    // waited on shows nothing any more.
    using PlaceHider = std::function<void(int32_t place)>;

    // The timer runs from the start, so the first object queued leaves without waiting for a
    // pause and resume of the clocks.
    explicit SIM_ResourceExporter(PlaceHider hidePlace = {});
    // Objects still queued stop naming this exporter.
    virtual ~SIM_ResourceExporter();
    SIM_ResourceExporter(const SIM_ResourceExporter&) = delete;
    SIM_ResourceExporter& operator=(const SIM_ResourceExporter&) = delete;

    // Queues the object (it waits) and marks it as queued here.
    void Enqueue(SIM_ResourceObject* object);
    // A saved object back in the queue, in its saved state.
    void Restore(SIM_ResourceObject* object);
    // Sends the first queued object when the rate has passed; its place index, or -1.
    int32_t ExportOne();
    // Takes the object off the queue when it waits here; true when it did.
    bool Remove(SIM_ResourceObject* object);
    // The same for an object that goes without being sent; its place is emptied.
    bool Forget(SIM_ResourceObject* object);
    // Withdraws every queued object from its destination's requests and releases it (the owning
    // stockpile goes away).
    void WithdrawAll();

    const std::deque<SIM_ResourceObject*>& Queue() const { return m_queue; }
    std::deque<SIM_ResourceObject*>& MutableQueue() { return m_queue; }
    GTimer& Timer() { return m_timer; }
    float m_rate = kDefaultRate;

private:
    // Unmarks an object that leaves the queue.
    void Unmark(SIM_ResourceObject* object) const;

    std::deque<SIM_ResourceObject*> m_queue;
    GTimer m_timer;
    PlaceHider m_hidePlace;
};
