// A tab of a tabbed dialog: a caption button that shows whether it is the selected tab.
#pragma once

#include "gui/toolkit/widgets/GUI_ButtonText.h"

class GUI_ButtonTab : public GUI_ButtonText
{
public:
    GUI_ButtonTab(const std::string& textKey, GUI_Callback callback = nullptr, intptr_t argument = 0);

    void Draw() override;
    bool IsSelected() const { return m_selected; }
    void SetSelected(bool selected) { m_selected = selected; }

private:
    bool m_selected = false;
};
