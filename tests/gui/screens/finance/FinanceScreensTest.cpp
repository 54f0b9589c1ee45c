// The finance dialog over seeded ledgers and sales records: which hours each period counts, the
// category that is no expense, rows against totals and the summary against the panes, money
// texts, the graphs' scales, the pie's slices, the layout at the game's smallest screen, and the
// hourly refresh and the cash click that opens and closes the dialog.
#include "gui/toolkit/ToolkitTestSupport.h"
#include "tests/gui/screens/CarScreensTestSupport.h"

#include "gui/screens/finance/GUI_Fin_ExpPie.h"
#include "gui/screens/finance/GUI_Fin_Expenses.h"
#include "gui/screens/finance/GUI_Fin_Income.h"
#include "gui/screens/finance/GUI_Fin_Prices.h"
#include "gui/screens/finance/GUI_Fin_Resource.h"
#include "gui/screens/finance/GUI_Fin_SalesItem.h"
#include "gui/screens/finance/GUI_Fin_Summary.h"
#include "gui/screens/finance/GUI_FinanceDialog.h"
#include "gui/screens/finance/GUI_FinanceItem.h"
#include "gui/screens/game/GUI_Finances.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_GamePresentation.h"
#include "gui/screens/game/GUI_Interface.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/GUI_PieSegment.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/widgets/GUI_ButtonTab.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <string>

// The fixture stays outside the anonymous namespace: its tests derive from it.
class FinanceScreens : public ToolkitTest
{
protected:
    static constexpr int kNow = 100;

    void SetUp() override
    {
        ToolkitTest::SetUp();
        UseScreen(1280, 768);
        SIM_Game::Instance().SetCurrentHour(kNow);
        FreshState::Forget<SIM_FinanceRecord>();
        FreshState::Forget<SalesRecordPool>();
        SIM_FinanceManager::Instance().StartGameWithCash(0.0f);
    }
    void TearDown() override
    {
        GUI_WindowManager::Instance().CloseAll();
        FreshState::Forget<SIM_FinanceRecord>();
        FreshState::Forget<SalesRecordPool>();
        m_data.reset();
        FreshState::Forget<SIM_ResourceManager>();
        SIM_Game::Instance().SetCurrentHour(0);
        ToolkitTest::TearDown();
    }
    static void Spend(int hoursAgo, int category, float amount)
    {
        SIM_FinanceRecord::Instance().StoreRecord(kNow - hoursAgo, category, amount);
    }
    static void Sell(SIM_VehicleDesign* design, int hoursAgo, float amount)
    {
        SIM_Game::Instance().SetCurrentHour(kNow - hoursAgo);
        SalesRecordPool::Instance().AddSale(design, amount);
        SIM_Game::Instance().SetCurrentHour(kNow);
    }
    static const GUI_FinanceItem& ExpenseRow(const GUI_FinanceDialog& dialog, int category)
    {
        for (const auto& row : dialog.GetExpenses()->GetRows())
        {
            const auto& item = dynamic_cast<const GUI_FinanceItem&>(*row);
            if (item.GetCategory() == category)
                return item;
        }
        throw std::runtime_error("no row for category " + std::to_string(category));
    }

    std::unique_ptr<CarTestData> m_data = std::make_unique<CarTestData>();
};

namespace
{
PRect RectOf(const GUI_BaseElement& e)
{
    return PRect{e.GetLeft(), e.GetTop(), e.GetRight(), e.GetBottom()};
}

int Width(const PRect& r)
{
    return r.right - r.left;
}

int Height(const PRect& r)
{
    return r.bottom - r.top;
}
} // namespace

