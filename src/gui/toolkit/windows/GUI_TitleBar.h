// A dialog's title: the text in the large bold face along the dialog's top, cut with dots when it
// would not fit.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_TitleBar : public GUI_WindowBase
{
public:
    // Needs the bar's width (asserted); measures and cuts the text to it.
    void SetTitle(const std::string& text);
    void Draw() override;

private:
    float m_titleWidth = 0.0f;
    std::string m_shown;
};
