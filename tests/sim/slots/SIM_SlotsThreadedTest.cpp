// A long run of a small factory at speed 4 with the vehicles and power jobs on worker threads:
// cars are built and sold, power is bought, wages are paid, and the cash always agrees with the
// ledger.
#include <gtest/gtest.h>

#include "sim/SIM_ThreadManager.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "tests/sim/SlotsTestFloor.h"
#include "tests/support/FreshState.h"

using slotstest::Floor;

TEST(SlotsThreaded, CashMatchesTheLedgerAfterALongRunAtSpeedFour)
{
    SIM_ThreadManager::Instance().Init();
    {
        Floor floor;
        ASSERT_NE(floor.Place("task_fit chassis", 1, 3), nullptr);
        ASSERT_NE(floor.Place("task_fit_engine", 2, 3), nullptr);
        ASSERT_NE(floor.Place("task_staffed", 3, 3), nullptr);
        ASSERT_NE(floor.Place("task_paint_undercoat", 4, 3), nullptr);
        ASSERT_NE(floor.Place("task_paint_finish", 5, 3), nullptr);
        for (int x = 6; x <= 9; ++x)
            ASSERT_NE(floor.Place("task_conveyor", x, 3), nullptr);
        ASSERT_NE(floor.Place("task_export", 10, 3), nullptr);
        SIM_Game::Instance().SetSpeed(4.0f);

        SIM_VehicleDesignManager& designs = SIM_VehicleDesignManager::Instance();
        ASSERT_TRUE(floor.StepUntil([&] { return !designs.GetDesigns().empty(); }, 5000));
        // Priced far below its worth, every car in stock finds a buyer.
        designs.GetDesigns()[0]->m_price = 100.0f;

        SIM_FinanceManager& finance = SIM_FinanceManager::Instance();
        const float startCash = 100000.0f;
        floor.Step(4000);

        SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
        const float income = ledger.GetTotal(-1, FC_CAR_SALES);
        const float expenses = ledger.GetTotal(-1, FC_ALL_EXPENSES);
        EXPECT_GT(income, 0.0f) << "no car was sold";
        EXPECT_GT(ledger.GetTotal(-1, FC_POWER_PURCHASE), 0.0f) << "no power was bought";
        EXPECT_GT(ledger.GetTotal(-1, FC_WAGES), 0.0f) << "no wages were paid";
        // Cash and ledger are both kept in single precision; a few hundred bookings on a balance
        // near 100000 may differ in the last places, never by a lost payment.
        EXPECT_NEAR(finance.GetCash(), startCash + income - expenses, 2.0f);
    }
    FreshState::Forget<SIM_ThreadManager>();
}
