// The power account, its shortfall purchases, and the wages of slot staff.
#include <gtest/gtest.h>

#include "sim/money/SIM_FinanceObject.h"
#include "sim/slots/SIM_Employee.h"
#include "sim/slots/SIM_EmployeeManager.h"
#include "tests/sim/SlotsTestFloor.h"

using slotstest::Floor;

namespace
{
float PowerBooked()
{
    return SIM_FinanceRecord::Instance().GetTotal(-1, FC_POWER_PURCHASE);
}
} // namespace

TEST(Power, IdleSlotsDrawAQuarterBusyOnesAllAndPlantsCountWithTheirMultiplier)
{
    Floor floor;
    const float floorTiles = static_cast<float>(SIM_Game::Instance().GetFactory()->GetZoneTileCount());
    SIM_ProductionSlot* engine = floor.Place("task_fit_engine", 2, 2); // power 20
    ASSERT_NE(engine, nullptr);
    SIM_PowerManager& power = SIM_PowerManager::Instance();

    power.Process(0.0f, SIM_Game::Instance().GetFactory());
    EXPECT_FLOAT_EQ(power.GetDemand(), floorTiles + 0.25f * 20.0f);
    EXPECT_FLOAT_EQ(power.GetProduction(), 0.0f);

    engine->SetBusy(true);
    power.Process(0.0f, SIM_Game::Instance().GetFactory());
    EXPECT_FLOAT_EQ(power.GetDemand(), floorTiles + 20.0f);

    auto* plant = floor.PlaceFacility<SIM_PowerplantSlot>("fac_power_plant", 6, 5);
    auto* dead = floor.PlaceFacility<SIM_PowerplantSlot>("fac_dead_plant", 7, 5);
    ASSERT_TRUE(plant && dead);
    EXPECT_FLOAT_EQ(plant->GetPowerOutput(), 50.0f);
    EXPECT_FLOAT_EQ(dead->GetPowerOutput(), 0.0f);
    power.Process(0.0f, SIM_Game::Instance().GetFactory());
    EXPECT_FLOAT_EQ(power.GetProduction(), 50.0f);

    Floor::Bulldoze(plant);
    power.Process(0.0f, SIM_Game::Instance().GetFactory());
    EXPECT_FLOAT_EQ(power.GetProduction(), 0.0f);
}

TEST(Power, ShortfallIsChargedEverySecondAndPaidEveryEleventh)
{
    Floor floor;
    SIM_PowerManager& power = SIM_PowerManager::Instance();
    power.Process(0.0f, SIM_Game::Instance().GetFactory());
    const float perSecond = power.GetBaseCost() * power.GetDemand();
    ASSERT_GT(perSecond, 0.0f);
    const float startCash = SIM_FinanceManager::Instance().GetCash();

    struct Step
    {
        float frameMs;
        int shortfallSeconds; // after the frame
        float paid;           // power paid so far
    };
    // 1000 ms exactly is not yet a second; a frame of more than 2000 ms charges two.
    const Step steps[] = {
        {1000.0f, 0, 0.0f},           {1.0f, 1, 0.0f},
        {2100.0f, 3, 0.0f},           {7000.0f, 10, 0.0f},
        {1000.0f, 0, 11 * perSecond}, {10000.0f, 10, 11 * perSecond},
        {1000.0f, 0, 22 * perSecond},
    };
    for (const Step& step : steps)
    {
        power.Process(step.frameMs, SIM_Game::Instance().GetFactory());
        EXPECT_EQ(power.GetShortfallSeconds(), step.shortfallSeconds) << step.frameMs;
        EXPECT_NEAR(PowerBooked(), step.paid, 0.01f) << step.frameMs;
        EXPECT_NEAR(SIM_FinanceManager::Instance().GetCash(), startCash - step.paid, 0.05f) << step.frameMs;
    }
}

TEST(Power, SurplusSecondsKeepTheShortfallCount)
{
    Floor floor;
    SIM_PowerManager& power = SIM_PowerManager::Instance();
    power.Process(3500.0f, SIM_Game::Instance().GetFactory());
    EXPECT_EQ(power.GetShortfallSeconds(), 3);
    const float price = power.GetAccumulatedPrice();
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(floor.PlaceFacility<SIM_PowerplantSlot>("fac_power_plant", 2 + i, 5), nullptr);
    power.Process(5000.0f, SIM_Game::Instance().GetFactory());
    EXPECT_EQ(power.GetShortfallSeconds(), 3);
    EXPECT_FLOAT_EQ(power.GetAccumulatedPrice(), price);
}

TEST(Staff, WagesArePaidHourlyPerStaffPropAndStopAfterRemoval)
{
    Floor floor;
    SIM_ProductionSlot* staffed = floor.Place("task_staffed", 3, 3); // two employees and a scientist
    ASSERT_NE(staffed, nullptr);
    ASSERT_EQ(staffed->GetEmployees().size(), 3u);
    for (const auto& employee : staffed->GetEmployees())
    {
        ASSERT_NE(employee->GetFinanceObject(), nullptr);
        EXPECT_FLOAT_EQ(employee->GetFinanceObject()->cost, 10.0f);
        EXPECT_EQ(employee->GetFinanceObject()->category, FC_WAGES);
    }

    SIM_FinanceManager& finance = SIM_FinanceManager::Instance();
    const float before = finance.GetCash();
    finance.ProcessHour();
    EXPECT_FLOAT_EQ(finance.GetCash(), before - 30.0f);
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(-1, FC_WAGES), 30.0f);

    Floor::Bulldoze(staffed);
    EXPECT_TRUE(SIM_EmployeeManager::Instance().GetEmployees().empty());
    finance.ProcessHour();
    EXPECT_FLOAT_EQ(finance.GetCash(), before - 30.0f);
}

TEST(Staff, FacilitiesHireTheirStaffToo)
{
    Floor floor;
    SIM_FacilitySlot* office = floor.PlaceFacility("fac_research_office", 4, 4);
    ASSERT_NE(office, nullptr);
    EXPECT_EQ(office->GetEmployees().size(), 1u);
    EXPECT_EQ(SlotQueries::Instance().CountResearchOffices(), 1);
    EXPECT_FLOAT_EQ(SlotQueries::Instance().GetResearchPointsEarned(), 2.5f);
    EXPECT_TRUE(SlotQueries::Instance().GetProductionSlots().empty());
    Floor::Bulldoze(office);
    EXPECT_EQ(SlotQueries::Instance().CountResearchOffices(), 0);
    EXPECT_FLOAT_EQ(SlotQueries::Instance().GetResearchPointsEarned(), 0.0f);
}

TEST(SlotQueriesList, ConveyorsAndFacilitiesAreNeverProductionSlots)
{
    Floor floor;
    SIM_ProductionSlot* belt = floor.Place("task_conveyor", 3, 3);
    SIM_ProductionSlot* engine = floor.Place("task_fit_engine", 4, 3);
    SIM_FacilitySlot* plant = floor.PlaceFacility<SIM_PowerplantSlot>("fac_power_plant", 6, 6);
    ASSERT_TRUE(belt && engine && plant);
    const auto& all = SlotQueries::Instance().GetAllSlots();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], belt);
    EXPECT_EQ(all[2], plant);
    ASSERT_EQ(SlotQueries::Instance().GetProductionSlots().size(), 1u);
    EXPECT_EQ(SlotQueries::Instance().GetProductionSlots()[0], engine);
}
