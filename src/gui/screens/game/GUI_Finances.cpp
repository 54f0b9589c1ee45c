// The cash gauge of the top bar.
#include "gui/screens/game/GUI_Finances.h"

#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "gui/screens/finance/GUI_FinanceDialog.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/money/SIM_FinanceManager.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
// Saturating float-to-integer cut: a sum of money past 2^63 shows the largest figure instead of
// an undefined conversion.
long long CashTruncateSaturating(float value)
{
    if (std::isnan(value))
        return 0;
    constexpr float kLimit = 9.2e18f;
    if (value >= kLimit)
        return std::numeric_limits<long long>::max();
    if (value <= -kLimit)
        return std::numeric_limits<long long>::min() + 1;
    return static_cast<long long>(value);
}
} // namespace

GUI_Finances::GUI_Finances()
{
    s_single.Claim(this);
    m_icon.SetTexture("gui_cash.dds");
    m_icon.m_width = 40.0f;
    m_icon.m_height = 40.0f;
    UpdateCashText();
}

GUI_Finances::~GUI_Finances()
{
    s_single.Release(this);
}

std::string GUI_Finances::CashText(float cash)
{
    const long long whole = CashTruncateSaturating(cash);
    // Appended rather than "$" + text: gcc 12 takes the literal-plus-string form for an overlapping copy.
    std::string text = whole < 0 ? "$-" : "$";
    text += IntToStringWithCommas(whole < 0 ? -whole : whole);
    return text;
}

void GUI_Finances::UpdateCashText()
{
    m_text = CashText(SIM_FinanceManager::Instance().GetCash());
}

void GUI_Finances::Layout()
{
    m_icon.SetPosition(static_cast<float>(m_left) + 30.0f, static_cast<float>(m_top + m_bottom) / 2.0f);
}

void GUI_Finances::Draw()
{
    if (!IsVisible())
        return;
    m_icon.Draw();
    GUI_Fonts::SelectSemibold16();
    // A fortune (or a debt) of ten digits and more shrinks rather than run past the bar's edge.
    const float room = static_cast<float>(m_right - m_left) - kTextLeft;
    GUI_Fonts::PrintFitted(m_text, 0xFF000000u, static_cast<float>(m_left) + kTextLeft,
                           static_cast<float>(m_top) + 16.0f, room, 0, room, kSmallestText);
    GFontManager::Instance().Flush();
}

bool GUI_Finances::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    GUI_FinanceDialog::Toggle();
    GUI_Sounds::Instance().PlayUISound(UI_SOUND_CLICK);
    return true;
}
