// The panel of the slot dialog that lists what the slot needs, four to a row in name order: each
// line ticked when the slot's stockpile holds enough of it, crossed when not. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>
#include <vector>

class GUI_TaskResource;
class SIM_ProductionSlot;

class GUI_SlotRequirements : public GUI_WindowBase
{
public:
    explicit GUI_SlotRequirements(SIM_ProductionSlot* slot);

    // The lines again from the slot's needs and its stockpile, laid out in the inner rectangle.
    void Rebuild();
    void Draw() override;

    void SetInnerRect(const PRect& inner) { m_inner = inner; }
    const std::vector<GUI_TaskResource*>& GetLines() const { return m_lines; }

private:
    SIM_ProductionSlot* m_slot; // not owned: the simulation's
    PRect m_inner;
    std::string m_title;
    std::vector<GUI_TaskResource*> m_lines; // owned as sub-windows
};