TEST_F(FinanceScreens, PanesLayOutAtTheDialogsOwnSizes)
{
    SIM_ResourceManager::Instance().Load();
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    const PRect client = dialog->GetClientRect();
    EXPECT_EQ(Width(client), 968);
    EXPECT_EQ(Height(client), 458);
    for (int i = 0; i < GUI_FinanceDialog::NUM_TABS; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(Width(RectOf(*dialog->GetTab(i))), 242);
        EXPECT_EQ(dialog->GetTab(i)->IsSelected(), i == GUI_FinanceDialog::TAB_SUMMARY);
    }
    EXPECT_EQ(dialog->GetSelectedTab(), GUI_FinanceDialog::TAB_SUMMARY);
    const GUI_WindowBase* panes[] = {dialog->GetSummary(), dialog->GetIncome(), dialog->GetExpenses(),
                                     dialog->GetPrices()};
    for (const GUI_WindowBase* pane : panes)
    {
        EXPECT_EQ(Width(RectOf(*pane)), 968);
        EXPECT_EQ(Height(RectOf(*pane)), 428);
        EXPECT_EQ(pane->IsVisible(), pane == dialog->GetSummary());
    }
    EXPECT_EQ(Width(RectOf(*dialog->GetExpenses()->GetPie())), 260);
    EXPECT_EQ(Height(RectOf(*dialog->GetExpenses()->GetPie())), 428);
    EXPECT_EQ(Width(dialog->GetExpenses()->GetListRect()), 698);
    EXPECT_EQ(Height(dialog->GetExpenses()->GetListRect()), 324);
    EXPECT_EQ(dialog->GetExpenses()->GetRows().size(), 9u) << "nine rows, all in view";
    EXPECT_EQ(dialog->GetExpenses()->GetScrollBar()->GetMaxFirstRow(), 0);
    EXPECT_EQ(Height(dialog->GetIncome()->GetListRect()), 300) << "five rows of 60";
    const GUI_Fin_Prices& prices = *dialog->GetPrices();
    EXPECT_EQ(Width(prices.GetListRect()), 346);
    EXPECT_EQ(Height(prices.GetListRect()), 400);
    EXPECT_EQ(prices.GetListRect().top - prices.GetTop(), 14);
    EXPECT_EQ(Width(prices.GetGraphArea()), 610);
    EXPECT_EQ(Height(prices.GetGraphArea()), 420);
    EXPECT_EQ(Width(prices.GetPlotRect()), 510);
    EXPECT_EQ(Height(prices.GetPlotRect()), 340);
    const GUI_Fin_Summary& summary = *dialog->GetSummary();
    EXPECT_EQ(Width(summary.GetProfitPlot()) % 10, 0);
    EXPECT_EQ(Height(summary.GetCashPlot()) % 10, 0);
    EXPECT_LE(summary.GetGraphArea().bottom, summary.GetBottom());
    // Every pane in turn, as the tabs choose it.
    for (int i = GUI_FinanceDialog::NUM_TABS - 1; i >= 0; --i)
    {
        GUI_FinanceDialog::OnTabButton(i);
        EXPECT_EQ(dialog->GetSelectedTab(), i);
        for (int j = 0; j < GUI_FinanceDialog::NUM_TABS; ++j)
            EXPECT_EQ(panes[j]->IsVisible(), j == i);
        Frame();
    }
}

TEST_F(FinanceScreens, EachPeriodCountsTheSameHoursForCostsAndSales)
{
    SIM_VehicleDesign* design = m_data->Design("Runabout", 1000.0f, {});
    struct Case
    {
        int hoursAgo;
        bool lastHour;
        bool last24Hours;
    };
    const Case cases[] = {{0, true, true},   {1, false, true},   {2, false, true},
                          {23, false, true}, {24, false, false}, {25, false, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.hoursAgo);
        FreshState::Forget<SIM_FinanceRecord>();
        FreshState::Forget<SalesRecordPool>();
        Spend(c.hoursAgo, FC_WAGES, 300.0f);
        Sell(design, c.hoursAgo, 1000.0f);
        GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
        const GUI_FinanceItem& wages = ExpenseRow(*dialog, FC_WAGES);
        const std::string zero = SIM_FinanceManager::FormatMoney(0.0f);
        EXPECT_EQ(wages.GetAmount(0), c.lastHour ? "$ 300" : zero);
        EXPECT_EQ(wages.GetAmount(1), c.last24Hours ? "$ 300" : zero);
        EXPECT_EQ(wages.GetAmount(2), "$ 300");
        const auto& sales = dynamic_cast<const GUI_Fin_SalesItem&>(*dialog->GetIncome()->GetRows().at(0));
        EXPECT_EQ(sales.GetQuantity(0), c.lastHour ? "1" : "0");
        EXPECT_EQ(sales.GetQuantity(1), c.last24Hours ? "1" : "0");
        EXPECT_EQ(sales.GetQuantity(2), "1");
        // A profit compares the same hours: a sale and a cost of the same hour always meet.
        const GUI_Fin_Summary& summary = *dialog->GetSummary();
        EXPECT_EQ(summary.GetFigure(GUI_Fin_Summary::ROW_PROFIT, 0), c.lastHour ? "$ 700" : zero);
        EXPECT_EQ(summary.GetFigure(GUI_Fin_Summary::ROW_PROFIT, 1), c.last24Hours ? "$ 700" : zero);
        EXPECT_EQ(summary.GetFigure(GUI_Fin_Summary::ROW_PROFIT, 2), "$ 700");
        // The 30-hour graph holds each hour on its own.
        EXPECT_FLOAT_EQ(summary.GetHourly(GUI_Fin_Summary::ROW_PROFIT, c.hoursAgo), 700.0f);
    }
}

