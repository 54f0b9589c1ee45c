// A row of the task editor's prop list.
#include "gui/editors/task/GUI_PropPickerStrip.h"

#include "engine/GGameServices.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "sim/definitions/SIM_Prop.h"

// The picture of facing 0, which the prop shows when first placed.
GUI_PropPickerStrip::GUI_PropPickerStrip(SIM_Prop* type)
    : GUI_EditorStrip(type->GetName(), type->GetTextureName(1)), m_type(type)
{
}

bool GUI_PropPickerStrip::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver())
        return false;
    GGameServices::Get().PlaySound("select.ogg");
    GUI_TaskEditor::Instance().SetHeldPropType(m_type);
    return true;
}
