// The pie and legend of the efficiency screen.
#include "gui/screens/efficiency/GUI_GlobalSlotPie.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SlotState.h"

#include <algorithm>
#include <cmath>

namespace
{
// The legend sits under the pie in rows of this height.
constexpr int kLegendRowHeight = 16;
constexpr int kSwatchSize = 14;
} // namespace

GUI_GlobalSlotPie::GUI_GlobalSlotPie()
{
    m_pie = CreateSubWindow<GUI_PieChart>();
}

GUI_GlobalSlotPie::~GUI_GlobalSlotPie() = default;

void GUI_GlobalSlotPie::Layout()
{
    // The pie takes the panel's height less room for the six legend rows.
    const float d = static_cast<float>(m_height - 10 - kLegendRows * kLegendRowHeight);
    m_pieRect = PRect{m_left, m_top, m_right, static_cast<int>(std::trunc(static_cast<float>(m_top) + d))};
    const float cx = static_cast<float>(m_pieRect.right) - d * 0.5f;
    const float cy = static_cast<float>(m_pieRect.top) + d * 0.5f;
    m_pie->SetRect(cx - d * 0.5f, static_cast<float>(m_pieRect.top), cx + d * 0.5f,
                   static_cast<float>(m_pieRect.bottom));
    m_pie->SetPosition(cx, cy);
    m_pie->SetRadius(std::max(0.0f, d * 0.5f - 20.0f));
    for (int k = 0; k < kLegendRows; ++k)
    {
        const int y = m_pieRect.bottom + kLegendRowHeight * k;
        m_swatches[static_cast<size_t>(k)] = PRect{m_pieRect.left, y, m_pieRect.left + kSwatchSize, y + kSwatchSize};
    }
}

void GUI_GlobalSlotPie::Refresh()
{
    m_pie->Clear();
    // A refill every ten seconds of game time shows at full size at once.
    m_pie->SetFirstFill(false);
    const SIM_Efficiency::Sample& newest = SIM_Efficiency::Instance().samples[0];
    for (int s = 0; s < SIM_Efficiency::NUM_STATES; ++s)
    {
        // A sample not yet taken in this game is empty, as in the graph.
        const float share = newest.valid ? std::clamp(newest.shares[s], 0.0f, 1.0f) : 0.0f;
        const PieChartColour& c = PieChartColours::Get(s);
        m_pie->AddSegment(GetSlotStateName(s), c.red, c.green, c.blue, c.alpha, share);
    }
    m_pie->AddRemainderSegment();
}

void GUI_GlobalSlotPie::Draw()
{
    if (!IsVisible())
        return;
    DrawSubWindows();
    GUI_Fonts::SelectSemibold16();
    GFontManager& fonts = GFontManager::Instance();
    GD3DDevice& device = GD3DDevice::Instance();
    // The unknown state has a slice but no legend row.
    for (int state = 1; state <= kLegendRows; ++state)
    {
        const int k = state - 1;
        fonts.Print(GetSlotStateName(state), 0xFF000000u, static_cast<float>(m_pieRect.left + 26),
                    static_cast<float>(m_pieRect.bottom + kLegendRowHeight * k), 0.0f, 0);
        device.FillRect(m_swatches[static_cast<size_t>(k)], PieChartColours::GetArgb(state));
    }
    fonts.Flush();
}
