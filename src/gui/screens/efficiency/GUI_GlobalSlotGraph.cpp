// The band graph of the efficiency screen.
#include "gui/screens/efficiency/GUI_GlobalSlotGraph.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/charts/GUI_GraphBase.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>

namespace
{
constexpr uint32_t kTextBlack = 0xFF000000u;
constexpr uint32_t kPanelOutline = 0xFFC8C8C8u;
constexpr uint32_t kPlotOutline = 0x50000000u;
constexpr uint8_t kGuideAlpha = 0x3C;
// The guide lines and their labels, bottom up; the labels are figures, not looked up.
constexpr float kGuideShares[] = {0.2f, 0.4f, 0.6f, 0.8f};
const char* const kGuideLabels[] = {"20%", "40%", "60%", "80%"};

// Whole cells of size cell fit in the span from low to high; what is left over is split evenly
// on both sides.
void TrimToCells(int& low, int& high, int cell)
{
    const int span = std::max(0, high - low);
    const int whole = span / cell * cell;
    low += (span - whole) / 2;
    high = low + whole;
}
} // namespace

GUI_GlobalSlotGraph::GUI_GlobalSlotGraph()
    : m_nowCaption(GTextTable::GetText("FIN_SUMMARY_NOW")), m_topLabel(GTextTable::GetText("EFF_100PERCENT")),
      m_bottomLabel(GTextTable::GetText("EFF_ZERO"))
{
    m_plotWindow = CreateSubWindow<GUI_GraphBase>();
}

GUI_GlobalSlotGraph::~GUI_GlobalSlotGraph() = default;

void GUI_GlobalSlotGraph::Layout()
{
    m_frame = PRect{m_left, m_top, m_right - 50, m_bottom - 20};
    PRect plot{m_frame.left + 10, m_frame.top + 10, m_frame.right - 10, m_frame.bottom - 10};
    // A panel under 50 pixels high still gets one-pixel cells rather than a division by zero.
    const int height = std::max(0, plot.bottom - plot.top);
    m_cell = std::max(1, height / kRows);
    const int rest = std::max(0, height - kRows * m_cell);
    plot.top += rest / 2;
    plot.bottom -= rest / 2;
    TrimToCells(plot.left, plot.right, m_cell);
    TrimToCells(plot.top, plot.bottom, m_cell);
    m_plot = plot;
    m_plotWindow->SetRect(static_cast<float>(plot.left), static_cast<float>(plot.top), static_cast<float>(plot.right),
                          static_cast<float>(plot.bottom));
    m_plotWindow->AllocPoints();
}

void GUI_GlobalSlotGraph::Refresh()
{
    const SIM_Efficiency& efficiency = SIM_Efficiency::Instance();
    std::array<float, kSamples> stacked{};
    for (int s = 0; s < kStates; ++s)
    {
        auto& upper = m_upper[static_cast<size_t>(s)];
        auto& lower = m_lower[static_cast<size_t>(s)];
        for (int i = 0; i < kSamples; ++i)
        {
            const SIM_Efficiency::Sample& sample = efficiency.samples[i];
            // Samples not taken in this game (a new game keeps the last game's figures, only
            // marked stale) count as empty, so a new factory never shows an old one's bands.
            const float share = sample.valid ? std::clamp(sample.shares[s], 0.0f, 1.0f) : 0.0f;
            // Stored oldest first: history entry 0 is the newest and goes to the right edge.
            const auto at = static_cast<size_t>(kSamples - 1 - i);
            lower[at] = stacked[static_cast<size_t>(i)];
            upper[at] = lower[at] + share;
            stacked[static_cast<size_t>(i)] = upper[at];
        }
    }
}

void GUI_GlobalSlotGraph::Draw()
{
    if (!IsVisible())
        return;
    const float plotHeight = static_cast<float>(m_plot.bottom - m_plot.top);
    GUI_GraphBase::DrawGrid(m_plot.left, m_plot.top, m_plot.right, m_plot.bottom, plotHeight / kRows);
    GD3DDevice& device = GD3DDevice::Instance();
    device.DrawRectLines(PRect{m_left, m_top, m_right, m_bottom}, kPanelOutline);
    for (int s = 0; s < kStates; ++s)
    {
        const PieChartColour& c = PieChartColours::Get(s);
        m_plotWindow->DrawValueBand(GetLower(s), GetUpper(s), static_cast<uint8_t>(c.red),
                                    static_cast<uint8_t>(c.green), static_cast<uint8_t>(c.blue),
                                    static_cast<uint8_t>(c.alpha));
    }
    device.DrawRectLines(m_plot, kPlotOutline);
    for (float share : kGuideShares)
        m_plotWindow->DrawValueLine(0, 0, 0, kGuideAlpha, share, 1.0f);

    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    const float x = static_cast<float>(m_plot.right + 10);
    const float top = static_cast<float>(m_plot.top);
    fonts.Print(m_topLabel, kTextBlack, x, top, 0.0f, 0);
    for (int k = 0; k < 4; ++k)
        fonts.Print(kGuideLabels[k], kTextBlack, x, top + (1.0f - kGuideShares[k]) * plotHeight - 7.0f, 0.0f, 0);
    fonts.Print(m_bottomLabel, kTextBlack, x, static_cast<float>(m_plot.bottom - 16), 0.0f, 0);
    fonts.Print(m_nowCaption, kTextBlack, static_cast<float>(m_plot.right - 200), static_cast<float>(m_plot.bottom + 6),
                200.0f, 1);
    fonts.Flush();
}
