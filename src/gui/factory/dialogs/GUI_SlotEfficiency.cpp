// The state pie of the slot dialog.
#include "gui/factory/dialogs/GUI_SlotEfficiency.h"

#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "sim/SIM_Game.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SlotState.h"

#include <algorithm>
#include <cstdio>
#include <vector>

GUI_SlotEfficiency::GUI_SlotEfficiency(SIM_PlaceableSlot* slot) : m_slot(slot)
{
    FV_ASSERT(slot != nullptr);
    m_pie = CreateSubWindow<GUI_PieChart>();
}

void GUI_SlotEfficiency::Rebuild()
{
    m_legendCount = 0;
    const SIM_SlotStateHistory* history = m_slot ? m_slot->GetStateHistory() : nullptr;
    FV_ASSERT(history != nullptr);
    std::vector<SlotEfficiencyRecord> records;
    if (history)
    {
        float shares[NUM_SLOT_STATES] = {};
        history->GetStateFractions(shares, NUM_SLOT_STATES, kWindowMs, SIM_Game::Instance().GetGameTime());
        for (int s = UNKNOWN; s < NUM_SLOT_STATES; ++s)
        {
            if (shares[s] <= 0.0f)
                continue;
            const PieChartColour& c = PieChartColours::Get(s);
            records.push_back({GetSlotStateName(s), std::string(), shares[s], c.red, c.green, c.blue, c.alpha});
        }
    }
    const float radius = static_cast<float>(std::min(m_height, 140)) * 0.5f;
    const float cx = static_cast<float>(m_left + 70);
    const float cy = static_cast<float>(m_top + m_bottom) * 0.5f;
    // Only the first fill grows from the centre; the twice-a-second refills draw at full size.
    m_pie->Clear();
    m_pie->SetFirstFill(!m_filled);
    m_filled = true;
    m_pie->SetRect(cx - radius, cy - radius, cx + radius, cy + radius);
    m_pie->SetPosition(cx, cy);
    m_pie->SetRadius(radius);
    std::stable_sort(records.begin(), records.end(),
                     [](const SlotEfficiencyRecord& a, const SlotEfficiencyRecord& b) { return a.share > b.share; });
    for (SlotEfficiencyRecord& record : records)
    {
        char percent[32];
        std::snprintf(percent, sizeof(percent), "%.0f%%", static_cast<double>(record.share * 100.0f));
        record.percent = percent;
        if (m_legendCount < kLegendSize)
            m_legend[m_legendCount++] = record;
        m_pie->AddSegment(record.name, record.red, record.green, record.blue, record.alpha, record.share);
    }
}

void GUI_SlotEfficiency::Refresh()
{
    Rebuild();
    m_timer.Start();
}

void GUI_SlotEfficiency::Draw()
{
    m_timer.Update();
    if (m_timer.GetTotal() >= kRefreshMs)
        Refresh();
    DrawSubWindows();
    const float x = static_cast<float>(m_left + 140);
    float y = static_cast<float>(m_top + 10);
    for (int i = 0; i < m_legendCount; ++i)
    {
        const SlotEfficiencyRecord& r = m_legend[i];
        const uint32_t colour = static_cast<uint32_t>(r.alpha) << 24 | static_cast<uint32_t>(r.red) << 16 |
                                static_cast<uint32_t>(r.green) << 8 | static_cast<uint32_t>(r.blue);
        DialogPanelDrawing::Fill(
            PRect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + 14, static_cast<int>(y) + 14},
            colour);
        DialogPanelDrawing::PrintLeft(r.name, x + 24.0f, y);
        DialogPanelDrawing::PrintRight(r.percent, x, y, static_cast<float>(m_right - 10) - x);
        y += 16.0f;
    }
}
