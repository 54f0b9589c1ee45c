// The floor of a component slot's export stockpile: the export picture under sixteen pallets on
// which finished components wait. Owned by the stockpile; listed with the factory view while it
// exists. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "engine/core/GRoster.h"
#include "sim/views/SIM_StockpileView.h"

class SIM_ComponentStockpile;
class SlotViewRoll;

class GUI_SlotExport : public SIM_StockpileView
{
public:
    explicit GUI_SlotExport(SIM_ComponentStockpile& stockpile);
    ~GUI_SlotExport() override;
    GUI_SlotExport(const GUI_SlotExport&) = delete;
    GUI_SlotExport& operator=(const GUI_SlotExport&) = delete;

    // Places the floor picture over the stockpile's tile; true when it is on screen.
    bool Place(float cameraX, float cameraY, float zoom, float screenWidth, float screenHeight);
    CTexturedSprite& GetSprite() { return m_floor; }

    // The roll the floor is listed on (set by the roll; null: on none).
    void SetRoll(SlotViewRoll* roll) { m_roll = roll; }

private:
    CTexturedSprite m_floor;
    SIM_ComponentStockpile& m_stockpile; // owns this view
    SlotViewRoll* m_roll = nullptr;
    friend class SlotViewRoll; // keeps m_rollPlace
    GRosterPlace m_rollPlace;  // on the roll's list of export floors
};
