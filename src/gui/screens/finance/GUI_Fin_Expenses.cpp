// The expenses tab of the finance screen.
#include "gui/screens/finance/GUI_Fin_Expenses.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/finance/FinanceFigures.h"
#include "gui/screens/finance/FinancePaneDrawing.h"
#include "gui/screens/finance/GUI_Fin_ExpPie.h"
#include "gui/screens/finance/GUI_FinanceItem.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"

GUI_Fin_Expenses::GUI_Fin_Expenses()
    : m_title(GTextTable::GetText("FIN_EXPENSES_TITLE")), m_columns{GTextTable::GetText("FIN_EXP_1HOUR"),
                                                                    GTextTable::GetText("FIN_EXP_24HOUR"),
                                                                    GTextTable::GetText("FIN_EXP_ALL"),
                                                                    GTextTable::GetText("FIN_EXP_TOTAL")}
{
    m_pie = CreateSubWindow<GUI_Fin_ExpPie>();
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    RebuildRows();
}

void GUI_Fin_Expenses::Layout()
{
    if (m_pie)
        m_pie->SetRect(static_cast<float>(m_right - kPieWidth), static_cast<float>(m_top), static_cast<float>(m_right),
                       static_cast<float>(m_bottom));
    m_listRect = PRect{m_left + 5, m_top + 60, m_right - kPieWidth - 5, m_top + 60 + kListHeight};
    m_bar->SetRect(static_cast<float>(m_listRect.right - 20), static_cast<float>(m_listRect.top + 5),
                   static_cast<float>(m_listRect.right - 5), static_cast<float>(m_listRect.bottom - 5));
    LayoutRows();
}

void GUI_Fin_Expenses::Refresh()
{
    m_rows.clear();
    const int period = m_pie ? m_pie->GetPeriod() : 0;
    if (m_pie)
    {
        m_pie->RefreshPies();
        m_pie->SelectPeriod(period);
    }
    RebuildRows();
}

void GUI_Fin_Expenses::RebuildRows()
{
    if (!m_rows.empty())
    {
        DebugAssert(false, DebugSourceName(__FILE__), __LINE__);
        m_rows.clear();
    }
    float sums[3] = {};
    const SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    for (int category : FinanceFigures::kExpenseCategories)
    {
        float amounts[3];
        for (int k = 0; k < 3; ++k)
        {
            amounts[k] = FinanceFigures::Expenses(k, category);
            sums[k] += amounts[k];
        }
        m_rows.push_back(std::make_unique<GUI_FinanceItem>(category, "gui_expense.dds", ledger.textKeys[category],
                                                           amounts[0], amounts[1], amounts[2]));
    }
    for (int k = 0; k < 3; ++k)
    {
        m_totalAmounts[k] = sums[k];
        m_totals[k] = SIM_FinanceManager::FormatMoney(sums[k]);
    }
    LayoutRows();
}

void GUI_Fin_Expenses::LayoutRows()
{
    ArrangeRows(*this, *this, m_listRect, kRowHeight);
}

void GUI_Fin_Expenses::Draw()
{
    FollowScrollBar();
    FinancePaneDrawing::DrawPage(PRect{m_left, m_top, m_right, m_bottom}, m_title, m_top + 5);
    GUI_WindowBase::Draw();
    DrawSubWindows();
    if (!GFontManager::Instance().IsInitialised())
        return;
    GUI_Fonts::SelectSemibold16();
    FinancePaneDrawing::DrawPeriodColumns(m_listRect, m_columns, m_totals);
    GFontManager::Instance().Flush();
}
