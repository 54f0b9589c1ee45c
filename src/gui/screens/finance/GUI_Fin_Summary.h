// The summary tab of the finance screen: income, expenses and profit of the last hour, the last
// 24 hours and all time in a small table; on the left a graph of the three for each of the last
// 30 game hours, on the right the cash at each of the last 24. The table and the left graph follow
// every game hour; the cash graph shows the cash as it was when the screen was opened. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_GraphBase;

class GUI_Fin_Summary : public GUI_WindowBase
{
public:
    static constexpr int kHours = 30;
    static constexpr int kCashHours = 24;
    // The profit graph is never scaled below this, so a quiet factory's pennies stay flat.
    static constexpr float kLeastTop = 1000.0f;

    enum Row
    {
        ROW_INCOME,
        ROW_EXPENSES,
        ROW_PROFIT,
        NUM_ROWS
    };

    GUI_Fin_Summary();

    // Places the table, both graphs and the legend from the pane's rectangle.
    void Layout() override;
    // The table, the 30-hour series and the left graph's scale again from the records.
    void RefreshSummary();
    // The right graph from the 24 hourly cash balances.
    void RefreshCashHistory();
    // Only tells whether the mouse is over the pane.
    bool OnClick(float x, float y) override;
    void Draw() override;

    // row: ROW_*; period: 0 last hour, 1 last 24 hours, 2 all time.
    const std::string& GetFigure(int row, int period) const { return m_figures[row][period]; }
    // Index i is the game hour i hours before the current one.
    float GetHourly(int row, int i) const { return m_hourly[row][i]; }
    float GetScaled(int row, int i) const { return m_scaled[row][i]; }
    float GetProfitTop() const { return m_profitTop; }
    float GetProfitBottom() const { return m_profitBottom; }
    float GetCashTop() const { return m_cashTop; }
    float GetCashBottom() const { return m_cashBottom; }
    // Index 0 is the newest balance.
    float GetScaledCash(int i) const { return m_scaledCash[i]; }
    const std::string& GetProfitTopLabel() const { return m_profitTopLabel; }
    const std::string& GetProfitBottomLabel() const { return m_profitBottomLabel; }
    const std::string& GetCashTopLabel() const { return m_cashTopLabel; }
    const PRect& GetGraphArea() const { return m_graphArea; }
    // The plots as the grid and the captions use them (whole tens of pixels).
    const PRect& GetProfitPlot() const { return m_profitPlot; }
    const PRect& GetCashPlot() const { return m_cashPlot; }

private:
    void DrawTable();
    void DrawProfitGraph();
    void DrawCashGraph();
    // The grid, the zero line, the curves and the captions of one graph.
    void DrawGraph(const PRect& plot, GUI_GraphBase& graph, float zero);

    std::string m_title;
    std::string m_columns[3];
    std::string m_figures[NUM_ROWS][3];
    float m_amounts[NUM_ROWS][3] = {};
    std::string m_profitBottomLabel;
    std::string m_profitTopLabel;
    std::string m_cashBottomLabel;
    std::string m_cashTopLabel;
    float m_hourly[NUM_ROWS][kHours] = {};
    float m_profitTop = kLeastTop;
    float m_profitBottom = 0.0f;
    float m_cashTop = kLeastTop;
    float m_cashBottom = 0.0f;
    std::string m_rowLabels[NUM_ROWS];
    PRect m_graphArea;
    PRect m_strip;
    PRect m_profitPlot;
    PRect m_cashPlot;
    float m_scaled[NUM_ROWS][kHours] = {};
    float m_scaledCash[kCashHours] = {};
    float m_cash[kCashHours] = {};
    GUI_GraphBase* m_profitGraph = nullptr; // owned as a sub-window
    GUI_GraphBase* m_cashGraph = nullptr;   // owned as a sub-window
    std::string m_nowCaption;
    std::string m_earliestCaption;
    CTexturedSprite m_markers[NUM_ROWS];
};