TEST_F(FinanceScreens, RowsSumToTheTotalsTheSummaryShowsAndSalesAreNoExpense)
{
    SIM_VehicleDesign* runabout = m_data->Design("Runabout", 1000.0f, {});
    SIM_VehicleDesign* tourer = m_data->Design("Tourer", 2500.0f, {});
    m_data->Design("Never sold", 4000.0f, {});
    for (int hoursAgo = 0; hoursAgo < 40; hoursAgo += 3)
    {
        for (int category = 0; category < SIM_FinanceRecord::NUM_CATEGORIES; ++category)
            Spend(hoursAgo, category, 10.0f * static_cast<float>(category + 1) + static_cast<float>(hoursAgo));
        Sell(runabout, hoursAgo, 1000.0f);
        Sell(tourer, hoursAgo, 2500.0f);
        Sell(tourer, hoursAgo, 2500.0f);
    }
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    const GUI_Fin_Expenses& expenses = *dialog->GetExpenses();
    ASSERT_EQ(expenses.GetRows().size(), 9u);
    float sums[3] = {};
    for (const auto& row : expenses.GetRows())
    {
        const auto& item = dynamic_cast<const GUI_FinanceItem&>(*row);
        EXPECT_NE(item.GetCategory(), FC_CAR_SALES);
        for (int k = 0; k < 3; ++k)
        {
            const int hours = k == 0 ? 0 : k == 1 ? 23 : -1;
            sums[k] += SIM_FinanceRecord::Instance().GetTotal(hours, item.GetCategory());
        }
    }
    const GUI_Fin_Summary& summary = *dialog->GetSummary();
    const GUI_Fin_Income& income = *dialog->GetIncome();
    ASSERT_EQ(income.GetRows().size(), 3u) << "a design that never sold still has its row";
    for (int k = 0; k < 3; ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_FLOAT_EQ(expenses.GetTotalAmount(k), sums[k]);
        EXPECT_EQ(expenses.GetTotal(k), summary.GetFigure(GUI_Fin_Summary::ROW_EXPENSES, k));
        EXPECT_EQ(income.GetIncomeTotal(k), summary.GetFigure(GUI_Fin_Summary::ROW_INCOME, k));
    }
    EXPECT_EQ(income.GetQuantityTotal(2), "42");
    EXPECT_EQ(income.GetIncomeTotal(2), "$ 84,000") << "14 hours of 1,000 + 2 x 2,500";
    const auto& never = dynamic_cast<const GUI_Fin_SalesItem&>(*income.GetRows()[2]);
    for (int k = 0; k < 3; ++k)
    {
        EXPECT_EQ(never.GetQuantity(k), "0");
        EXPECT_EQ(never.GetIncome(k), "$ 0");
    }
    // Sales entered into the ledger under their category are in no expense curve either.
    for (int i = 0; i < GUI_Fin_Summary::kHours; ++i)
        EXPECT_FLOAT_EQ(summary.GetHourly(GUI_Fin_Summary::ROW_EXPENSES, i),
                        SIM_FinanceRecord::Instance().GetTotalForHour(kNow - i, FC_ALL_EXPENSES));
    EXPECT_FLOAT_EQ(summary.GetHourly(GUI_Fin_Summary::ROW_EXPENSES, 0), 550.0f - 50.0f);
    for (int k = 0; k < GUI_Fin_ExpPie::kPeriods; ++k)
        EXPECT_EQ(expenses.GetPie()->GetPie(k)->GetSegmentCount(), 9);
}

