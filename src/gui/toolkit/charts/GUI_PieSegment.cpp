// A pie chart's slice.
#include "gui/toolkit/charts/GUI_PieSegment.h"

#include "engine/core/GRandom.h"

GUI_PieSegment::GUI_PieSegment()
{
    // Slices of one chart grow at slightly different speeds, so a fresh pie does not pop open
    // like a single disc.
    m_growTimer.SetTimeScale(0.8f + 0.4f * GRandom::NextFloat());
}

void GUI_PieSegment::Set(const std::string& label, const std::string& tooltipText, float fraction, float start,
                         float end)
{
    m_fraction = fraction;
    m_startAngle = start;
    m_endAngle = end;
    m_sweep = end - start;
    m_label = label;
    if (m_sweep > kMinTooltipSweep)
        m_tooltip = std::make_unique<GUI_Tooltip>(tooltipText, 0);
    else
        m_tooltip.reset();
}

void GUI_PieSegment::SetColour(int red, int green, int blue, int alpha)
{
    m_red = red;
    m_green = green;
    m_blue = blue;
    m_alpha = alpha;
}

uint32_t GUI_PieSegment::GetArgb() const
{
    return static_cast<uint32_t>(m_alpha & 0xFF) << 24 | static_cast<uint32_t>(m_red & 0xFF) << 16 |
           static_cast<uint32_t>(m_green & 0xFF) << 8 | static_cast<uint32_t>(m_blue & 0xFF);
}
