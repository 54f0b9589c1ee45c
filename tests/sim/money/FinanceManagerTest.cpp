// The cash: the payment rule with its game over, the hourly settlement, the cash history and
// the money text.
#include "sim/SIM_Game.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceObject.h"
#include "sim/money/SIM_FinanceRecord.h"

#include "tests/sim/MoneyTestListener.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

namespace
{
class CashTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_Game::Instance().SetCurrentHour(10);
        FreshState::Forget<SIM_FinanceRecord>();
        cash().StartGameWithCash(100.0f);
    }
    void TearDown() override
    {
        FreshState::Forget<SIM_FinanceRecord>();
        SIM_Game::Instance().SetCurrentHour(0);
    }
    static SIM_FinanceManager& cash() { return SIM_FinanceManager::Instance(); }
    static float Ledger(int category) { return SIM_FinanceRecord::Instance().GetTotal(-1, category); }
    MoneyTestListener screens;
};

TEST_F(CashTest, PaymentsChangeCashBookByHourAndRefreshTheHud)
{
    cash().Pay(30.0f, FC_RAW_MATERIALS);
    cash().Receive(45.0f, FC_CAR_SALES);
    cash().Pay(5.0f, FC_RAW_MATERIALS);
    EXPECT_FLOAT_EQ(cash().GetCash(), 110.0f);
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(0, FC_RAW_MATERIALS), 35.0f);
    EXPECT_FLOAT_EQ(Ledger(FC_CAR_SALES), 45.0f);
    EXPECT_EQ(screens.cashText.load(), 3);
    EXPECT_EQ(screens.gameOver.load(), 0);
    // Cash always equals the start plus the ledger's income minus its expenses.
    EXPECT_FLOAT_EQ(cash().GetCash(), 100.0f + Ledger(FC_CAR_SALES) - Ledger(FC_ALL_EXPENSES));
}

TEST_F(CashTest, GameOverOnceWhenAPaymentLeavesNothing)
{
    const struct
    {
        float pay;
        int expectedGameOver;
    } steps[] = {
        {60.0f, 0}, // 40 left
        {40.0f, 1}, // exactly 0 counts as used up
        {10.0f, 1}, // further payments do not end the game again
        {5.0f, 1},
    };
    for (const auto& s : steps)
    {
        cash().Pay(s.pay, FC_RENT);
        EXPECT_EQ(screens.gameOver.load(), s.expectedGameOver) << "after paying " << s.pay;
    }
    EXPECT_TRUE(cash().IsGameOver());
    EXPECT_FLOAT_EQ(cash().GetCash(), -15.0f);
    // A new game arms it again.
    cash().StartGameWithCash(1.0f);
    EXPECT_FALSE(cash().IsGameOver());
    cash().Pay(2.0f, FC_RENT);
    EXPECT_EQ(screens.gameOver.load(), 2);
}

TEST_F(CashTest, IncomeNeverEndsTheGameEvenInDebt)
{
    cash().StartGameWithCash(-500.0f);
    cash().Receive(10.0f, FC_CAR_SALES);
    SIM_FinanceObject earner;
    earner.income = 5.0f;
    earner.category = FC_CAR_SALES;
    cash().ProcessHour();
    EXPECT_EQ(screens.gameOver.load(), 0);
    EXPECT_FLOAT_EQ(cash().GetCash(), -485.0f);
}

TEST_F(CashTest, HourlySettlementOfFinanceObjects)
{
    const struct
    {
        float startCash, cost, income, cashAfter, booked;
        bool gameOver;
    } cases[] = {
        {100.0f, 100.0f, 0.0f, 0.0f, 100.0f, true},   // the last money paid: game over
        {100.0f, 30.0f, 50.0f, 120.0f, 50.0f, false}, // both: only the income is booked
        {100.0f, 0.0f, 0.0f, 100.0f, 0.0f, false},    // neither: books nothing worth anything
        {100.0f, 99.0f, 0.0f, 1.0f, 99.0f, false},
    };
    for (const auto& c : cases)
    {
        FreshState::Forget<SIM_FinanceRecord>();
        cash().StartGameWithCash(c.startCash);
        int gameOverBefore = screens.gameOver.load();
        {
            SIM_FinanceObject wages;
            wages.cost = c.cost;
            wages.income = c.income;
            wages.category = FC_WAGES;
            cash().ProcessHour();
        }
        EXPECT_FLOAT_EQ(cash().GetCash(), c.cashAfter) << c.cost << "/" << c.income;
        EXPECT_FLOAT_EQ(Ledger(FC_WAGES), c.booked) << c.cost << "/" << c.income;
        EXPECT_EQ(screens.gameOver.load() - gameOverBefore, c.gameOver ? 1 : 0);
    }
}

TEST_F(CashTest, BalanceHistoryMovesOnEveryHour)
{
    cash().StartGameWithCash(500.0f);
    SIM_FinanceObject rent;
    rent.cost = 20.0f;
    rent.category = FC_RENT;
    cash().ProcessHour();
    float b[SIM_FinanceManager::NUM_BALANCES];
    cash().GetBalances(b);
    for (int i = 0; i < SIM_FinanceManager::NUM_BALANCES - 1; ++i)
        EXPECT_FLOAT_EQ(b[i], 500.0f) << i;
    EXPECT_FLOAT_EQ(b[23], 480.0f);
    cash().ProcessHour();
    cash().GetBalances(b);
    EXPECT_FLOAT_EQ(b[21], 500.0f);
    EXPECT_FLOAT_EQ(b[22], 480.0f);
    EXPECT_FLOAT_EQ(b[23], 460.0f);
}

TEST_F(CashTest, FinanceObjectsLeaveTheListWithTheirOwners)
{
    size_t before = cash().GetObjectCount();
    {
        SIM_FinanceObject a, b;
        EXPECT_EQ(cash().GetObjectCount(), before + 2);
        EXPECT_EQ(a.category, FC_NONE);
    }
    EXPECT_EQ(cash().GetObjectCount(), before);
}

TEST_F(CashTest, StartWithoutMissionLeavesTheCashAlone)
{
    cash().StartGameWithCash(77.0f);
    cash().StartGame(nullptr);
    EXPECT_FLOAT_EQ(cash().GetCash(), 77.0f);
}

TEST(MoneyText, FormatsAsShownAllOverTheGame)
{
    const struct
    {
        float amount;
        const char* text;
    } cases[] = {
        {0.0f, "$ 0"},
        {-0.4f, "$ -0"},
        {1234.56f, "$ 1,234"},
        {-50.9f, "$ -50"},
        {999.0f, "$ 999"},
        {99999.99f, "$ 99,999"},
        {99999.5f, "$ 99,999"},
        {100000.0f, "$ 100k"},
        {-2345678.0f, "$ -2,345k"},
        {123456789.0f, "$ 123,456k"},
        {3.0e9f, "$ 3,000,000k"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SIM_FinanceManager::FormatMoney(c.amount), c.text) << c.amount;
}
} // namespace
