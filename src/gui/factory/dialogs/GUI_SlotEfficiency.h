// The bottom panel of the slot dialog: a pie of how the slot spent the last 30 seconds of game
// time in each state, and a legend of the six largest shares, re-read twice a second.
// Main thread.
#pragma once

#include "engine/core/GTimer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_PieChart;
class SIM_PlaceableSlot;

struct SlotEfficiencyRecord
{
    std::string name;
    std::string percent;
    float share = 0.0f;
    int red = 255, green = 255, blue = 255, alpha = 255;
};

class GUI_SlotEfficiency : public GUI_WindowBase
{
public:
    static constexpr int kLegendSize = 6;
    static constexpr float kWindowMs = 30000.0f;
    static constexpr float kRefreshMs = 500.0f;

    explicit GUI_SlotEfficiency(SIM_PlaceableSlot* slot);

    // The shares again from the slot's state history: pie and legend.
    void Rebuild();
    void Refresh();
    void Draw() override;

    GUI_PieChart* GetPie() const { return m_pie; }
    int GetLegendCount() const { return m_legendCount; }
    const SlotEfficiencyRecord& GetLegend(int index) const { return m_legend[index]; }

private:
    GTimer m_timer;
    GUI_PieChart* m_pie = nullptr; // owned as a sub-window
    int m_legendCount = 0;
    SlotEfficiencyRecord m_legend[kLegendSize];
    SIM_PlaceableSlot* m_slot; // not owned: the simulation's
    bool m_filled = false;
};
