// One value of an open drop-down list.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_DropDownList;

class GUI_DropDownListItem : public GUI_WindowBase
{
public:
    GUI_DropDownListItem(const std::string& value, GUI_DropDownList* owner);

    // Under the mouse: chosen (true).
    bool OnClick(float x, float y) override;
    void Draw() override;
    // The hand over a row of an open list.
    void Update() override;

    const std::string& GetValue() const { return m_value; }
    const std::string& GetLabel() const { return m_label; }

private:
    std::string m_value;
    std::string m_label;
    GUI_DropDownList* m_owner; // not owned: the list whose sub-window this row is
};
