// One piece of overhead conveyor track on one tile; resource objects travel only over tiles
// that carry one. Owned by the conveyor manager.
#pragma once
#include <atomic>
#include <cstdint>

class SIM_Tile;

class SIM_ResourceConveyor
{
public:
    static constexpr int32_t kNoFacing = 4;

    SIM_ResourceConveyor();
    // The manager deletes a piece once it is off its list. The tile's back pointer is the
    // placer's to clear: at game set-up the old floor is already gone when the conveyors go.
    virtual ~SIM_ResourceConveyor();
    SIM_ResourceConveyor(const SIM_ResourceConveyor&) = delete;
    SIM_ResourceConveyor& operator=(const SIM_ResourceConveyor&) = delete;

    // Connects the sides that lead to a neighbouring conveyor, and the conveyor's own facing side.
    void UpdateConnections();

    bool IsCarrying() const { return m_carrying.load(std::memory_order_relaxed) != 0; }
    // Written by resource objects on the main thread, read by the view and by the power job.
    void SetCarrying(bool carrying) { m_carrying.store(carrying ? 1 : 0, std::memory_order_relaxed); }

    uint8_t m_sides[4] = {0, 1, 0, 0};
    SIM_Tile* m_tile = nullptr;
    int32_t m_facing = kNoFacing;
    // The piece's index in the conveyor manager's list, -1 before it is listed; the list's own.
    int32_t m_listIndex = -1;
    // The piece's place among the pieces carrying an object this frame, -1 when it carries none;
    // the conveyor manager's own.
    int32_t m_carryingIndex = -1;

private:
    std::atomic<uint8_t> m_carrying{0};
};
