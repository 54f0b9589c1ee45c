// The status panel of the slot dialog.
#include "gui/factory/dialogs/GUI_SlotStatus.h"

#include "engine/core/GTextTable.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_SlotTooltipProgress.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SubTask.h"

#include <cstdio>

namespace
{
std::string StatusFormat(const char* format, double value, const std::string& unit = std::string())
{
    char text[64];
    std::snprintf(text, sizeof(text), format, value, unit.c_str());
    return text;
}
} // namespace

GUI_SlotStatus::GUI_SlotStatus(SIM_ProductionSlot* slot)
    : m_slot(slot), m_timeLabel(GTextTable::GetText("SLOT_TIME")), m_stateLabel(GTextTable::GetText("SLOT_STATUS")),
      m_powerLabel(GTextTable::GetText("SLOT_POWER")), m_taskLabel(GTextTable::GetText("SLOT_TASK"))
{
    m_progress = CreateSubWindow<GUI_SlotTooltipProgress>(slot);
}

void GUI_SlotStatus::Refresh()
{
    const SIM_BaseTask* task = m_slot ? m_slot->GetTask() : nullptr;
    if (task && m_slot->GetSpeedMultiplier() != 0.0f)
    {
        const double ms = (task->m_processTime + m_slot->GetAdditiveSpeed()) / m_slot->GetSpeedMultiplier();
        m_timeValue = StatusFormat("%.2f %s", ms / 1000.0, GTextTable::GetText("UPGRADE_SECONDS"));
        m_powerValue = StatusFormat("%.2f", m_slot->GetPowerDraw());
    }
    m_inner = GUI_Layout::Inset(PRect{m_left, m_top, m_right, m_bottom}, 2);
    m_progress->SetRect(static_cast<float>(m_inner.left + 2), static_cast<float>(m_inner.top + 2),
                        static_cast<float>(m_inner.right - 2), static_cast<float>(m_inner.top + 2 + 40));
}

void GUI_SlotStatus::Draw()
{
    DialogPanelDrawing::Fill(m_inner, DialogPanelDrawing::kPanelGrey);
    m_stateValue = m_slot ? GetSlotStateName(m_slot->GetState()) : std::string();
    std::string taskName;
    if (m_slot && !m_slot->GetSubTasks().empty() && m_slot->GetSubTasks().front()->task)
        taskName = m_slot->GetSubTasks().front()->task->GetGuiName();
    const std::string* rows[4][2] = {{&m_taskLabel, &taskName},
                                     {&m_timeLabel, &m_timeValue},
                                     {&m_stateLabel, &m_stateValue},
                                     {&m_powerLabel, &m_powerValue}};
    const float centre = static_cast<float>(m_left + m_right) * 0.5f;
    const float width = static_cast<float>(m_width) * 0.5f - 20.0f;
    float y = static_cast<float>(m_inner.top + 40);
    for (const auto& row : rows)
    {
        DialogPanelDrawing::PrintLeft(*row[0], static_cast<float>(m_inner.left + 10), y);
        DialogPanelDrawing::PrintRight(*row[1], centre, y, width);
        y += 16.0f;
    }
    DrawSubWindows();
}
