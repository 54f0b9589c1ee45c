// The finance dialog.
#include "gui/screens/finance/GUI_FinanceDialog.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/screens/finance/GUI_Fin_Expenses.h"
#include "gui/screens/finance/GUI_Fin_Income.h"
#include "gui/screens/finance/GUI_Fin_Prices.h"
#include "gui/screens/finance/GUI_Fin_Summary.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

namespace
{
const GUI_WindowRegistration kFinanceDialog{"finance", [] { return std::make_unique<GUI_FinanceDialog>(); }, false};
} // namespace

GUI_FinanceDialog* GUI_FinanceDialog::Open()
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_FinanceDialog>();
}

void GUI_FinanceDialog::Toggle()
{
    if (!s_single.Get())
    {
        Open();
        return;
    }
    s_single.CloseOpen();
}

void GUI_FinanceDialog::OnTabButton(int index)
{
    if (!s_single.Get())
    {
        DebugAssert(false, DebugSourceName(__FILE__), __LINE__);
        return;
    }
    s_single.Get()->SelectTab(index);
}

void GUI_FinanceDialog::Refresh()
{
    GUI_FinanceDialog* dialog = s_single.Get();
    if (!dialog)
        return;
    if (dialog->m_income)
        dialog->m_income->RebuildRows();
    if (dialog->m_expenses)
        dialog->m_expenses->Refresh();
    if (dialog->m_summary)
        dialog->m_summary->RefreshSummary();
    if (dialog->m_prices)
        dialog->m_prices->SelectResource(dialog->m_prices->GetSelected());
}

GUI_FinanceDialog::GUI_FinanceDialog() : GUI_Dialog(true)
{
    s_single.Claim(this);
    m_summary = CreateSubWindow<GUI_Fin_Summary>();
    m_income = CreateSubWindow<GUI_Fin_Income>();
    m_expenses = CreateSubWindow<GUI_Fin_Expenses>();
    m_prices = CreateSubWindow<GUI_Fin_Prices>();
    static const char* const kCaptions[NUM_TABS] = {"FIN_BUT_SUMMARY", "FIN_BUT_INCOME", "FIN_BUT_EXPENSES",
                                                    "FIN_BUT_PRICES"};
    for (int i = 0; i < NUM_TABS; ++i)
        m_tabs[i] = CreateChild<GUI_ButtonTab>(
            kCaptions[i], [](intptr_t index) { OnTabButton(static_cast<int>(index)); }, i);
    SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
    CentreOnScreen();
    SetTitleByKey("FINANCE_TITLE");
    SelectTab(TAB_SUMMARY);
}

GUI_FinanceDialog::~GUI_FinanceDialog()
{
    s_single.Release(this);
}

void GUI_FinanceDialog::Layout()
{
    const PRect& client = GetClientRect();
    const int w = (client.right - client.left) / NUM_TABS;
    for (int i = 0; i < NUM_TABS; ++i)
        if (m_tabs[i])
            m_tabs[i]->SetRect(static_cast<float>(client.left + i * w), static_cast<float>(client.top),
                               static_cast<float>(client.left + (i + 1) * w),
                               static_cast<float>(client.top + kTabHeight));
    GUI_WindowBase* const panes[NUM_TABS] = {m_summary, m_income, m_expenses, m_prices};
    for (GUI_WindowBase* pane : panes)
        if (pane)
            pane->SetRect(static_cast<float>(client.left), static_cast<float>(client.top + kTabHeight),
                          static_cast<float>(client.right), static_cast<float>(client.bottom));
}

void GUI_FinanceDialog::SelectTab(int index)
{
    if (index < 0 || index >= NUM_TABS)
        return;
    m_selectedTab = index;
    GUI_WindowBase* const panes[NUM_TABS] = {m_summary, m_income, m_expenses, m_prices};
    for (int i = 0; i < NUM_TABS; ++i)
    {
        panes[i]->SetVisible(i == index);
        m_tabs[i]->SetSelected(i == index);
    }
}

void GUI_FinanceDialog::Draw()
{
    GUI_Dialog::Draw();
    DrawSubWindows();
}
