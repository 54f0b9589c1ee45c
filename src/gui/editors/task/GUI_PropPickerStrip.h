// A row of the task editor's prop list: a prop type by its picture and name; a click makes it
// the prop the next click in the preview places. Main thread only.
#pragma once

#include "gui/editors/task/GUI_EditorStrip.h"

class SIM_Prop;

class GUI_PropPickerStrip : public GUI_EditorStrip
{
public:
    // type: not owned; the editor's prop types, which outlive the list.
    explicit GUI_PropPickerStrip(SIM_Prop* type);

    bool OnClick(float x, float y) override;

    SIM_Prop* GetPropType() const { return m_type; }

private:
    SIM_Prop* m_type;
};
