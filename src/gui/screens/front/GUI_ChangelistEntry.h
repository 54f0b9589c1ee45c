// One line of the update notice's change list: the change's text, cut with dots to the row.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_ChangelistEntry : public GUI_WindowBase
{
public:
    explicit GUI_ChangelistEntry(std::string text);

    // Cuts the shown text to the row's width (less 10 pixels).
    void Layout() override;
    void Draw() override;

    const std::string& GetText() const { return m_text; }
    const std::string& GetShownText() const { return m_shown; }

private:
    std::string m_text;
    std::string m_shown;
};
