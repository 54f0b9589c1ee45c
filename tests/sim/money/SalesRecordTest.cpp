// The sales records: one per design and hour, the query windows, a full pool, and the demand
// factor that follows the cars sold.
#include "sim/SIM_Game.h"
#include "sim/money/SIM_DemandFactor.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/money/SalesRecordPool.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

#include "engine/core/GDebugLog.h"
#include "tests/support/FreshState.h"

#include <gtest/gtest.h>

#include <memory>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
std::string SalesRecordErrorLog()
{
    if (!GDebugLog::Instance().IsOpen())
        GDebugLog::Instance().Open(
            (std::filesystem::temp_directory_path() / ("fv_sales_" + std::to_string(getpid()))).string());
    std::ifstream in(GDebugLog::Instance().GetErrorPath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct RecordTestDesign
{
    ~RecordTestDesign() { SIM_VehicleDesignManager::Instance().Remove(&design); }
    SIM_VehicleDesign& design = *SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
};

class SalesRecordTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_Game::Instance().SetCurrentHour(20);
        FreshState::Forget<SalesRecordPool>();
    }
    void TearDown() override
    {
        FreshState::Forget<SalesRecordPool>();
        SIM_Game::Instance().SetCurrentHour(0);
    }
    static SalesRecordPool& pool() { return SalesRecordPool::Instance(); }
};

TEST_F(SalesRecordTest, RecordWindowsCountBackFromTheCurrentHour)
{
    RecordTestDesign a, b;
    const struct
    {
        int hour;
        RecordTestDesign* d;
        float amount;
    } sold[] = {
        {20, &a, 10.0f}, {20, &a, 12.0f}, {19, &a, 100.0f}, {13, &b, 1000.0f}, {12, &b, 5000.0f},
    };
    for (const auto& s : sold)
    {
        SIM_Game::Instance().SetCurrentHour(s.hour);
        pool().AddSale(&s.d->design, s.amount);
    }
    SIM_Game::Instance().SetCurrentHour(20);
    int active = 0;
    for (const auto& r : pool().records)
        active += r.active;
    EXPECT_EQ(active, 4); // two sales of one design in one hour share a record

    const struct
    {
        SIM_VehicleDesign* design;
        int hours;
        int quantity;
        float income;
    } cases[] = {
        {&a.design, 1, 2, 22.0f},    {&a.design, 2, 3, 122.0f},
        {nullptr, 1, 2, 22.0f},      {nullptr, 8, 4, 1122.0f}, // hours 13..20
        {nullptr, 9, 5, 6122.0f},    {&b.design, 24, 2, 6000.0f},
        {&b.design, -1, 2, 6000.0f}, {nullptr, -1, 5, 6122.0f},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(pool().GetQuantitySold(c.design, c.hours), c.quantity) << c.hours;
        EXPECT_FLOAT_EQ(pool().GetIncome(c.design, c.hours), c.income) << c.hours;
    }
    // The walk over every design agrees with asking design by design.
    for (int hours : {1, 2, 8, 24, -1})
    {
        const std::vector<SaleTotal> byDesign = pool().GetSalesByDesign(hours);
        for (SIM_VehicleDesign* design : {&a.design, &b.design})
        {
            SaleTotal found;
            for (const SaleTotal& t : byDesign)
                if (t.design == design)
                    found = t;
            EXPECT_EQ(found.quantity, pool().GetQuantitySold(design, hours)) << hours;
            EXPECT_FLOAT_EQ(found.amount, pool().GetIncome(design, hours)) << hours;
        }
    }
    EXPECT_FLOAT_EQ(pool().GetIncomeForHour(20), 22.0f);
    EXPECT_FLOAT_EQ(pool().GetIncomeForHour(13), 1000.0f);
    EXPECT_EQ(pool().highestIndex, 3);
    RecordTestDesign never;
    EXPECT_EQ(pool().GetQuantitySold(&never.design, -1), 0);
}

