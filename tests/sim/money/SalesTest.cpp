// Car stock and buyers with a scripted random sequence, the sales records and their windows, and
// the demand factor that follows them.
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

#include "tests/sim/MoneyTestDesign.h"
#include "tests/sim/MoneyTestListener.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
class SalesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_Game::Instance().SetCurrentHour(20);
        FreshState::Forget<SIM_FinanceRecord>();
        SIM_FinanceManager::Instance().StartGameWithCash(1000.0f);
        FreshState::Forget<SalesRecordPool>();
        sales().ClearStock();
        sales().salesTimer = 0.0f;
        DemandFactor() = 1.0f;
        draws = 0;
        next = 0;
        script.clear();
        sales().SetRandomSource([this] {
            ++draws;
            if (script.empty())
                return 0.5f;
            float r = script[next % script.size()];
            ++next;
            return r;
        });
    }
    void TearDown() override
    {
        sales().SetRandomSource(nullptr);
        sales().ClearStock();
        FreshState::Forget<SalesRecordPool>();
        FreshState::Forget<SIM_FinanceRecord>();
        SIM_Game::Instance().SetCurrentHour(0);
    }
    static SIM_SalesManager& sales() { return SIM_SalesManager::Instance(); }
    static SalesRecordPool& pool() { return SalesRecordPool::Instance(); }

    std::vector<float> script;
    size_t next = 0;
    int draws = 0;
    MoneyTestListener screens;
};

TEST(SaleChance, FollowsPriceAgainstValue)
{
    const struct
    {
        float value, price, chance;
    } cases[] = {
        {100.0f, 49.0f, 1.0f},  // below half the value: always
        {100.0f, 50.0f, 0.25f}, // exactly half
        {100.0f, 100.0f, 0.25f * (1.0f - 1.0f / 81.0f)},
        {100.0f, 200.0f, 0.0f}, // exactly twice
        {100.0f, 201.0f, 0.0f}, // above twice: never
        {0.0f, 10.0f, 0.0f},    // worthless design with a price
    };
    for (const auto& c : cases)
        EXPECT_NEAR(SIM_SalesManager::SaleChance(c.value, c.price), c.chance, 1e-6f) << c.value << " / " << c.price;
    // A worthless design at no price: no chance at all (not a number), never a sale.
    EXPECT_FALSE(SIM_SalesManager::SaleChance(0.0f, 0.0f) > 0.0f);
}

TEST_F(SalesTest, BuyerCyclesWithScriptedDraws)
{
    const struct
    {
        float value, price;
        int stock;
        std::vector<float> draws;
        int sold, left, drawn;
    } cases[] = {
        // Every draw a sale: each sale shortens the run, so 3 cars sell 2 in one cycle.
        {100.0f, 40.0f, 3, {0.99f}, 2, 1, 2},
        {100.0f, 40.0f, 1, {0.99f}, 1, 0, 1},
        // Never sells, yet every car draws a number.
        {100.0f, 250.0f, 3, {0.0f}, 0, 3, 3},
        // Priced at its value: a sale when the draw is below about 0.2469.
        {100.0f, 100.0f, 4, {0.24f, 0.25f, 0.9f, 0.1f}, 1, 3, 3},
        // Worthless and free: never.
        {0.0f, 0.0f, 2, {0.0f}, 0, 2, 2},
    };
    for (const auto& c : cases)
    {
        SetUp();
        MoneyTestDesign d(c.value, c.price);
        script = c.draws;
        sales().AddToStock(&d.design, c.stock);
        sales().SimulateBuyers();
        EXPECT_EQ(pool().GetQuantitySold(&d.design, -1), c.sold) << c.price;
        EXPECT_EQ(sales().GetStockCount(&d.design), c.left) << c.price;
        EXPECT_EQ(draws, c.drawn) << c.price;
        EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), 1000.0f + c.sold * c.price);
        EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(0, FC_CAR_SALES), c.sold * c.price);
        sales().ClearStock();
    }
}

TEST_F(SalesTest, DemandScalesTheValue)
{
    MoneyTestDesign d(100.0f, 40.0f); // below half at full demand
    script = {0.99f};
    DemandFactor() = 0.5f; // now worth 50: 40 is between 25 and 100
    sales().AddToStock(&d.design, 1);
    sales().SimulateBuyers();
    EXPECT_EQ(sales().GetStockCount(&d.design), 1);
}

