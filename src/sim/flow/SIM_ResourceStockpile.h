// The input stockpile of a production slot on its stockpile tile: keeps the resource objects the
// slot's tasks consume, and requests and pays for what is missing at intervals.
#pragma once
#include "sim/flow/SIM_StockpileBase.h"

#include <cstdint>
#include <memory>
#include <vector>

class SIM_ProductionSlot;
class SIM_ProductionTask;
class SIM_Tile;
class SIM_StockpileView;

struct ResourceCount
{
    const SIM_Resource* resource = nullptr;
    int32_t count = 0;
};

class SIM_ResourceStockpile : public SIM_StockpileBase
{
public:
    static constexpr int32_t kCapacity = 16;
    static constexpr int32_t kNeedPairs = 16;
    static constexpr int32_t kRequestPasses = 20;

    SIM_ResourceStockpile(SIM_ProductionSlot* slot, SIM_Tile* tile);
    ~SIM_ResourceStockpile() override;

    // Arrival of a requested object.
    void Receive(SIM_ResourceObject* object) override;
    SIM_Tile* ReceivingTile() const override { return m_tile; }
    // Consumes (or trashes) the first stored object of the resource.
    void RemoveStored(const SIM_Resource* resource);
    void LoadObject(SIM_ResourceObject* object) override;
    // The request logic; run by the slot every 61st tick.
    void UpdateStockpile() override;
    void Update() { UpdateStockpile(); }
    // After an upgrade purchase: drops what no task or upgrade of the slot needs any more.
    void TrimToNeeds();
    // True when every need of the slot's first task can be served from a component stockpile.
    // When that waits for the route search, `undecided` is set and false returned.
    bool CanServeFromComponents(bool& undecided);
    // Makes room by trashing one surplus stored object or dropping one surplus request.
    void TrashLowPriorityResource();

    SIM_Tile* GetTile() const { return m_tile; }
    SIM_ProductionSlot* GetSlot() const { return m_slot; }
    const ResourceCount* Needs() const { return m_needs; }

    // Set by the views; the open slot tooltip refreshes only when it shows the slot behind it.
    const void* m_viewLink = nullptr;
    int32_t m_passCounter = 0;

private:
    // The task's resources plus the slot's upgrades' resources, summed into the need pairs.
    void ComputeNeeds(SIM_ProductionTask* task);
    // The slot's own need pairs (its required resources).
    void SlotNeeds(ResourceCount out[kNeedPairs]) const;
    int32_t Missing(const SIM_Resource* resource, int32_t count, SIM_ProductionTask* task) const;
    void RequestResources(SIM_ProductionTask* task, int32_t n, const SIM_Resource* resource);
    // True when the last request for the resource found no object and nothing it could be waiting
    // for (a free record, a source, a route) has changed since: asking again would be refused too.
    bool StillRefused(const SIM_Resource* resource) const;
    void NoteRefused(const SIM_Resource* resource);
    void RequestForTask(SIM_ProductionTask* task);
    void RebuildTotals();
    int32_t TotalFor(const SIM_Resource* resource) const;
    void ContentsChanged();
    // The slot's tasks in order: its sub-tasks, or its own task when it has none.
    std::vector<SIM_ProductionTask*> TaskList() const;
    void ShowAtPlace(const SIM_Resource* resource, int32_t place);
    void HideAtPlace(int32_t place);

    std::vector<ResourceCount> m_totals;
    SIM_ProductionSlot* m_slot = nullptr;
    SIM_Tile* m_tile = nullptr;
    std::unique_ptr<SIM_StockpileView> m_view;
    ResourceCount m_needs[kNeedPairs];
    // Resources last asked for in vain, with the sources' version of that moment.
    std::vector<std::pair<const SIM_Resource*, uint64_t>> m_refused;
};
