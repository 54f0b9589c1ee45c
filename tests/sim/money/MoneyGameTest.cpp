// Money in a running game: a new game's cash and empty history, the hourly rent and settlement,
// and the end of the game when the rent eats the last of the cash.
#include "tests/sim/MoneyTestListener.h"
#include "tests/sim/SimTestSupport.h"

#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/world/SIM_Mission.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

namespace money_game_test
{
constexpr uint64_t kMoneyMs = 1000000ull;

class MoneyGameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_SimConfig::UseFile(simtest::DataPath("simconfig.txt")); // HOUR_LENGTH = 1000
        PClock::SetManual(true, 1000 * kMoneyMs);
        GRandom::Init();
    }
    void TearDown() override
    {
        FreshState::EndGame();
        PClock::SetManual(false);
    }
    // Frames of 100 ms until `hours` more game hours have passed.
    void RunHours(int hours)
    {
        const int target = SIM_Game::Instance().GetCurrentHour() + hours;
        for (int i = 0; i < 1000 && SIM_Game::Instance().GetCurrentHour() < target; ++i)
        {
            PClock::AdvanceManual(100 * kMoneyMs);
            SIM_Game::Instance().Update();
        }
        ASSERT_EQ(SIM_Game::Instance().GetCurrentHour(), target);
    }
    static float Ledger(int category) { return SIM_FinanceRecord::Instance().GetTotal(-1, category); }

    MoneyTestListener screens;
    SIM_Mission mission;
};

TEST_F(MoneyGameTest, NewGameStartsWithTheMissionCashAndNoMoneyHistory)
{
    // Leftovers of an earlier game.
    // Owned by the design list: the new game deletes it.
    SIM_VehicleDesign* oldDesign = SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
    SIM_Game::Instance().SetCurrentHour(40);
    for (int i = 0; i < 150; ++i)
        SalesRecordPool::Instance().AddSale(oldDesign, 10.0f);
    SIM_FinanceRecord::Instance().StoreRecordNow(FC_WAGES, 99.0f);
    DemandFactor() = 0.1f;
    SIM_FinanceManager::Instance().StartGameWithCash(1.0f);
    SIM_FinanceManager::Instance().Pay(5.0f, FC_FINES);
    SIM_Efficiency::Instance().samples[3].valid = 1;

    ASSERT_TRUE(mission.Load(simtest::DataPath("missions/m_harbour.txt")));
    ASSERT_TRUE(SIM_Game::Instance().InitSimulation(&mission));
    auto& cash = SIM_FinanceManager::Instance();
    EXPECT_FLOAT_EQ(cash.GetCash(), 250000.0f);
    EXPECT_FALSE(cash.IsGameOver());
    float balances[SIM_FinanceManager::NUM_BALANCES];
    cash.GetBalances(balances);
    for (float b : balances)
        EXPECT_FLOAT_EQ(b, 250000.0f);
    EXPECT_FLOAT_EQ(Ledger(FC_ALL_EXPENSES), 0.0f);
    EXPECT_EQ(SalesRecordPool::Instance().GetQuantitySold(nullptr, -1), 0);
    // The first hour's demand does not remember the last game's sales.
    EXPECT_FLOAT_EQ(DemandFactor(), 1.0f);
    for (const auto& sample : SIM_Efficiency::Instance().samples)
        EXPECT_EQ(sample.valid, 0);
}

TEST_F(MoneyGameTest, EveryHourTakesTheRentAndMovesTheCashHistoryOn)
{
    ASSERT_TRUE(mission.Load(simtest::DataPath("missions/m_harbour.txt")));
    ASSERT_TRUE(SIM_Game::Instance().InitSimulation(&mission));
    RunHours(2);
    auto& cash = SIM_FinanceManager::Instance();
    // Main Hall rents for 150 an hour.
    EXPECT_FLOAT_EQ(Ledger(FC_RENT), 300.0f);
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(0, FC_RENT), 150.0f);
    EXPECT_FLOAT_EQ(cash.GetCash(), 250000.0f - 300.0f);
    EXPECT_FLOAT_EQ(cash.GetCash(), 250000.0f + Ledger(FC_CAR_SALES) - Ledger(FC_ALL_EXPENSES));
    float balances[SIM_FinanceManager::NUM_BALANCES];
    cash.GetBalances(balances);
    EXPECT_FLOAT_EQ(balances[21], 250000.0f);
    EXPECT_FLOAT_EQ(balances[22], 249850.0f);
    EXPECT_FLOAT_EQ(balances[23], 249700.0f);
    EXPECT_GE(screens.cashText.load(), 2);
    EXPECT_EQ(screens.financeDialog.load(), 2);
    EXPECT_EQ(screens.gameOver.load(), 0);
}

TEST_F(MoneyGameTest, RentThatEatsTheLastCashEndsTheGameOnce)
{
    simtest::ScratchDir dir;
    std::string text = simtest::ReadText(simtest::DataPath("missions/m_harbour.txt"));
    text.replace(text.find("starting_cash = 250000"), 22, "starting_cash = 300");
    ASSERT_TRUE(mission.Load(dir.Write("m_poor.txt", text)));
    ASSERT_TRUE(SIM_Game::Instance().InitSimulation(&mission));
    RunHours(1);
    EXPECT_EQ(screens.gameOver.load(), 0); // 150 left
    RunHours(1);
    EXPECT_EQ(screens.gameOver.load(), 1); // exactly 0: the money is used up
    RunHours(2);
    EXPECT_EQ(screens.gameOver.load(), 1);
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), -300.0f);
}
} // namespace money_game_test