TEST_F(SalesTest, SoldOutAndEmptyEntriesLeaveTheStock)
{
    MoneyTestDesign a(100.0f, 10.0f), b(100.0f, 10.0f);
    script = {0.0f};
    sales().AddToStock(&a.design, 1);
    sales().AddToStock(&b.design, 0); // as a savegame may restore it
    ASSERT_EQ(sales().GetStock().size(), 2u);
    sales().SimulateBuyers();
    EXPECT_TRUE(sales().GetStock().empty());
    EXPECT_EQ(draws, 1);
}

TEST_F(SalesTest, StockKeepsOneEntryPerDesignInArrivalOrder)
{
    MoneyTestDesign a(1.0f, 5.0f), b(1.0f, 5.0f);
    sales().AddToStock(&b.design, 1);
    sales().AddToStock(&a.design, 2);
    sales().AddToStock(&b.design, 3);
    ASSERT_EQ(sales().GetStock().size(), 2u);
    EXPECT_EQ(sales().GetStock()[0]->design, &b.design);
    EXPECT_EQ(sales().GetStock()[0]->count, 4);
    EXPECT_EQ(sales().GetStock()[1]->count, 2);
}

TEST_F(SalesTest, FinishedCarsGoToTheFirstDesignTheyMatch)
{
    MoneyTestDesign roof(100.0f, 10.0f), wheels(50.0f, 10.0f), wheelsAgain(50.0f, 10.0f);
    roof.feature.m_name = "roof";
    wheels.feature.m_name = "wheels";
    wheelsAgain.record.feature = &wheels.feature;

    SIM_Vehicle car;
    car.AddCompletedTask(std::make_unique<SIM_VehicleFeatureRecord>(SIM_VehicleFeatureRecord{&wheels.feature, {}}));
    EXPECT_TRUE(sales().AddVehicleToStock(&car));
    EXPECT_TRUE(sales().AddVehicleToStock(&car));
    EXPECT_EQ(sales().GetStockCount(&wheels.design), 2);
    EXPECT_EQ(sales().GetStockCount(&wheelsAgain.design), 0);
    EXPECT_EQ(sales().GetStockCount(&roof.design), 0);

    // A car no design describes stays out of the stock.
    SIM_Vehicle odd;
    SIM_VehicleFeature paint;
    paint.m_name = "paint";
    odd.AddCompletedTask(std::make_unique<SIM_VehicleFeatureRecord>(SIM_VehicleFeatureRecord{&paint, {}}));
    EXPECT_FALSE(sales().AddVehicleToStock(&odd));
    EXPECT_FALSE(sales().AddVehicleToStock(nullptr));
    EXPECT_EQ(sales().GetStock().size(), 1u);
}

TEST_F(SalesTest, StockWindowIsRefreshedOnTheMainThread)
{
    MoneyTestDesign d(100.0f, 10.0f);
    sales().AddToStock(&d.design, 2);
    EXPECT_EQ(screens.carStock.load(), 0); // queued, not run where the car arrived
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(screens.carStock.load(), 1);
    script = {0.0f};
    sales().SimulateBuyers();
    EXPECT_EQ(screens.carStock.load(), 2); // a cycle that sold refreshes at once
    sales().SimulateBuyers();
    EXPECT_EQ(screens.carStock.load(), 3);
    sales().SimulateBuyers();
    EXPECT_EQ(screens.carStock.load(), 3); // one that sold nothing does not
}

TEST_F(SalesTest, CycleRunsWhenTheTimerPassesFourSeconds)
{
    MoneyTestDesign d(100.0f, 10.0f);
    sales().AddToStock(&d.design, 1);
    sales().salesTimer = 3998.0f;
    sales().Update(2.0f); // exactly 4000: not yet
    EXPECT_EQ(draws, 0);
    EXPECT_FLOAT_EQ(sales().salesTimer, 4000.0f);
    sales().salesTimer = 3999.0f;
    sales().Update(2.0f);
    EXPECT_EQ(draws, 1);
    EXPECT_FLOAT_EQ(sales().salesTimer, 0.0f); // the excess is dropped
    sales().Update(0.0f);                      // paused
    EXPECT_EQ(draws, 1);
}

} // namespace
