// The income tab of the finance screen.
#include "gui/screens/finance/GUI_Fin_Income.h"

#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/finance/FinanceFigures.h"
#include "gui/screens/finance/FinancePaneDrawing.h"
#include "gui/screens/finance/GUI_Fin_SalesItem.h"
#include "sim/money/SIM_FinanceManager.h"

#include <algorithm>

GUI_Fin_Income::GUI_Fin_Income()
    : m_title(GTextTable::GetText("FIN_INCOME_TITLE")), m_columns{GTextTable::GetText("FIN_EXP_1HOUR"),
                                                                  GTextTable::GetText("FIN_EXP_24HOUR"),
                                                                  GTextTable::GetText("FIN_EXP_ALL"),
                                                                  GTextTable::GetText("FIN_EXP_TOTAL")}
{
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    RebuildRows();
}

void GUI_Fin_Income::Layout()
{
    const int rows = std::max(0, (m_height - 60 - 32) / kRowHeight);
    m_listRect = PRect{m_left + 5, m_top + 60, m_right - 5, m_top + 60 + rows * kRowHeight};
    m_bar->SetRect(static_cast<float>(m_listRect.right - 20), static_cast<float>(m_listRect.top + 5),
                   static_cast<float>(m_listRect.right - 5), static_cast<float>(m_listRect.bottom - 5));
    LayoutRows();
}

void GUI_Fin_Income::RebuildRows()
{
    m_rows.clear();
    m_bar->SetFirstRow(0);
    m_bar->ClearChanged();
    const std::vector<FinanceFigures::DesignSales> sales = FinanceFigures::SalesOfEveryDesign();
    long long sold[3] = {};
    for (const FinanceFigures::DesignSales& s : sales)
    {
        for (int k = 0; k < 3; ++k)
            sold[k] += s.sold[k];
        m_rows.push_back(std::make_unique<GUI_Fin_SalesItem>(s.design, s.income[0], s.income[1], s.income[2], s.sold[0],
                                                             s.sold[1], s.sold[2]));
    }
    for (int k = 0; k < 3; ++k)
    {
        m_incomeAmounts[k] = FinanceFigures::TotalIncome(sales, k);
        m_incomeTotals[k] = SIM_FinanceManager::FormatMoney(m_incomeAmounts[k]);
        m_quantityTotals[k] = IntToStringWithCommas(sold[k]);
    }
    LayoutRows();
}

void GUI_Fin_Income::LayoutRows()
{
    ArrangeRows(*this, *this, m_listRect, kRowHeight);
}

bool GUI_Fin_Income::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    return IsVisible() && IsMouseOver();
}

void GUI_Fin_Income::Draw()
{
    FollowScrollBar();
    FinancePaneDrawing::DrawPage(PRect{m_left, m_top, m_right, m_bottom}, m_title, m_top);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        FinancePaneDrawing::DrawPeriodColumns(m_listRect, m_columns, m_incomeTotals);
        // The cars sold under the money, without a word of their own.
        const float y = static_cast<float>(m_listRect.bottom + 26);
        for (int k = 0; k < 3; ++k)
            fonts.Print(m_quantityTotals[k], 0xFF000000u,
                        static_cast<float>(m_listRect.right) - 310.0f - 100.0f * static_cast<float>(2 - k), y, 270.0f,
                        1);
    }
    GUI_WindowBase::Draw();
    DrawSubWindows();
    if (fonts.IsInitialised())
        fonts.Flush();
}
