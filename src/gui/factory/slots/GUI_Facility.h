// The view of a facility (power plant, research office, supply stockpile, any other facility): a
// click opens its own dialog, and a research office with nothing to research says so over it all
// the time. Main thread.
#pragma once

#include "gui/factory/slots/GUI_SlotBase.h"

class GUI_Facility : public GUI_SlotBase
{
public:
    // A facility whose task is already known gathers its animated props at once.
    explicit GUI_Facility(SIM_PlaceableSlot* slot);
    ~GUI_Facility() override;

    bool OnClick(float x, float y) override;
    // Only a research office: its label shows "no research" unless something is being researched.
    void DrawOnFloor(IsometricDrawQueue& queue) override;
    void Update() override;
    bool IsMouseOver() const override;
    void SetFloorTexture(GUI_Tile* tile, const std::string& texture) override;
    void CollectAnimatedProps() override { GatherTileAnimatedProps(); }
    void CreateZoomOutIcon() override { MakeZoomOutIcon(); }

    // The facility's task name ("" without a task).
    std::string GetTaskName() const;
};
