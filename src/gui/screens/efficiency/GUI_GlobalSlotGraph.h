// The left panel of the efficiency screen: a stacked band graph of how the factory's production
// slots shared their time among the seven slot states over the last 256 samples, the oldest at
// the left edge and the newest at the right. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"
#include "sim/slots/SIM_Efficiency.h"

#include <array>
#include <span>
#include <string>

class GUI_GraphBase;

class GUI_GlobalSlotGraph : public GUI_WindowBase
{
public:
    static constexpr int kStates = SIM_Efficiency::NUM_STATES;
    static constexpr int kSamples = SIM_Efficiency::NUM_SAMPLES;
    // The plot holds this many grid cells from bottom to top.
    static constexpr int kRows = 50;

    GUI_GlobalSlotGraph();
    ~GUI_GlobalSlotGraph() override;

    // Frame and plot from the panel's rectangle; the plot is trimmed to whole grid cells.
    void Layout() override;
    // The band edges again from the simulation's efficiency history.
    void Refresh();
    void Draw() override;

    // State s's bands: index 0 the oldest sample, the last index the newest.
    std::span<const float> GetUpper(int state) const { return m_upper[static_cast<size_t>(state)]; }
    std::span<const float> GetLower(int state) const { return m_lower[static_cast<size_t>(state)]; }
    const PRect& GetPlot() const { return m_plot; }
    int GetCellSize() const { return m_cell; }
    GUI_GraphBase* GetPlotWindow() const { return m_plotWindow; }

private:
    PRect m_frame{};
    PRect m_plot{};
    int m_cell = 1;
    GUI_GraphBase* m_plotWindow = nullptr; // owned as a sub-window
    std::string m_nowCaption;
    std::string m_topLabel;
    std::string m_bottomLabel;
    std::array<std::array<float, kSamples>, kStates> m_upper{};
    std::array<std::array<float, kSamples>, kStates> m_lower{};
};
