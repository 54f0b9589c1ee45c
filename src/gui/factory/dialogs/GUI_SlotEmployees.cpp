// The staff row of the slot dialog.
#include "gui/factory/dialogs/GUI_SlotEmployees.h"

#include "engine/core/GTextTable.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/slots/SIM_ProductionSlot.h"

GUI_SlotEmployees::GUI_SlotEmployees(GUI_ProductionSlot* view) : m_label(GTextTable::GetText("SLOT_EMPLOYEES"))
{
    const SIM_ProductionSlot* slot = view ? view->GetProductionSlot() : nullptr;
    const SIM_BaseTask* task = slot ? slot->GetTask() : nullptr;
    m_count = task ? static_cast<int>(task->m_staff.size()) : 0;
    m_value = std::to_string(m_count);
}

void GUI_SlotEmployees::Draw()
{
    DialogPanelDrawing::Fill(m_inner, DialogPanelDrawing::kPanelGrey);
    DialogPanelDrawing::PrintLeft(m_label, static_cast<float>(m_inner.left + 10), static_cast<float>(m_inner.top));
    DialogPanelDrawing::PrintRight(m_value, static_cast<float>(m_left), static_cast<float>(m_inner.top),
                                   static_cast<float>(m_width - 10));
}