TEST_F(FinanceScreens, AQuarterOfTheSpendingSpansNinetyDegreesInItsColour)
{
    Spend(0, FC_RENT, 100.0f);
    Spend(0, FC_WAGES, 300.0f);
    Spend(0, FC_CAR_SALES, 5000.0f);
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    GUI_Fin_ExpPie& panel = *dialog->GetExpenses()->GetPie();
    for (int k = 0; k < GUI_Fin_ExpPie::kPeriods; ++k)
    {
        SCOPED_TRACE(k);
        const GUI_PieChart& pie = *panel.GetPie(k);
        ASSERT_EQ(pie.GetSegmentCount(), 9);
        // Raw materials, construction, components, then rent: the fourth slice.
        const GUI_PieSegment& rent = *pie.GetSegment(3);
        EXPECT_FLOAT_EQ(rent.GetSweep(), 90.0f);
        EXPECT_EQ(rent.GetArgb(), 0xFF05B9FBu);
        ASSERT_NE(rent.GetTooltip(), nullptr);
        EXPECT_EQ(rent.GetTooltip()->GetLines().at(0), "Rent");
        EXPECT_FLOAT_EQ(pie.GetSegment(4)->GetSweep(), 270.0f);
        EXPECT_EQ(pie.GetSegment(4)->GetArgb(), 0xFFB159D5u) << "wages follow rent; sales have no slice";
        EXPECT_FLOAT_EQ(pie.GetSegment(0)->GetSweep(), 0.0f);
        EXPECT_EQ(pie.GetSegment(0)->GetTooltip(), nullptr) << "too narrow to rest the mouse on";
    }
}

TEST_F(FinanceScreens, PiesStayEmptyUnlessEveryPeriodHasSpending)
{
    Spend(5, FC_RENT, 100.0f);
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    for (int k = 0; k < GUI_Fin_ExpPie::kPeriods; ++k)
        EXPECT_EQ(dialog->GetExpenses()->GetPie()->GetPie(k)->GetSegmentCount(), 0);
    EXPECT_EQ(ExpenseRow(*dialog, FC_RENT).GetAmount(1), "$ 100");
}

TEST_F(FinanceScreens, RowsShowMoneyAndCountsInTheGamesFormat)
{
    struct Case
    {
        float amount;
        const char* text;
    };
    const Case cases[] = {{0.0f, "$ 0"},           {999.9f, "$ 999"},         {1234.5f, "$ 1,234"},
                          {99999.9f, "$ 99,999"},  {123456.7f, "$ 123k"},     {-500.0f, "$ -500"},
                          {-250000.0f, "$ -250k"}, {12345678.0f, "$ 12,345k"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.amount);
        GUI_FinanceItem item(FC_FINES, "gui_expense.dds", "FC_FINES", c.amount, c.amount, c.amount);
        EXPECT_EQ(item.GetAmount(0), c.text);
        EXPECT_EQ(item.GetName(), "Fines");
    }
    SIM_VehicleFeature* seats = m_data->Feature("feat_seats", 100.0f);
    seats->m_guiName = "Leather seats";
    SIM_VehicleDesign* plain = m_data->Design("Plain", 1500.0f, {});
    SIM_VehicleDesign* comfy = m_data->Design("Comfy", 125000.0f, {seats});
    GUI_Fin_SalesItem none(plain, 0.0f, 0.0f, 0.0f, 0, 0, 0);
    EXPECT_EQ(none.GetQuantity(2), "0");
    EXPECT_EQ(none.GetSalePriceLine(), "Sale price $ 1,500");
    EXPECT_EQ(none.GetTooltip()->GetLines(), std::vector<std::string>{"Features"});
    GUI_Fin_SalesItem many(comfy, 125000.0f, 250000.0f, 1.5e6f, 1, 2, 1234567);
    EXPECT_EQ(many.GetQuantity(2), "1,234,567");
    EXPECT_EQ(many.GetIncome(2), "$ 1,500k");
    EXPECT_EQ(many.GetSalePriceLine(), "Sale price $ 125k");
    EXPECT_EQ(many.GetTooltip()->GetLines(), (std::vector<std::string>{"Features", "Leather seats"}));
}

