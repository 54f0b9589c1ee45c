// A placed production task: a station that makes components from resources, a station that works
// on the car standing in it, or a conveyor piece that carries cars between stations.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/vehicles/SIM_VehicleHolder.h"

class SIM_ComponentStockpile;
class SIM_ProductionTask;
class SIM_Resource;
class SIM_ResourceStockpile;
class SIM_Vehicle;
struct SubTask;

class SIM_ProductionSlot final : public SIM_PlaceableSlot, public SIM_VehicleHolder
{
public:
    static constexpr int kRequiredResourceCount = 16;
    // Depth of the next-slot searches: the visited stack holds this many slots.
    static constexpr int kVisitedStackSize = 64;

    struct RequiredResource
    {
        SIM_Resource* resource = nullptr;
        int32_t count = 0;
    };

    SIM_ProductionSlot();
    ~SIM_ProductionSlot() override;

    void Update() override;
    int SetFacing(int facing) override;
    void Remove(bool silent) override;
    SIM_SlotView* GetGuiSlot() const override;
    // Appends the tile; a stockpile tile gets the input stockpile, an export tile the output one.
    void AddOption(SIM_Tile* tile, const TaskTileDef& def) override;
    void AddTile(SIM_Tile* tile, const TaskTileDef& def);
    // Looks for the nearest import bay; without one, and unless component stockpiles can serve
    // every need, the slot has no route to its resources.
    bool UpdateRouteState() override;

    void SetTask(SIM_ProductionTask* task);
    void AssignTask(SIM_BaseTask* task) override;
    void ApplyTask() override;
    // Switches an optional sub-task on or off (savegame reader).
    void SetOption(bool on, const std::string& name);
    void SetGuiSlot(SIM_SlotView* view);

    // The input stockpile, when the slot has one.
    SIM_ResourceReceiver* GetResourceReceiver() override;
    SIM_VehicleHolder* AsVehicleHolder() override { return this; }
    // A car reached this slot's position (vehicles job).
    void OnVehicleArrived() override;
    int GetHolderFacing() const override { return GetFacing(); }
    SIM_ProductionSlot* AsProductionSlot() override { return this; }
    void StartRunning();
    void UpdateProgress();
    void OnSubTaskComplete();
    // 0 with fewer than two sub-tasks; -1 (reported) when the current one is not in the list.
    int GetCurrentSubTaskIndex() const;
    // After loading: skips the sub-tasks the car already had applied.
    void RestoreCurrentSubTask();
    // Savegame reader: makes the sub-task of that index the current one (ignored out of range).
    void SetCurrentSubTask(int index);
    void RebuildRequiredResources();
    // Whether some required resource has fewer objects in the input stockpile than needed.
    bool AreResourcesMissing() const;

    // Routing between slots.
    bool IsExitTile(const SIM_Tile* tile) const;
    bool IsInputTile(const SIM_Tile* tile) const;
    // The slots one next-slot search has been through. Each search owns its own, so a search on
    // the vehicles job and one on the main thread never share what they have seen: it bounds
    // the search to kVisitedStackSize slots and stops it going round conveyor loops.
    class NextSlotSearch
    {
    public:
        // Starts again with nothing seen.
        void Clear() { m_count = 0; }
        bool Contains(const SIM_ProductionSlot* slot) const;
        // Notes the slot as seen; false when the search has seen as many slots as it may.
        bool Push(const SIM_ProductionSlot* slot);
        int Count() const { return m_count; }

    private:
        std::array<const SIM_ProductionSlot*, kVisitedStackSize> m_slots{};
        int m_count = 0;
    };

    // Chooses the slot the car goes to next (m_nextSlot); false when there is none yet.
    bool FindNextSlot();
    bool FindNextSlot(NextSlotSearch& search);
    bool CanWorkOnVehicle(SIM_Vehicle* car, NextSlotSearch& search);
    // The score of the way out through this exit tile: lower is better, 0 leaves the factory.
    int ScoreExitPath(SIM_Tile* tile, int score);
    int ScoreExitPath(SIM_Tile* tile, int score, NextSlotSearch& search);
    void PassVehicleToNextSlot();
    void ExportVehicle();

    // Field access.
    SIM_ProductionTask* GetProductionTask() const { return m_productionTask; }
    SIM_Vehicle* GetVehicle() const override { return m_vehicle; }
    void SetVehicle(SIM_Vehicle* car) override { m_vehicle = car; }
    SIM_ProductionSlot* GetNextSlot() const { return m_nextSlot; }
    SIM_ResourceStockpile* GetInputStockpile() const { return m_inputStockpile.get(); }
    SIM_ComponentStockpile* GetOutputStockpile() const { return m_outputStockpile.get(); }
    float GetProgress() const { return m_progress; }
    const std::vector<std::string>& GetOptions() const { return m_options; }
    const std::vector<std::unique_ptr<SubTask>>& GetSubTasks() const { return m_subTasks; }
    int GetCurrentSubTask() const { return m_currentSubTask; }
    const RequiredResource* GetRequiredResources() const { return m_required; }
    int GetUpdateCounter() const { return m_updateCounter; }
    bool IsConveyor() const;

private:
    void RebuildSubTasks();
    void ReleaseSubTasks();
    void ComponentTaskLogic();
    void VehicleTaskLogic();
    // The route check; true when it found no way to the resources (state now NOROUTE_TO_RESOURCES).
    // `deferred`: the frame's share of route searching ran out first; nothing changed.
    bool CheckRoute(bool& deferred);
    // Resources are missing: no route, or waiting for them.
    void ReportMissingResources();
    void MirrorStateToView();
    void ApplyCurrentSubTaskToVehicle(SubTask& sub);
    void ProduceExports();

    int m_currentSubTask = 0;
    std::vector<std::unique_ptr<SubTask>> m_subTasks;
    RequiredResource m_required[kRequiredResourceCount];
    SIM_Vehicle* m_vehicle = nullptr; // the car standing in the slot; the vehicle manager owns it
    std::vector<std::string> m_options;
    std::unique_ptr<SIM_SlotView> m_guiSlot; // null headless
    std::unique_ptr<SIM_ResourceStockpile> m_inputStockpile;
    std::unique_ptr<SIM_ComponentStockpile> m_outputStockpile;
    float m_progress = 0.0f;
    SIM_ProductionSlot* m_nextSlot = nullptr;
    SIM_ProductionTask* m_productionTask = nullptr; // the same object as the base's task
    int32_t m_updateCounter = 0;
    bool m_requiredOverflowReported = false;
    bool m_isExport = false;    // "task_export": cars leave the factory here
    bool m_createsCars = false; // a chassis station makes a new car when it is empty
    int m_noticeKind = 0;
};
