// One line of the research-complete notice: what the finished item unlocked.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class SIM_Researchable;

class GUI_ResearchUnlock : public GUI_WindowBase
{
public:
    GUI_ResearchUnlock(const SIM_Researchable& item, const std::string& unlockName);

    // The text in black at the line's top-left corner, in the font chosen by the dialog.
    void Draw() override;

    const std::string& GetText() const { return m_text; }

private:
    std::string m_text;
};
