// The summary tab of the finance screen.
#include "gui/screens/finance/GUI_Fin_Summary.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/finance/FinanceFigures.h"
#include "gui/screens/finance/FinancePaneDrawing.h"
#include "gui/toolkit/charts/GUI_GraphBase.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/SIM_Game.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"

#include <algorithm>
#include <utility>

namespace
{
struct CurveColour
{
    uint8_t r, g, b;
};
// Income green, expenses red, profit blue: the legend markers and the curves agree.
constexpr CurveColour kCurveColours[GUI_Fin_Summary::NUM_ROWS] = {{64, 255, 64}, {255, 54, 64}, {64, 64, 255}};
constexpr uint32_t kMarkerColours[GUI_Fin_Summary::NUM_ROWS] = {0xFF36E036u, 0xFFE03636u, 0xFF3636E0u};

} // namespace

GUI_Fin_Summary::GUI_Fin_Summary()
    : m_title(GTextTable::GetText("FIN_SUMMARY_TITLE")), m_columns{GTextTable::GetText("FIN_EXP_1HOUR"),
                                                                   GTextTable::GetText("FIN_EXP_24HOUR"),
                                                                   GTextTable::GetText("FIN_EXP_ALL")},
      m_rowLabels{GTextTable::GetText("FIN_BUT_INCOME"), GTextTable::GetText("FIN_BUT_EXPENSES"),
                  GTextTable::GetText("FIN_SUMMARY_PROFIT")},
      m_nowCaption(GTextTable::GetText("FIN_SUMMARY_NOW")),
      m_earliestCaption(GTextTable::GetText("FIN_SUMMARY_MINUS30"))
{
    m_profitGraph = CreateSubWindow<GUI_GraphBase>();
    m_cashGraph = CreateSubWindow<GUI_GraphBase>();
    for (int row = 0; row < NUM_ROWS; ++row)
    {
        CTexturedSprite& marker = m_markers[row];
        marker.SetTexture("gui_expense.dds");
        marker.m_width = 16.0f;
        marker.m_height = 16.0f;
        const uint32_t c = kMarkerColours[row];
        marker.SetColour(static_cast<int>(c >> 16 & 0xFFu), static_cast<int>(c >> 8 & 0xFFu),
                         static_cast<int>(c & 0xFFu), static_cast<int>(c >> 24));
    }
    RefreshSummary();
    RefreshCashHistory();
}

void GUI_Fin_Summary::Layout()
{
    m_strip = PRect{m_left + 8, m_top + 40, m_right - 8, m_top + 104};
    m_graphArea = PRect{m_strip.left, m_strip.bottom + 8, m_strip.right, m_bottom - 8};
    const PRect profit{m_graphArea.left + 20, m_graphArea.top + 20, m_graphArea.right - 400, m_graphArea.bottom - 35};
    const PRect cash{profit.right + 70, m_graphArea.top + 20, m_graphArea.right - 70, m_graphArea.bottom - 35};
    // The curves use the whole plots; the grid and the labels the trimmed ones.
    m_profitGraph->SetRect(static_cast<float>(profit.left), static_cast<float>(profit.top),
                           static_cast<float>(profit.right), static_cast<float>(profit.bottom));
    m_cashGraph->SetRect(static_cast<float>(cash.left), static_cast<float>(cash.top), static_cast<float>(cash.right),
                         static_cast<float>(cash.bottom));
    for (int row = 0; row < NUM_ROWS; ++row)
        m_markers[row].SetPosition(static_cast<float>(m_strip.left + 10),
                                   static_cast<float>(m_strip.top + 23 + 16 * row));
    m_profitPlot = FinancePaneDrawing::TrimToTens(profit);
    m_cashPlot = FinancePaneDrawing::TrimToTens(cash);
}

void GUI_Fin_Summary::RefreshSummary()
{
    const SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    const SalesRecordPool& pool = SalesRecordPool::Instance();
    const int now = SIM_Game::Instance().GetCurrentHour();
    float top = 0.0f;
    float bottom = 0.0f;
    for (int i = 0; i < kHours; ++i)
    {
        const int hour = now - i;
        const float expenses = ledger.GetTotalForHour(hour, FC_ALL_EXPENSES);
        const float income = pool.GetIncomeForHour(hour);
        const float profit = income - expenses;
        m_hourly[ROW_INCOME][i] = income;
        m_hourly[ROW_EXPENSES][i] = expenses;
        m_hourly[ROW_PROFIT][i] = profit;
        top = std::max({top, expenses, income, profit});
        bottom = std::min(bottom, profit);
    }
    top *= 1.1f;
    if (top < kLeastTop)
        top = kLeastTop;
    // Room under the deepest loss, so its curve does not run along the frame.
    if (bottom < 0.0f)
        bottom -= 1000.0f;
    m_profitTop = top;
    m_profitBottom = bottom;
    bool outOfRange = false;
    for (int row = 0; row < NUM_ROWS; ++row)
        for (int i = 0; i < kHours; ++i)
            m_scaled[row][i] = FinanceFigures::Scale(m_hourly[row][i], bottom, top, outOfRange);
    if (outOfRange)
        DebugAssert(false, DebugSourceName(__FILE__), __LINE__);
    m_profitBottomLabel = SIM_FinanceManager::FormatMoney(bottom);
    m_profitTopLabel = SIM_FinanceManager::FormatMoney(top);

    const std::vector<FinanceFigures::DesignSales> sales = FinanceFigures::SalesOfEveryDesign();
    for (int k = 0; k < FinanceFigures::kPeriods; ++k)
    {
        const float income = FinanceFigures::TotalIncome(sales, k);
        const float expenses = FinanceFigures::Expenses(k, FC_ALL_EXPENSES);
        m_amounts[ROW_INCOME][k] = income;
        m_amounts[ROW_EXPENSES][k] = expenses;
        m_amounts[ROW_PROFIT][k] = income - expenses;
        for (int row = 0; row < NUM_ROWS; ++row)
            m_figures[row][k] = SIM_FinanceManager::FormatMoney(m_amounts[row][k]);
    }
}

