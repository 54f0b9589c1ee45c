// Everything the player places on the factory floor is a slot: this is their common base. It ties
// the slot to its tiles and its task, and holds its state, state history, notice, staff and upgrades.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "sim/slots/SlotState.h"

class SIM_BaseTask;
class SIM_Employee;
class SIM_ResourceImportBay;
class SIM_SlotNotice;
class SIM_SlotStateHistory;
class SIM_SlotUpgrade;
class SIM_SlotView;
class SIM_Tile;
class SIM_ResourceReceiver;
class SIM_VehicleHolder;
struct SIM_Clock;
struct TaskTileDef;

class SIM_PlaceableSlot
{
public:
    SIM_PlaceableSlot();
    virtual ~SIM_PlaceableSlot();
    SIM_PlaceableSlot(const SIM_PlaceableSlot&) = delete;
    SIM_PlaceableSlot& operator=(const SIM_PlaceableSlot&) = delete;

    // Per-tick work (through the occupied tiles' loop); nothing in the base.
    virtual void Update();
    virtual int SetFacing(int facing);
    // Whether the cash covers the task's construction cost.
    virtual bool CanAfford() const;
    // Takes the slot off the floor: tiles back to zone floor, staff dismissed.
    virtual void Remove(bool silent);
    // Takes the anchor tile, and the game's clock from the tile's floor.
    virtual SIM_Tile* SetTile(SIM_Tile* anchor);
    // The clock a slot that stands on no floor records its state changes by.
    void SetClock(const SIM_Clock& clock) { m_clock = &clock; }
    // The game speed by the slot's clock; 1 before the slot has one.
    float GetGameSpeed() const;
    // The slot's view (production slot or facility view); null in the base and headless.
    virtual SIM_SlotView* GetGuiSlot() const;
    // One covered tile of the footprint, with its definition.
    virtual void AddOption(SIM_Tile* tile, const TaskTileDef& def);
    // Looks again for the way its resources come by (its nearest import bay); false when the
    // answer waits for a search the open share of route searching cannot hold.
    virtual bool UpdateRouteState();
    virtual void SetupPlaces();
    // Keeps the task without putting anything in place: a slot that only follows the mouse (or
    // waits to be placed) knows what it will be. The task stays owned by its manager.
    virtual void AssignTask(SIM_BaseTask* task) { m_task = task; }
    // Runs the slot's own set-task operation with the kept task: sub-tasks, upgrades, staff and
    // whatever the slot's class derives from its task. The placement operations call it once.
    virtual void ApplyTask() {}
    // Where resource objects bound for this slot are delivered; none in the base.
    virtual SIM_ResourceReceiver* GetResourceReceiver() { return nullptr; }
    // The station a car arriving on this slot's tile is handed to; none in the base.
    virtual SIM_VehicleHolder* AsVehicleHolder() { return nullptr; }

    // Multipliers back to 1 and additive values to 0, then every effect of every installed upgrade.
    void RecalculateUpgradeEffects();

    // The state change rule: a different state is stored and recorded at the clock's game time;
    // the same state does nothing.
    void SetState(int state);
    int GetState() const { return m_state; }

    // Hires one employee per staff entry of the current task, in place of any staff before.
    void CreateStaff();
    // Dismisses every employee (their wages stop).
    void DeleteEmployees();

    // The task's power draw with the upgrade effects: (demand + additive) x power-use multiplier.
    float GetPowerDraw() const;

    // Field access for the other parts of the simulation, the view and the savegame.
    SIM_BaseTask* GetTask() const { return m_task; }
    SIM_Tile* GetTile() const { return m_anchorTile; }
    int GetFacing() const { return m_facing; }
    bool IsFacility() const { return m_facilityFlag != 0; }
    bool IsBusy() const { return m_busy != 0; }
    void SetBusy(bool busy) { m_busy = busy ? 1 : 0; }
    SIM_SlotNotice* GetNotice() const { return m_notice.get(); }
    SIM_SlotStateHistory* GetStateHistory() const { return m_history.get(); }
    SIM_ResourceImportBay* GetNearestImportBay() const { return m_nearestBay; }
    // A new nearest bay may serve a request that was refused before.
    void SetNearestImportBay(SIM_ResourceImportBay* bay);
    const std::vector<SIM_Tile*>& GetTiles() const { return m_tiles; }
    const std::vector<std::unique_ptr<SIM_Employee>>& GetEmployees() const { return m_employees; }
    std::vector<SIM_SlotUpgrade*>& GetUpgrades() { return m_upgrades; }
    const std::vector<SIM_SlotUpgrade*>& GetUpgrades() const { return m_upgrades; }
    float GetSpeedMultiplier() const { return m_speedMult; }
    float GetPowerUseMultiplier() const { return m_powerUseMult; }
    float GetQualityMultiplier() const { return m_qualityMult; }
    float GetPowerProductionMultiplier() const { return m_powerProdMult; }
    float GetAdditivePower() const { return m_addPower; }
    float GetAdditiveSpeed() const { return m_addSpeed; }

protected:
    // Only the placement operations put a slot on the floor.
    friend class SIM_Placement;

    // Puts the slot on the floor for a task: facing and anchor tile set, every tile of the task's
    // footprint (turned by the facing) marked as occupied by the slot and handed to AddOption.
    // False, with nothing changed, when a footprint tile is off the floor or already occupied.
    // The caller then sets the task with the slot's own set-task operation.
    bool PlaceOnFloor(SIM_Tile* anchor, int facing, const SIM_BaseTask& task);

    // Tiles back to their zone's floor, particles and sound; shared by every kind of slot.
    void ClearFromFloor(bool silent);

    std::vector<std::unique_ptr<SIM_Employee>> m_employees;
    std::vector<SIM_SlotUpgrade*> m_upgrades; // definitions owned by the upgrade manager
    std::vector<SIM_Tile*> m_tiles;           // owned by the factory
    // The bay this slot's resources come from; the conveyor manager owns it and clears this
    // pointer before deleting the bay.
    SIM_ResourceImportBay* m_nearestBay = nullptr;
    int32_t m_state = UNKNOWN;
    int32_t m_facing = 1;
    SIM_Tile* m_anchorTile = nullptr;
    const SIM_Clock* m_clock = nullptr; // the game's, from the floor; null before the slot is placed
    int32_t m_facilityFlag = 0;
    SIM_BaseTask* m_task = nullptr;
    uint8_t m_busy = 0;
    std::unique_ptr<SIM_SlotNotice> m_notice; // null headless
    std::unique_ptr<SIM_SlotStateHistory> m_history;
    float m_speedMult = 1.0f;
    float m_powerUseMult = 1.0f;
    float m_qualityMult = 1.0f;
    float m_powerProdMult = 1.0f;
    float m_addPower = 0.0f;
    float m_addSpeed = 0.0f;
};
