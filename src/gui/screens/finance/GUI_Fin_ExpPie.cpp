// The expense pie of the finance screen.
#include "gui/screens/finance/GUI_Fin_ExpPie.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/screens/finance/FinanceFigures.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/GUI_PieSegment.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"

#include <algorithm>

GUI_Fin_ExpPie::GUI_Fin_ExpPie()
{
    static const char* const kCaptions[kPeriods] = {"FIN_EXP_1HOUR", "FIN_EXP_24HOUR", "FIN_EXP_ALL"};
    for (int k = 0; k < kPeriods; ++k)
    {
        m_pies[k] = CreateSubWindow<GUI_PieChart>();
        m_tabs[k] = CreateChild<GUI_ButtonTab>(
            kCaptions[k], [this](intptr_t period) { SelectPeriod(static_cast<int>(period)); }, k);
    }
    RefreshPies();
    SelectPeriod(0);
}

void GUI_Fin_ExpPie::Layout()
{
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    m_pieArea = PRect{m_inner.left, m_inner.top + 40, m_inner.right, m_inner.bottom};
    const int cx = (m_pieArea.left + m_pieArea.right) / 2;
    const int cy = (m_pieArea.top + m_pieArea.bottom) / 2;
    // The pie fits the area's width; a short area keeps it inside its height too.
    const int radius =
        std::max(0, std::min((m_pieArea.right - m_pieArea.left) / 2 - 10, (m_pieArea.bottom - m_pieArea.top) / 2));
    for (GUI_PieChart* pie : m_pies)
    {
        pie->SetRect(static_cast<float>(cx - radius), static_cast<float>(cy - radius), static_cast<float>(cx + radius),
                     static_cast<float>(cy + radius));
        pie->SetPosition(static_cast<float>(cx), static_cast<float>(cy));
        pie->SetRadius(static_cast<float>(radius));
    }
    const int w = (m_inner.right - m_inner.left) / 3;
    for (int k = 0; k < kPeriods; ++k)
        m_tabs[k]->SetRect(static_cast<float>(m_inner.left + k * w), static_cast<float>(m_inner.top),
                           static_cast<float>(m_inner.left + (k + 1) * w), static_cast<float>(m_inner.top + 30));
}

void GUI_Fin_ExpPie::RefreshPies()
{
    float totals[FinanceFigures::kExpenseCategoryCount][kPeriods] = {};
    float sums[kPeriods] = {};
    for (int i = 0; i < FinanceFigures::kExpenseCategoryCount; ++i)
        for (int k = 0; k < kPeriods; ++k)
        {
            totals[i][k] = FinanceFigures::Expenses(k, FinanceFigures::kExpenseCategories[i]);
            sums[k] += totals[i][k];
        }
    for (GUI_PieChart* pie : m_pies)
    {
        pie->Clear();
        pie->SetFirstFill(!m_filled);
    }
    m_filled = true;
    // The three pies are filled together or not at all: an hour without spending leaves them all
    // empty, so the player never compares a filled pie with an empty one.
    if (!(sums[0] > 0.0f && sums[1] > 0.0f && sums[2] > 0.0f))
        return;
    bool outOfRange = false;
    for (int i = 0; i < FinanceFigures::kExpenseCategoryCount; ++i)
    {
        const int category = FinanceFigures::kExpenseCategories[i];
        const uint32_t argb = FinanceFigures::CategoryArgb(category);
        const std::string name = FinanceFigures::CategoryName(category);
        for (int k = 0; k < kPeriods; ++k)
        {
            const float fraction = FinanceFigures::Scale(totals[i][k], 0.0f, sums[k], outOfRange);
            GUI_PieSegment* segment = m_pies[k]->AddPaletteSegment(name, fraction);
            if (segment)
                segment->SetColour(static_cast<int>(argb >> 16 & 0xFFu), static_cast<int>(argb >> 8 & 0xFFu),
                                   static_cast<int>(argb & 0xFFu), static_cast<int>(argb >> 24));
        }
    }
    if (outOfRange)
        DebugAssert(false, DebugSourceName(__FILE__), __LINE__);
}

void GUI_Fin_ExpPie::SelectPeriod(int period)
{
    if (period < 0 || period >= kPeriods)
        return;
    m_period = period;
    for (int k = 0; k < kPeriods; ++k)
    {
        m_pies[k]->SetVisible(k == period);
        m_tabs[k]->SetSelected(k == period);
    }
}

void GUI_Fin_ExpPie::Draw()
{
    DrawSubWindows();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        GUI_Fonts::SelectSemibold16();
    GUI_WindowBase::Draw();
    if (fonts.IsInitialised())
        fonts.Flush();
}
