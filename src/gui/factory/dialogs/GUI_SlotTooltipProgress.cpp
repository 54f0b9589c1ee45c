// The progress strip of the slot dialog.
#include "gui/factory/dialogs/GUI_SlotTooltipProgress.h"

#include "engine/GD3DDevice.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SubTask.h"

#include <algorithm>

GUI_SlotTooltipProgress::GUI_SlotTooltipProgress(SIM_ProductionSlot* slot) : m_slot(slot)
{
    SetTakesMouse(false);
}

void GUI_SlotTooltipProgress::Layout()
{
    const int steps = m_slot ? static_cast<int>(m_slot->GetSubTasks().size()) : 0;
    m_segmentCount = std::clamp(steps, 1, kMaxSegments);
    const int n = m_segmentCount;
    const float w = static_cast<float>(m_width - 20) / static_cast<float>(n);
    const int mid = static_cast<int>(static_cast<float>(m_top + m_bottom) * 0.5f);
    for (int i = 0; i < n; ++i)
    {
        PRect& s = m_segments[i];
        s.left = static_cast<int>(static_cast<float>(m_left + 10) + static_cast<float>(i) * w);
        s.right = static_cast<int>(static_cast<float>(m_left + 10) + static_cast<float>(i + 1) * w);
        s.top = m_top + 5;
        s.bottom = mid - 2;
        if (n > 1)
        {
            s.left += 1;
            s.right -= 1;
        }
    }
    m_bar = PRect{m_left + 10, mid + 2, m_right - 10, m_bottom - 5};
}

float GUI_SlotTooltipProgress::SegmentFill(int index) const
{
    if (!m_slot)
        return 0.0f;
    // Steps past the last segment all show in it.
    const int current = std::min(m_slot->GetCurrentSubTaskIndex(), m_segmentCount - 1);
    if (index < current)
        return 1.0f;
    if (index == current)
        return std::clamp(m_slot->GetProgress(), 0.0f, 1.0f);
    return 0.0f;
}

void GUI_SlotTooltipProgress::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    for (int i = 0; i < m_segmentCount; ++i)
    {
        const PRect& s = m_segments[i];
        const float fill = SegmentFill(i);
        if (fill > 0.0f)
            device.FillRect(
                PRect{s.left, s.top, s.left + static_cast<int>(fill * static_cast<float>(s.right - s.left)), s.bottom},
                kFill);
        device.DrawRectLines(s, kOutline);
    }
    const float carProgress = m_slot && m_slot->GetVehicle() ? std::clamp(m_slot->GetProgress(), 0.0f, 1.0f) : 0.0f;
    if (carProgress > 0.0f)
        device.FillRect(PRect{m_bar.left, m_bar.top,
                              m_bar.left + static_cast<int>(carProgress * static_cast<float>(m_bar.right - m_bar.left)),
                              m_bar.bottom},
                        kFill);
    device.DrawRectLines(m_bar, kOutline);
}
