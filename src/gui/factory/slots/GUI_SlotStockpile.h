// The floor of a production slot's resource stockpile: a metal plate under sixteen pallets on which
// delivered resources lie, sorted with the scene just under the tile. Owned by the stockpile;
// listed with the factory view while it exists. Main thread.
#pragma once

#include "engine/core/GRoster.h"
#include "gui/factory/scene/GUI_IsometricSprite.h"
#include "sim/views/SIM_StockpileView.h"

class IsometricDrawQueue;
class SIM_ResourceStockpile;
class SlotViewRoll;
struct FactoryFrameView;

class GUI_SlotStockpile : public SIM_StockpileView
{
public:
    explicit GUI_SlotStockpile(SIM_ResourceStockpile& stockpile);
    ~GUI_SlotStockpile() override;
    GUI_SlotStockpile(const GUI_SlotStockpile&) = delete;
    GUI_SlotStockpile& operator=(const GUI_SlotStockpile&) = delete;

    // Places the plate over the tile and queues it when it is on screen.
    void Queue(const FactoryFrameView& view, IsometricDrawQueue& queue);
    // Tens of thousands of plates on a large floor lie apart in memory, with their stockpiles and
    // tiles: the frame asks for each some plates ahead, the view first, then what it leads to.
    void PrefetchView() const;
    void PrefetchTile() const;

    // The roll the floor is listed on (set by the roll; null: on none).
    void SetRoll(SlotViewRoll* roll) { m_roll = roll; }

private:
    SIM_ResourceStockpile& m_stockpile; // owns this view
    GUI_IsometricSprite m_floor;
    SlotViewRoll* m_roll = nullptr;
    friend class SlotViewRoll; // keeps m_rollPlace
    GRosterPlace m_rollPlace;  // on the roll's list of stockpile floors
};