TEST_F(SalesRecordTest, FullPoolKeepsTheSaleInTheTotalsOnly)
{
    RecordTestDesign a;
    // Full as sales fill it: every record taken, the highest index at the last one, so that the
    // fixture's reset frees them all again.
    for (auto& r : pool().records)
    {
        r.active = 1;
        r.hour = 3;
    }
    pool().highestIndex = SalesRecordPool::NUM_RECORDS - 1;
    const std::string before = SalesRecordErrorLog();
    pool().AddSale(&a.design, 9.0f);
    pool().AddSale(&a.design, 1.0f);
    // Each lost record is in the error log, not only the first one of the game.
    const std::string written = SalesRecordErrorLog().substr(before.size());
    size_t reports = 0;
    for (size_t at = written.find("Not enough sales records!:SIM_SalesRecord 112"); at != std::string::npos;
         at = written.find("Not enough sales records!:SIM_SalesRecord 112", at + 1))
        ++reports;
    EXPECT_EQ(reports, 2u) << written;
    EXPECT_EQ(pool().GetQuantitySold(&a.design, -1), 2);
    EXPECT_FLOAT_EQ(pool().GetIncome(&a.design, -1), 10.0f);
    EXPECT_EQ(pool().GetQuantitySold(&a.design, 1), 0);
}

TEST_F(SalesRecordTest, DemandFollowsTheCarsSoldInTheLastEightHours)
{
    RecordTestDesign a;
    const struct
    {
        int now;
        int hoursAgoSold;
        int cars;
        float demand;
    } cases[] = {
        {20, 0, 0, 1.0f},   {20, 0, 100, 0.6f}, {20, 7, 200, 0.2f},
        {20, 0, 250, 0.0f}, {20, 0, 400, 0.0f}, {20, 8, 300, 1.0f}, // eight hours ago is outside the window
    };
    for (const auto& c : cases)
    {
        pool().Reset();
        SIM_Game::Instance().SetCurrentHour(c.now - c.hoursAgoSold);
        for (int i = 0; i < c.cars; ++i)
            pool().AddSale(&a.design, 1.0f);
        SIM_Game::Instance().SetCurrentHour(c.now);
        float demand = 0.5f;
        UpdateDemandFactor(&demand);
        EXPECT_NEAR(demand, c.demand, 1e-6f) << c.cars << " cars " << c.hoursAgoSold << " h ago";
    }
    // 40 cars this hour and 30 eight hours ago.
    pool().Reset();
    SIM_Game::Instance().SetCurrentHour(12);
    for (int i = 0; i < 30; ++i)
        pool().AddSale(&a.design, 1.0f);
    SIM_Game::Instance().SetCurrentHour(20);
    for (int i = 0; i < 40; ++i)
        pool().AddSale(&a.design, 1.0f);
    float demand = 1.0f;
    UpdateDemandFactor(&demand);
    EXPECT_NEAR(demand, 0.84f, 1e-6f);
}
TEST_F(SalesRecordTest, FinanceScreenPeriodsCoverTheSameHoursForSalesAndExpenses)
{
    // A ledger window of h - 1 spans the same hours as a sales window of h: "the last hour" and
    // "the last 24 hours" compare income and expenses of the same hours.
    RecordTestDesign a;
    SIM_FinanceRecord& ledger = SIM_FinanceRecord::Instance();
    ledger.Reset();
    for (int ago = 0; ago <= 25; ++ago)
    {
        SIM_Game::Instance().SetCurrentHour(100 - ago);
        pool().AddSale(&a.design, 1.0f);
        ledger.StoreRecordNow(FC_WAGES, 1.0f);
    }
    SIM_Game::Instance().SetCurrentHour(100);
    for (int h : {1, 8, 24})
    {
        EXPECT_FLOAT_EQ(pool().GetIncome(nullptr, h), static_cast<float>(h)) << h;
        EXPECT_FLOAT_EQ(ledger.GetTotal(h - 1, FC_ALL_EXPENSES), static_cast<float>(h)) << h;
    }
    ledger.Reset();
}
} // namespace
