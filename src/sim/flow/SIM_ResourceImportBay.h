// Where resources enter the factory: an import bay on the building's edge queues the objects
// bought for the slots and sends one onto the conveyors per delay.
#pragma once
#include "engine/core/GTimer.h"

#include <cstdint>
#include <deque>
#include <memory>

class SIM_Tile;
class SIM_ResourceObject;
class SIM_ImportBayView;
class SIM_ConveyorLabelView;

class SIM_ResourceImportBay
{
public:
    explicit SIM_ResourceImportBay(SIM_Tile* tile);
    // Leaves the manager's list, destroys its view and label, withdraws and releases every
    // queued object, and makes every slot forget it as its nearest bay.
    virtual ~SIM_ResourceImportBay();
    SIM_ResourceImportBay(const SIM_ResourceImportBay&) = delete;
    SIM_ResourceImportBay& operator=(const SIM_ResourceImportBay&) = delete;

    // Appends a waiting object to the queue.
    void Enqueue(SIM_ResourceObject* object);
    // The per-tick import: at most one object leaves per delay.
    void Update();
    // Removes every queued object that cannot be routed to its destination.
    void PurgeUnroutable();
    // Takes the object off the queue when it waits here; true when it did.
    bool Remove(SIM_ResourceObject* object);
    // Withdraws and releases every queued object at once, the queue emptied first.
    void ReleaseQueue();
    // Queue entries looked at by every bay since the start, to take objects off: tests check that
    // a game's end looks at each waiting object once, not along its queue for each. Any thread.
    static uint64_t QueueEntriesLookedAt();

    SIM_Tile* GetTile() const { return m_tile; }
    int32_t GetSide() const { return m_side; }
    size_t QueueLength() const { return m_queue.size(); }
    const std::deque<SIM_ResourceObject*>& Queue() const { return m_queue; }

private:
    void RefreshLabel();

    std::deque<SIM_ResourceObject*> m_queue;
    GTimer m_timer;
    float m_delay = 0.0f;
    SIM_Tile* m_tile = nullptr;
    std::unique_ptr<SIM_ConveyorLabelView> m_label;
    std::unique_ptr<SIM_ImportBayView> m_view;
    int32_t m_side = 0;
};