void GUI_Fin_Summary::RefreshCashHistory()
{
    SIM_FinanceManager::Instance().GetBalances(m_cash);
    float top = 0.0f;
    float bottom = 0.0f;
    for (float cash : m_cash)
    {
        top = std::max(top, cash);
        bottom = std::min(bottom, cash);
    }
    top *= 1.1f;
    // A factory whose cash never left 0 still gets a scale to draw its flat line on.
    if (!(top > bottom))
        top = bottom + kLeastTop;
    m_cashTop = top;
    m_cashBottom = bottom;
    float newestFirst[kCashHours];
    for (int j = 0; j < kCashHours; ++j)
        newestFirst[j] = m_cash[kCashHours - 1 - j];
    FinanceFigures::ScaleAll(newestFirst, m_scaledCash, bottom, top);
    m_cashTopLabel = SIM_FinanceManager::FormatMoney(top);
    m_cashBottomLabel = SIM_FinanceManager::FormatMoney(bottom);
}

bool GUI_Fin_Summary::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    return IsVisible() && IsMouseOver();
}

void GUI_Fin_Summary::Draw()
{
    FinancePaneDrawing::DrawPage(PRect{m_left, m_top, m_right, m_bottom}, m_title, m_top);
    GFontManager& fonts = GFontManager::Instance();
    if (IsVisible())
        DrawSubWindows();
    if (fonts.IsInitialised())
        GUI_Fonts::SelectSemibold16();
    DrawTable();
    DrawProfitGraph();
    DrawCashGraph();
    if (fonts.IsInitialised())
        fonts.Flush();
}

void GUI_Fin_Summary::DrawTable()
{
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        const int q = (m_strip.right - m_strip.left) / 4;
        const float width = static_cast<float>(q - 10);
        for (int k = 0; k < 3; ++k)
        {
            const float x = static_cast<float>(m_strip.left + (k + 1) * q);
            fonts.Print(m_columns[k], 0xFF000000u, x, static_cast<float>(m_strip.top), width, 1);
            for (int row = 0; row < NUM_ROWS; ++row)
                fonts.Print(m_figures[row][k], 0xFF000000u, x, static_cast<float>(m_strip.top + 16 * (row + 1)), width,
                            1);
        }
        for (int row = 0; row < NUM_ROWS; ++row)
            fonts.Print(m_rowLabels[row], 0xFF000000u, static_cast<float>(m_strip.left + 30),
                        static_cast<float>(m_strip.top + 16 * (row + 1)), 0.0f, 0);
        const std::pair<const PRect*, const std::string*> labels[4] = {{&m_profitPlot, &m_profitTopLabel},
                                                                       {&m_profitPlot, &m_profitBottomLabel},
                                                                       {&m_cashPlot, &m_cashTopLabel},
                                                                       {&m_cashPlot, &m_cashBottomLabel}};
        for (int i = 0; i < 4; ++i)
        {
            const PRect& plot = *labels[i].first;
            const int y = i % 2 == 0 ? plot.top : plot.bottom - 10;
            fonts.Print(*labels[i].second, 0xFF000000u, static_cast<float>(plot.right + 10), static_cast<float>(y),
                        0.0f, 0);
        }
        // The markers' texture replaces the font's: the queued text goes first.
        fonts.Flush();
    }
    for (CTexturedSprite& marker : m_markers)
        marker.Draw();
}

void GUI_Fin_Summary::DrawGraph(const PRect& plot, GUI_GraphBase& graph, float zero)
{
    GUI_GraphBase::DrawGrid(plot.left, plot.top, plot.right, plot.bottom, 10.0f);
    graph.DrawValueLine(64, 64, 64, 255, zero, 2.0f);
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    const float y = static_cast<float>(plot.bottom + 10);
    fonts.Print(m_earliestCaption, 0xFF000000u, static_cast<float>(plot.left), y, 0.0f, 0);
    fonts.Print(m_nowCaption, 0xFF000000u, static_cast<float>(plot.right - 200), y, 200.0f, 1);
}

void GUI_Fin_Summary::DrawProfitGraph()
{
    bool outOfRange = false;
    const float zero = FinanceFigures::Scale(0.0f, m_profitBottom, m_profitTop, outOfRange);
    DrawGraph(m_profitPlot, *m_profitGraph, zero);
    GD3DDevice::Instance().DrawRectLines(m_graphArea, 0xFFC8C8C8u);
    // Profit last, so its curve stays on top where the three meet.
    for (int row = 0; row < NUM_ROWS; ++row)
    {
        const CurveColour& c = kCurveColours[row];
        m_profitGraph->DrawValueCurve(m_scaled[row], c.r, c.g, c.b, 255, 2.0f);
    }
}

void GUI_Fin_Summary::DrawCashGraph()
{
    bool outOfRange = false;
    const float zero = FinanceFigures::Scale(0.0f, m_cashBottom, m_cashTop, outOfRange);
    DrawGraph(m_cashPlot, *m_cashGraph, zero);
    const CurveColour& c = kCurveColours[ROW_PROFIT];
    m_cashGraph->DrawValueCurve(m_scaledCash, c.r, c.g, c.b, 255, 2.0f);
}