TEST_F(FinanceScreens, SummaryGraphsScaleToTheirFigures)
{
    {
        // A fresh game: the profit graph runs from 0 to 1,000 and every curve lies on the bottom.
        GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
        const GUI_Fin_Summary& s = *dialog->GetSummary();
        EXPECT_FLOAT_EQ(s.GetProfitBottom(), 0.0f);
        EXPECT_FLOAT_EQ(s.GetProfitTop(), 1000.0f);
        EXPECT_EQ(s.GetProfitBottomLabel(), "$ 0");
        EXPECT_EQ(s.GetProfitTopLabel(), "$ 1,000");
        for (int row = 0; row < GUI_Fin_Summary::NUM_ROWS; ++row)
            EXPECT_FLOAT_EQ(s.GetScaled(row, 0), 0.0f);
        // A cash that never left 0 is drawn on a scale of 0 to 1,000 instead of dividing by nothing.
        EXPECT_FLOAT_EQ(s.GetCashBottom(), 0.0f);
        EXPECT_FLOAT_EQ(s.GetCashTop(), 1000.0f);
        EXPECT_FLOAT_EQ(s.GetScaledCash(0), 0.0f);
    }
    // One hour that lost 500; the cash fell from 20,000 to 5,000 over the day.
    Spend(3, FC_RENT, 500.0f);
    float balances[SIM_FinanceManager::NUM_BALANCES];
    for (int i = 0; i < SIM_FinanceManager::NUM_BALANCES; ++i)
        balances[i] = 20000.0f - 15000.0f * static_cast<float>(i) / 23.0f;
    SIM_FinanceManager::Instance().RestoreBalances(balances);
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    const GUI_Fin_Summary& s = *dialog->GetSummary();
    EXPECT_FLOAT_EQ(s.GetProfitBottom(), -1500.0f);
    EXPECT_FLOAT_EQ(s.GetProfitTop(), 1000.0f);
    EXPECT_EQ(s.GetProfitBottomLabel(), "$ -1,500");
    EXPECT_FLOAT_EQ(s.GetScaled(GUI_Fin_Summary::ROW_PROFIT, 3), 1000.0f / 2500.0f);
    EXPECT_FLOAT_EQ(s.GetScaled(GUI_Fin_Summary::ROW_PROFIT, 0), 1500.0f / 2500.0f) << "the zero line";
    EXPECT_FLOAT_EQ(s.GetScaled(GUI_Fin_Summary::ROW_EXPENSES, 3), 2000.0f / 2500.0f);
    EXPECT_FLOAT_EQ(s.GetCashTop(), 22000.0f);
    EXPECT_EQ(s.GetCashTopLabel(), "$ 22,000");
    EXPECT_FLOAT_EQ(s.GetScaledCash(0), 5000.0f / 22000.0f) << "the newest balance stands first";
    EXPECT_FLOAT_EQ(s.GetScaledCash(23), 20000.0f / 22000.0f);
    // A big hour raises the top to 1.1 times its largest figure.
    SalesRecordPool::Instance().AddSale(m_data->Design("Big", 0.0f, {}), 50000.0f);
    GUI_FinanceDialog::Refresh();
    EXPECT_FLOAT_EQ(s.GetProfitTop(), 55000.0f);
    EXPECT_EQ(s.GetProfitTopLabel(), "$ 55,000");
    EXPECT_FLOAT_EQ(s.GetScaled(GUI_Fin_Summary::ROW_INCOME, 0), 51500.0f / 56500.0f);
}

