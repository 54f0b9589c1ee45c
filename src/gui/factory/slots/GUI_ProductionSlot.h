// The view of a production slot: hover outline and name label, a click opens its info dialog (or
// the details of the car standing in it), the car in the slot is drawn with it, and turning the
// slot re-points its conveyor inserts. Every production slot view is listed in GUISlotList.
// Main thread.
#pragma once

#include "engine/core/GRoster.h"
#include "gui/factory/slots/GUI_SlotBase.h"

class GUI_Vehicle;
class SIM_ProductionSlot;

class GUI_ProductionSlot : public GUI_SlotBase
{
public:
    explicit GUI_ProductionSlot(SIM_ProductionSlot* slot);
    ~GUI_ProductionSlot() override;

    bool OnClick(float x, float y) override;
    void DrawOnFloor(IsometricDrawQueue& queue) override;
    void Update() override;
    // The main tile, then any tile of the slot.
    bool IsMouseOver() const override;
    void SetFloorTexture(GUI_Tile* tile, const std::string& texture) override;
    // The slot info dialog, with the interface click (nothing for an importer).
    void OpenTooltip() override;
    void CollectAnimatedProps() override { GatherTileAnimatedProps(); }
    void CreateZoomOutIcon() override;
    // A conveyor task's floor shows its sprite for the facing; any other slot's conveyor inserts
    // point the way it faces.
    void RefreshFacingSprites() override;

    SIM_ProductionSlot* GetProductionSlot() const;

private:
    // The view of the car standing in the slot; null for none.
    GUI_Vehicle* CarView() const;

    GRosterPlace m_listPlace; // on the list of every production slot view
};

// The interface click, unless the sound is off.
void PlaySlotClickSound();
