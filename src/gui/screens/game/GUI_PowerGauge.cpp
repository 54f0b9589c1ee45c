// The power gauge of the top bar.
#include "gui/screens/game/GUI_PowerGauge.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/slots/SIM_PowerManager.h"

#include <algorithm>
#include <cmath>

namespace
{
long long WholeWatts(float value)
{
    // Power never reads below zero, and the largest figure stands for anything beyond it.
    if (std::isnan(value) || value <= 0.0f)
        return 0;
    return value >= 9.2e18f ? 9200000000000000000LL : static_cast<long long>(value);
}
} // namespace

GUI_PowerGauge::GUI_PowerGauge()
{
    s_single.Claim(this);
    m_icon.SetTexture("gui_power.dds");
    m_icon.m_width = 40.0f;
    m_icon.m_height = 40.0f;
    UpdateText();
}

GUI_PowerGauge::~GUI_PowerGauge()
{
    s_single.Release(this);
}

std::string GUI_PowerGauge::GaugeText(float supply, float demand)
{
    return IntToStringWithCommas(WholeWatts(supply)) + "/" + IntToStringWithCommas(WholeWatts(demand));
}

void GUI_PowerGauge::UpdateText()
{
    const SIM_PowerManager& power = SIM_PowerManager::Instance();
    SetTotals(power.GetProduction(), power.GetDemand());
}

void GUI_PowerGauge::SetTotals(float supply, float demand)
{
    m_text = GaugeText(supply, demand);
    m_overCapacity = WholeWatts(demand) > WholeWatts(supply);
}

void GUI_PowerGauge::Layout()
{
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    m_icon.SetPosition(static_cast<float>(m_left) + 30.0f, static_cast<float>(m_top + m_bottom) / 2.0f);
}

void GUI_PowerGauge::Draw()
{
    if (!IsVisible())
        return;
    if (m_overCapacity)
        GD3DDevice::Instance().FillRect(m_inner, 0xFFC80000u);
    m_icon.Draw();
    GUI_Fonts::SelectSemibold16();
    // Large plants and floors give six-digit figures and more: the text shrinks (and only then is
    // cut) rather than run past the gauge's edge into the cash beside it.
    const float room = static_cast<float>(m_right - m_left) - kTextLeft;
    GUI_Fonts::PrintFitted(m_text, 0xFF000000u, static_cast<float>(m_left) + kTextLeft,
                           static_cast<float>(m_top) + 16.0f, room, 0, room, kSmallestText);
    GFontManager::Instance().Flush();
}