TEST_F(FinanceScreens, PriceCurveTopsAtOnePointOneTimesTheHighestPrice)
{
    SIM_ResourceManager::Instance().Load();
    const std::vector<SIM_Resource*>& resources = SIM_ResourceManager::Instance().GetResources();
    ASSERT_GE(resources.size(), 2u);
    SIM_Resource* cheap = resources[1];
    for (int i = 0; i < SIM_Resource::NUM_PRICES; ++i)
        cheap->m_prices[i] = static_cast<float>(i % 5);
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    GUI_Fin_Prices& prices = *dialog->GetPrices();
    EXPECT_EQ(prices.GetSelected(), resources.front()) << "the first resource at first";
    ASSERT_EQ(prices.GetRows().size(), resources.size());
    for (size_t i = 0; i < resources.size(); ++i)
        EXPECT_EQ(dynamic_cast<const GUI_Fin_Resource&>(*prices.GetRows()[i]).GetResource(), resources[i]);
    SIM_Resource* first = resources.front();
    float highest = 0.0f;
    int highestAt = 0;
    for (int i = 0; i < SIM_Resource::NUM_PRICES; ++i)
        if (first->m_prices[i] > highest)
        {
            highest = first->m_prices[i];
            highestAt = i;
        }
    ASSERT_GT(highest, 10.0f);
    EXPECT_FLOAT_EQ(prices.GetGraphTop(), highest * 1.1f);
    EXPECT_FLOAT_EQ(prices.GetPlotted()[highestAt], 1.0f / 1.1f);
    // A click on the second row shows its resource: every price under 10 on a top of 11.
    GUI_FinanceDialog::OnTabButton(GUI_FinanceDialog::TAB_PRICES);
    Frame();
    const GUI_BaseElement& row = *prices.GetRows()[1];
    ASSERT_TRUE(ClickAt(static_cast<float>(row.GetLeft() + 100), static_cast<float>(row.GetTop() + 20)));
    EXPECT_EQ(prices.GetSelected(), cheap);
    EXPECT_FLOAT_EQ(prices.GetGraphTop(), 11.0f);
    EXPECT_EQ(prices.GetScaleLabel(), "$ 11");
    EXPECT_FLOAT_EQ(prices.GetPlotted()[0], 0.0f) << "a price of 0 on the bottom edge";
    EXPECT_FLOAT_EQ(prices.GetPlotted()[4], 4.0f / 11.0f);
    // The hourly refresh keeps the choice and reads its prices again.
    cheap->m_prices[0] = 20.0f;
    GUI_FinanceDialog::Refresh();
    EXPECT_EQ(prices.GetSelected(), cheap);
    EXPECT_FLOAT_EQ(prices.GetGraphTop(), 22.0f);
}

TEST_F(FinanceScreens, AGameWithoutResourcesShowsNoPriceCurve)
{
    FreshState::Forget<SIM_ResourceManager>();
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    GUI_FinanceDialog::OnTabButton(GUI_FinanceDialog::TAB_PRICES);
    EXPECT_EQ(dialog->GetPrices()->GetSelected(), nullptr);
    EXPECT_TRUE(dialog->GetPrices()->GetRows().empty());
    GUI_FinanceDialog::Refresh();
    Frame();
    EXPECT_EQ(dialog->GetPrices()->GetScaleLabel(), "");
}

TEST_F(FinanceScreens, AnHourPassingRefillsEveryPaneAndKeepsThePlayersChoices)
{
    SIM_VehicleDesign* design = m_data->Design("Runabout", 1000.0f, {});
    for (int i = 0; i < 8; ++i)
        m_data->Design("Model " + std::to_string(i), 1000.0f, {});
    Spend(0, FC_RENT, 100.0f);
    Spend(0, FC_WAGES, 300.0f);
    float balances[SIM_FinanceManager::NUM_BALANCES];
    for (float& b : balances)
        b = 10000.0f;
    SIM_FinanceManager::Instance().RestoreBalances(balances);
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::Open();
    GUI_FinanceDialog::OnTabButton(GUI_FinanceDialog::TAB_INCOME);
    GUI_Fin_Income& income = *dialog->GetIncome();
    ASSERT_EQ(income.GetRows().size(), 9u);
    // The wheel over the dialog scrolls the income list a row per notch; clicks do nothing there.
    m_world.input.MoveTo(static_cast<float>(income.GetLeft() + 100), static_cast<float>(income.GetTop() + 100));
    dialog->OnWheelDown();
    dialog->OnWheelDown();
    Frame();
    EXPECT_EQ(income.GetScrollBar()->GetFirstRow(), 2);
    EXPECT_TRUE(ClickAt(static_cast<float>(income.GetScrollBar()->GetLeft() + 5),
                        static_cast<float>(income.GetScrollBar()->GetBottom() - 5)));
    EXPECT_EQ(income.GetScrollBar()->GetFirstRow(), 2);
    dialog->GetExpenses()->GetPie()->SelectPeriod(2);
    SIM_Resource resource;
    resource.m_guiName = "Steel";
    dialog->GetPrices()->SelectResource(&resource);
    const float cashTop = dialog->GetSummary()->GetCashTop();

    // The next hour: a sale, a new cost and a new balance.
    SIM_Game::Instance().SetCurrentHour(kNow + 1);
    SalesRecordPool::Instance().AddSale(design, 1000.0f);
    SIM_FinanceRecord::Instance().StoreRecordNow(FC_RENT, 100.0f);
    balances[SIM_FinanceManager::NUM_BALANCES - 1] = 90000.0f;
    SIM_FinanceManager::Instance().RestoreBalances(balances);
    GUI_GamePresentation::Instance().RefreshFinanceDialog();

    EXPECT_EQ(dialog->GetSelectedTab(), GUI_FinanceDialog::TAB_INCOME);
    EXPECT_EQ(income.GetScrollBar()->GetFirstRow(), 0) << "the rebuilt list starts at its top";
    EXPECT_EQ(dynamic_cast<const GUI_Fin_SalesItem&>(*income.GetRows()[0]).GetQuantity(0), "1");
    GUI_Fin_ExpPie& pie = *dialog->GetExpenses()->GetPie();
    EXPECT_EQ(pie.GetPeriod(), 2);
    EXPECT_TRUE(pie.GetPie(2)->IsVisible());
    EXPECT_FALSE(pie.GetPie(0)->IsVisible());
    EXPECT_TRUE(pie.GetTab(2)->IsSelected());
    EXPECT_FALSE(pie.GetPie(2)->IsFirstFill()) << "a refill does not grow in again";
    EXPECT_EQ(ExpenseRow(*dialog, FC_RENT).GetAmount(2), "$ 200");
    EXPECT_EQ(dialog->GetPrices()->GetSelected(), &resource);
    EXPECT_EQ(dialog->GetSummary()->GetFigure(GUI_Fin_Summary::ROW_INCOME, 0), "$ 1,000");
    EXPECT_FLOAT_EQ(dialog->GetSummary()->GetCashTop(), cashTop) << "the cash graph stays as opened";
    dialog->GetPrices()->SelectResource(nullptr);
    Frame();
}

