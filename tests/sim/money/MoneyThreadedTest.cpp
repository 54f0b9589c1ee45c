// Money under threads: cars stocked by worker jobs while the main thread sells, and payments made
// on workers while sales pay in; nothing may be lost and game over comes exactly once.
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

#include "tests/sim/MoneyTestDesign.h"
#include "tests/sim/MoneyTestListener.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
class MoneyThreadsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_Game::Instance().SetCurrentHour(3);
        FreshState::Forget<SIM_FinanceRecord>();
        FreshState::Forget<SalesRecordPool>();
        SIM_SalesManager::Instance().ClearStock();
        DemandFactor() = 1.0f;
        // Every buyer buys: a car priced below half its value always sells.
        SIM_SalesManager::Instance().SetRandomSource([] { return 0.5f; });
    }
    void TearDown() override
    {
        SIM_SalesManager::Instance().SetRandomSource(nullptr);
        SIM_SalesManager::Instance().ClearStock();
        FreshState::Forget<SalesRecordPool>();
        FreshState::Forget<SIM_FinanceRecord>();
        SIM_Game::Instance().SetCurrentHour(0);
    }
    MoneyTestListener screens;
};

TEST_F(MoneyThreadsTest, StockingWhileSellingLosesNoCar)
{
    constexpr int kWorkers = 4;
    constexpr int kCarsEach = 3000;
    MoneyTestDesign a(100.0f, 10.0f), b(100.0f, 20.0f);
    SIM_FinanceManager::Instance().StartGameWithCash(0.0f);

    std::atomic<int> running{kWorkers};
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w)
    {
        workers.emplace_back([&, w] {
            for (int i = 0; i < kCarsEach; ++i)
                SIM_SalesManager::Instance().AddToStock((i + w) % 2 ? &a.design : &b.design, 1);
            running.fetch_sub(1);
        });
    }
    while (running.load() > 0)
    {
        SIM_SalesManager::Instance().SimulateBuyers();
        SIM_Presentation::Instance().ApplyPosted();
    }
    for (auto& t : workers)
        t.join();
    // Sell what is left.
    for (int i = 0; i < 64 && !SIM_SalesManager::Instance().GetStock().empty(); ++i)
        SIM_SalesManager::Instance().SimulateBuyers();
    SIM_Presentation::Instance().ApplyPosted();

    const int sold = SalesRecordPool::Instance().GetQuantitySold(nullptr, -1);
    EXPECT_EQ(sold, kWorkers * kCarsEach);
    EXPECT_TRUE(SIM_SalesManager::Instance().GetStock().empty());
    const float income = SalesRecordPool::Instance().GetIncome(nullptr, -1);
    EXPECT_FLOAT_EQ(income, kWorkers * kCarsEach / 2 * 30.0f);
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), income);
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(-1, FC_CAR_SALES), income);
}

TEST_F(MoneyThreadsTest, PaymentsOnWorkersAgainstSalesKeepCashEqualToTheLedger)
{
    constexpr float kStart = 1000000.0f;
    constexpr int kPayers = 3;
    constexpr int kPaymentsEach = 4000;
    MoneyTestDesign d(100.0f, 2.0f);
    SIM_FinanceManager::Instance().StartGameWithCash(kStart);
    SIM_SalesManager::Instance().AddToStock(&d.design, 20000);

    std::atomic<int> running{kPayers};
    std::vector<std::thread> payers;
    for (int p = 0; p < kPayers; ++p)
    {
        payers.emplace_back([&, p] {
            for (int i = 0; i < kPaymentsEach; ++i)
                SIM_FinanceManager::Instance().Pay(1.0f, p == 0 ? FC_POWER_PURCHASE : FC_WAGES);
            running.fetch_sub(1);
        });
    }
    int cycles = 0;
    while (running.load() > 0 || cycles < 8)
    {
        SIM_SalesManager::Instance().SimulateBuyers();
        SIM_Presentation::Instance().ApplyPosted();
        ++cycles;
    }
    for (auto& t : payers)
        t.join();
    SIM_Presentation::Instance().ApplyPosted();

    const auto& ledger = SIM_FinanceRecord::Instance();
    const float income = ledger.GetTotal(-1, FC_CAR_SALES);
    const float expenses = ledger.GetTotal(-1, FC_ALL_EXPENSES);
    EXPECT_FLOAT_EQ(expenses, kPayers * kPaymentsEach * 1.0f);
    EXPECT_FLOAT_EQ(income, SalesRecordPool::Instance().GetQuantitySold(nullptr, -1) * 2.0f);
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), kStart + income - expenses);
    // The detailed records of the hour agree with the all-time totals.
    EXPECT_FLOAT_EQ(ledger.GetTotal(0, FC_CAR_SALES), income);
    EXPECT_FLOAT_EQ(ledger.GetTotal(0, FC_ALL_EXPENSES), expenses);
    EXPECT_GT(screens.cashText.load(), 0);
    EXPECT_EQ(screens.gameOver.load(), 0);
}

TEST_F(MoneyThreadsTest, GameOverFiresOnceWhenPayersRaceThroughZero)
{
    SIM_FinanceManager::Instance().StartGameWithCash(500.0f);
    std::vector<std::thread> payers;
    for (int p = 0; p < 4; ++p)
        payers.emplace_back([] {
            for (int i = 0; i < 500; ++i)
                SIM_FinanceManager::Instance().Pay(1.0f, FC_POWER_PURCHASE);
        });
    for (auto& t : payers)
        t.join();
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(screens.gameOver.load(), 1);
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), -1500.0f);
}
} // namespace
