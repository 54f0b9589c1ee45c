// The expense pie beside the expenses list: how the spending splits into the categories, in the
// categories' colours, for the last hour, the last 24 hours or all time, chosen by three tabs.
// Each period has its own pie and only the chosen one shows. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

class GUI_ButtonTab;
class GUI_PieChart;

class GUI_Fin_ExpPie : public GUI_WindowBase
{
public:
    static constexpr int kPeriods = 3;

    GUI_Fin_ExpPie();

    // Places the tabs and the pies from the panel's rectangle.
    void Layout() override;
    // Refills the three pies from the ledger. A refill after the first draws at full size at once:
    // only the first fill grows in.
    void RefreshPies();
    // That period's tab marked and its pie shown; the others unmarked and hidden.
    void SelectPeriod(int period);
    void Draw() override;

    int GetPeriod() const { return m_period; }
    GUI_PieChart* GetPie(int period) const { return m_pies[period]; }
    GUI_ButtonTab* GetTab(int period) const { return m_tabs[period]; }

private:
    PRect m_inner;
    PRect m_pieArea;
    GUI_PieChart* m_pies[kPeriods] = {}; // owned as sub-windows
    int m_period = 0;
    GUI_ButtonTab* m_tabs[kPeriods] = {}; // owned by the button list
    bool m_filled = false;
};