TEST_F(FinanceScreens, TheCashInThePlayedGamesTopBarOpensAndClosesTheDialog)
{
    GUI_Sounds::Instance().SetMuted(true);
    SIM_Presentation::Instance().SetListener(&GUI_GamePresentation::Instance());
    GUI_Game& game = GUI_Game::Instance();
    game.Enter();
    ASSERT_NE(GUI_Interface::GetOpen(), nullptr);
    const GUI_Finances& cash = *GUI_Interface::GetOpen()->GetCash();
    const float x = static_cast<float>(cash.GetLeft() + 30);
    const float y = static_cast<float>(cash.GetTop() + cash.GetBottom()) / 2.0f;
    Frame();
    EXPECT_TRUE(ClickAt(x, y));
    GUI_FinanceDialog* dialog = GUI_FinanceDialog::GetOpen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->IsModal());
    EXPECT_EQ(dialog->GetSelectedTab(), GUI_FinanceDialog::TAB_SUMMARY);
    GUI_FinanceDialog::OnTabButton(GUI_FinanceDialog::TAB_EXPENSES);
    Frame();
    // The simulation's hourly call reaches the open dialog.
    Spend(0, FC_RENT, 100.0f);
    SIM_Presentation::Instance().Listener().RefreshFinanceDialog();
    EXPECT_EQ(ExpenseRow(*dialog, FC_RENT).GetAmount(0), "$ 100");
    // The second click closes it and opens none.
    EXPECT_TRUE(ClickAt(x, y));
    Frame();
    EXPECT_EQ(GUI_FinanceDialog::GetOpen(), nullptr);
    for (GUI_WindowBase* window : GUI_WindowManager::Instance().GetWindows())
        EXPECT_FALSE(window->IsDialog() && !window->IsClosing());
    // Without a dialog an hour passing and a stray tab press touch nothing.
    SIM_Presentation::Instance().Listener().RefreshFinanceDialog();
    GUI_FinanceDialog::OnTabButton(1);
    // Opened again it starts on the summary; leaving the game closes it.
    EXPECT_TRUE(ClickAt(x, y));
    ASSERT_NE(GUI_FinanceDialog::GetOpen(), nullptr);
    EXPECT_EQ(GUI_FinanceDialog::GetOpen()->GetSelectedTab(), GUI_FinanceDialog::TAB_SUMMARY);
    game.Exit();
    EXPECT_EQ(GUI_FinanceDialog::GetOpen(), nullptr);
    SIM_Presentation::Instance().DiscardPosted();
    SIM_Presentation::Instance().SetListener(nullptr);
    GUI_Sounds::Instance().SetMuted(false);
}
