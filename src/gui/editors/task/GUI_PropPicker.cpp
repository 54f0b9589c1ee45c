// The task editor's prop list.
#include "gui/editors/task/GUI_PropPicker.h"

#include "gui/editors/task/GUI_PropPickerStrip.h"
#include "sim/definitions/SIM_PropTypeManager.h"

#include <memory>

void GUI_PropPicker::RebuildRows()
{
    for (const auto& row : m_rows)
        if (row->GetParent() == this)
            (void)RemoveSubWindow(row.get());
    m_rows.clear();
    for (SIM_Prop* type : SIM_PropTypeManager::Instance().GetPropTypes())
        m_rows.push_back(std::make_unique<GUI_PropPickerStrip>(type));
    SortAndLayoutRows();
}
