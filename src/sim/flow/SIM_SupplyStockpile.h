// A facility that keeps player-chosen stocks of resources on its pallets near the slots that
// need them, buys what is missing one object at a time and serves the nearest requests.
#pragma once
#include "sim/definitions/SIM_DataNames.h"
#include "sim/flow/SIM_ResourceExporter.h"
#include "sim/flow/SIM_StockpileBase.h"
#include "sim/slots/SIM_FacilitySlot.h"

#include <cstdint>
#include <memory>
#include <vector>

class SIM_Resource;
class SIM_Tile;

struct SupplyStockItem
{
    const SIM_Resource* resource = nullptr;
    int32_t wanted = 0;
};

struct PalletPlace
{
    SIM_Tile* tile = nullptr;
    float x = 0.0f;
    float y = 0.0f;
};

class SIM_SupplyStockpile : public SIM_FacilitySlot, public SIM_StockpileBase
{
public:
    static constexpr int32_t kCapacity = 36;
    static constexpr const char* kTaskName = SIM_DataNames::kFacSupplyStockpile;

    SIM_SupplyStockpile();
    ~SIM_SupplyStockpile() override;

    // The stockpile's index in the supply stockpile registry's list, -1 before it is listed; the
    // list's own.
    int32_t m_registryIndex = -1;

    // Slot operations.
    SIM_ResourceReceiver* GetResourceReceiver() override;
    void Update() override;
    void Remove(bool silent) override;
    bool UpdateRouteState() override;
    void SetupPlaces() override;
    void SetTask(SIM_FacilityTask* task) override;

    // Stockpile operations.
    void LoadObject(SIM_ResourceObject* object) override;
    void UpdateStockpile() override;

    void ClearStockItems();
    void AddStockItem(const SIM_Resource* resource, int32_t wanted);
    void Receive(SIM_ResourceObject* object) override;
    SIM_Tile* ReceivingTile() const override { return GetTile(); }
    SIM_ResourceObject* TakeResource(const SIM_Resource* resource);

    std::vector<std::unique_ptr<SupplyStockItem>>& StockItems() { return m_stockItems; }
    const std::vector<PalletPlace>& PalletPlaces() const { return m_places; }
    SIM_ResourceExporter& Exporter() { return m_exporter; }
    // The resource with the largest shortfall against its wanted count, or null.
    const SIM_Resource* MostNeededResource() const;
    // Shows or hides a stored object at one of the pallet places.
    void ShowAtPallet(const SIM_Resource* resource, int32_t place);
    void HideAtPallet(int32_t place);

protected:
    int32_t PlaceCount() const override;

private:
    std::vector<std::unique_ptr<SupplyStockItem>> m_stockItems;
    std::vector<PalletPlace> m_places;
    SIM_ResourceExporter m_exporter;
};
