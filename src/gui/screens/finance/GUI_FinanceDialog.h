// The factory's books: a window over the factory with four tabs (summary, income per car design,
// expenses per category, resource prices), opened and closed by a click on the cash in the top
// bar. While it is open every game hour fills all four tabs again, so the figures follow the
// clock. One at a time. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

class GUI_ButtonTab;
class GUI_Fin_Expenses;
class GUI_Fin_Income;
class GUI_Fin_Prices;
class GUI_Fin_Summary;

class GUI_FinanceDialog : public GUI_Dialog
{
public:
    enum Tab
    {
        TAB_SUMMARY,
        TAB_INCOME,
        TAB_EXPENSES,
        TAB_PRICES,
        NUM_TABS
    };
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 520;
    static constexpr int kTabHeight = 30;

    // Closes an open finance dialog and opens a new one on the summary.
    static GUI_FinanceDialog* Open();
    // The cash display's click: opens the dialog, or closes the open one.
    static void Toggle();
    // The open finance dialog, or null.
    static GUI_FinanceDialog* GetOpen() { return s_single.Get(); }
    // The tab buttons' action on the open dialog; without one it reports a failed check.
    static void OnTabButton(int index);
    // A game hour passed: every tab of the open dialog is filled again. The chosen tab, the pie's
    // period and the chosen resource stay; the income list returns to its top.
    static void Refresh();

    GUI_FinanceDialog();
    ~GUI_FinanceDialog() override;

    // Shows the tab's pane and marks its button; indices outside 0..3 are ignored.
    void SelectTab(int index);
    // Tabs along the top of the client area, the panes under them.
    void Layout() override;
    void Draw() override;

    int GetSelectedTab() const { return m_selectedTab; }
    GUI_Fin_Summary* GetSummary() const { return m_summary; }
    GUI_Fin_Income* GetIncome() const { return m_income; }
    GUI_Fin_Expenses* GetExpenses() const { return m_expenses; }
    GUI_Fin_Prices* GetPrices() const { return m_prices; }
    GUI_ButtonTab* GetTab(int index) const { return m_tabs[index]; }

private:
    static inline GUI_SingleWindow<GUI_FinanceDialog> s_single;

    GUI_Fin_Summary* m_summary = nullptr;   // owned as a sub-window
    GUI_Fin_Income* m_income = nullptr;     // owned as a sub-window
    GUI_Fin_Expenses* m_expenses = nullptr; // owned as a sub-window
    GUI_Fin_Prices* m_prices = nullptr;     // owned as a sub-window
    GUI_ButtonTab* m_tabs[NUM_TABS] = {};   // owned by the button list
    int m_selectedTab = TAB_SUMMARY;
};
