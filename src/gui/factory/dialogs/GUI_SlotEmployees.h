// The staff row of the slot dialog: how many workers the slot's task employs. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_ProductionSlot;

class GUI_SlotEmployees : public GUI_WindowBase
{
public:
    explicit GUI_SlotEmployees(GUI_ProductionSlot* view);

    void Draw() override;
    void SetInnerRect(const PRect& inner) { m_inner = inner; }

private:
    PRect m_inner;
    int m_count = 0;
    std::string m_label;
    std::string m_value;
};
