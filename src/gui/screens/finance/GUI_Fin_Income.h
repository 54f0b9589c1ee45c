// The income tab of the finance screen: one row per car design, in the order they were made, with
// what it earned and how many sold in the last hour, the last 24 hours and all time, and the
// totals of both under the list. Rebuilt from the sales records every game hour while the screen
// is open; the list then starts at its top again. Main thread.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_Fin_Income : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    static constexpr int kRowHeight = 60;

    GUI_Fin_Income();

    // Places the list and its bar from the pane's rectangle: as many whole rows as fit.
    void Layout() override;
    void RebuildRows() override;
    void LayoutRows() override;
    // The pane takes a click over it and gives it to nothing inside: the list moves with the
    // mouse wheel only.
    bool OnClick(float x, float y) override;
    void Draw() override;

    const PRect& GetListRect() const { return m_listRect; }
    // 0 last hour, 1 last 24 hours, 2 all time.
    const std::string& GetIncomeTotal(int period) const { return m_incomeTotals[period]; }
    const std::string& GetQuantityTotal(int period) const { return m_quantityTotals[period]; }

private:
    PRect m_listRect;
    std::string m_title;
    std::string m_columns[4];
    std::string m_incomeTotals[3];
    std::string m_quantityTotals[3];
    float m_incomeAmounts[3] = {};
};
