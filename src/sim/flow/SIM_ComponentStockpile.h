// The export stockpile of a component slot on its export tile: finished components wait on its
// 16 places until another stockpile draws them through its exporter.
#pragma once
#include "sim/flow/SIM_ResourceExporter.h"

#include <cstdint>
#include <memory>
#include <vector>

class SIM_ProductionSlot;
class SIM_Resource;
class SIM_ResourceObject;
class SIM_Tile;
class SIM_StockpileView;

class SIM_ComponentStockpile
{
public:
    static constexpr int32_t kCapacity = 16;

    SIM_ComponentStockpile(SIM_ProductionSlot* slot, SIM_Tile* tile);
    // Releases what is still held or queued and leaves the manager.
    virtual ~SIM_ComponentStockpile();
    SIM_ComponentStockpile(const SIM_ComponentStockpile&) = delete;
    SIM_ComponentStockpile& operator=(const SIM_ComponentStockpile&) = delete;

    // The producing slot places a finished component on a free place.
    void AddProduct(SIM_ResourceObject* object);
    // A free place, drawn from a random start, or -1 when all 16 are taken.
    int32_t FreePlace() const;
    // The first held object of the resource, queued in the exporter; null when none is held.
    SIM_ResourceObject* TakeResource(const SIM_Resource* resource);
    // The slot goes away: releases every held object, withdraws and releases every queued one.
    void ReleaseAll();
    // A saved held object is put back.
    void LoadObject(SIM_ResourceObject* object);

    int32_t CountHeld(const SIM_Resource* resource) const;
    const std::vector<SIM_ResourceObject*>& Held() const { return m_held; }
    SIM_ResourceExporter& Exporter() { return m_exporter; }
    SIM_ProductionSlot* GetSlot() const { return m_slot; }
    SIM_Tile* GetTile() const { return m_tile; }

    // Shows or hides a component at one of the 16 places of the export tile.
    void ShowAtPlace(const SIM_Resource* resource, int32_t place);
    void HideAtPlace(int32_t place);

    // The stockpile's index in the component stockpile manager's list, -1 before it is listed;
    // the list's own.
    int32_t m_listIndex = -1;

private:
    std::vector<SIM_ResourceObject*> m_held;
    SIM_ResourceExporter m_exporter;
    SIM_ProductionSlot* m_slot = nullptr;
    SIM_Tile* m_tile = nullptr;
    std::unique_ptr<SIM_StockpileView> m_view;
};
