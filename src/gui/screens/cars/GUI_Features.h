// The scrolling list of a design's or a car's features, one GUI_Feature row each, under the title
// "VEHICLE_FEATURES". The new-design dialog and the vehicle details show it. The list is read once
// when the panel is built; an owner whose records change builds a new panel. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>
#include <vector>

class SIM_Vehicle;
class SIM_VehicleDesign;
struct SIM_VehicleFeatureRecord;

class GUI_Features : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    static constexpr int kRowHeight = 24;

    // The records are not owned: a design's records live as long as the game, a car's as long as
    // the car, whose windows close when it goes.
    explicit GUI_Features(std::vector<const SIM_VehicleFeatureRecord*> records);

    // Once, after the owner placed the panel: the frame, the rows and the scroll bar.
    void Build();
    // After the owner moved the panel: the same without making the rows again.
    void Layout() override;
    void RebuildRows() override;
    void LayoutRows() override;
    void Update() override;
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

    static std::vector<const SIM_VehicleFeatureRecord*> RecordsOf(const SIM_Vehicle& car);
    static std::vector<const SIM_VehicleFeatureRecord*> RecordsOf(const SIM_VehicleDesign& design);

private:
    void PlaceFrame();

    std::string m_title;
    std::vector<const SIM_VehicleFeatureRecord*> m_records; // not owned
    PRect m_frame;
    PRect m_listRect;
    bool m_built = false;
};
