// The game clock of the top bar.
#include "gui/screens/game/GUI_Clock.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/SIM_Game.h"

#include <algorithm>

std::string GUI_Clock::ClockText(int hour, float hourProgress)
{
    // A negative hour count (never in play) still shows a time of day.
    const int hourOfDay = ((hour % 24) + 24) % 24;
    const int minutes = std::clamp(static_cast<int>(hourProgress * 60.0f), 0, 59);
    return IntToStringPad2(hourOfDay) + ":" + IntToStringPad2(minutes);
}

void GUI_Clock::Layout()
{
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
}

void GUI_Clock::Draw()
{
    if (!IsVisible())
        return;
    GD3DDevice::Instance().FillRect(m_inner, 0x20000000u);
    const SIM_Game& game = SIM_Game::Instance();
    GUI_Fonts::SelectExtraBold36();
    GFontManager::Instance().Print(ClockText(game.GetCurrentHour(), game.GetHourProgress()), 0xFF000000u,
                                   static_cast<float>(m_left), static_cast<float>(m_top) + 4.0f,
                                   static_cast<float>(m_right - m_left), 2);
    GFontManager::Instance().Flush();
}
