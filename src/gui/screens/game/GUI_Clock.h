// The game clock of the top bar: the hour of the day and the minutes of the running game hour.
// Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_Clock : public GUI_WindowBase
{
public:
    void Layout() override;
    void Draw() override;

    // "07:05" from the game hour (any count, the day wraps) and the share of the hour gone.
    static std::string ClockText(int hour, float hourProgress);

private:
    PRect m_inner{};
};
