// The expenses tab of the finance screen: one row per expense category with what it cost in the
// last hour, the last 24 hours and all time, the totals under the list and the expense pie on the
// right. Rebuilt from the ledger every game hour while the screen is open. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_Fin_ExpPie;

class GUI_Fin_Expenses : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    static constexpr int kRowHeight = 36;
    static constexpr int kListHeight = 324;
    static constexpr int kPieWidth = 260;

    GUI_Fin_Expenses();

    // Places the pie, the list and its bar from the pane's rectangle.
    void Layout() override;
    // The hourly refresh: rows and pie again from the ledger; the pie keeps its period and does
    // not grow in again.
    void Refresh();
    void RebuildRows() override;
    void LayoutRows() override;
    void Draw() override;

    GUI_Fin_ExpPie* GetPie() const { return m_pie; }
    const PRect& GetListRect() const { return m_listRect; }
    // 0 last hour, 1 last 24 hours, 2 all time.
    const std::string& GetTotal(int period) const { return m_totals[period]; }
    float GetTotalAmount(int period) const { return m_totalAmounts[period]; }

private:
    std::string m_title;
    PRect m_listRect;
    std::string m_columns[4];
    std::string m_totals[3];
    float m_totalAmounts[3] = {};
    GUI_Fin_ExpPie* m_pie = nullptr; // owned as a sub-window
};
