// Choosing the next slot for a finished car: candidates, scores, ties, notices and search limits.
#include <gtest/gtest.h>

#include <thread>

#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/views/SIM_CarNotice.h"
#include "tests/sim/SlotsTestFloor.h"

using slotstest::Floor;

namespace
{
// A car standing in the slot with the given stations already done.
SIM_Vehicle* PutCar(SIM_ProductionSlot* slot, std::initializer_list<const char*> applied)
{
    SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
    car->SetSlot(slot);
    car->SetPosition(slot->GetTile()->m_worldX, slot->GetTile()->m_worldY);
    for (const char* name : applied)
        car->AddAppliedTask(name);
    slot->SetVehicle(car);
    return car;
}
} // namespace

TEST(VehicleRouting, NoticeTellsWhyNoNextSlotWasFound)
{
    struct Case
    {
        const char* name;
        const char* from;      // task of the slot holding the car (at 3,3 facing 1)
        const char* neighbour; // task placed at (4,3), or null
        int neighbourFacing;
        bool neighbourHasCar;
        std::initializer_list<const char*> applied;
        bool found;
        int notice;
        const char* detail;
    };
    const Case cases[] = {
        {"no exits at all",
         "task_dead_end",
         nullptr,
         1,
         false,
         {"task_fit chassis"},
         false,
         SIM_CarNotice::NEXT_SLOT_NOT_CONNECTED,
         ""},
        {"nothing on the exit tile",
         "task_fit_engine",
         nullptr,
         1,
         false,
         {"task_fit chassis"},
         false,
         SIM_CarNotice::NEXT_SLOT_NOT_CONNECTED,
         ""},
        {"neighbour does not take cars from this side",
         "task_fit_engine",
         "task_paint_undercoat",
         3,
         false,
         {"task_fit chassis"},
         false,
         SIM_CarNotice::NEXT_SLOT_NOT_FOUND,
         ""},
        {"requirement not met",
         "task_paint_undercoat",
         "task_paint_finish",
         1,
         false,
         {"task_fit chassis"},
         false,
         SIM_CarNotice::NEXT_SLOT_REQS_NOT_MET,
         "TASK_UNDERCOAT"},
        {"neighbour busy: the car just waits",
         "task_fit_engine",
         "task_paint_undercoat",
         1,
         true,
         {"task_fit chassis"},
         false,
         SIM_CarNotice::NONE,
         ""},
        {"neighbour has nothing left to do",
         "task_fit_engine",
         "task_paint_undercoat",
         1,
         false,
         {"task_fit chassis", "task_paint_undercoat"},
         false,
         SIM_CarNotice::NONE,
         ""},
        {"station with work",
         "task_fit_engine",
         "task_paint_undercoat",
         1,
         false,
         {"task_fit chassis"},
         true,
         SIM_CarNotice::NONE,
         ""},
    };
    for (const Case& c : cases)
    {
        Floor floor;
        SIM_ProductionSlot* from = floor.Place(c.from, 3, 3);
        ASSERT_NE(from, nullptr) << c.name;
        SIM_ProductionSlot* next = c.neighbour ? floor.Place(c.neighbour, 4, 3, c.neighbourFacing) : nullptr;
        if (c.neighbourHasCar)
            PutCar(next, {});
        SIM_Vehicle* car = PutCar(from, c.applied);

        EXPECT_EQ(from->FindNextSlot(), c.found) << c.name;
        EXPECT_EQ(from->GetNextSlot(), c.found ? next : nullptr) << c.name;
        EXPECT_EQ(car->GetNoticeKind(), c.notice) << c.name;
        if (c.notice == SIM_CarNotice::NEXT_SLOT_REQS_NOT_MET)
        {
            EXPECT_EQ(car->GetNoticeDetail(), c.detail) << c.name;
        }
    }
}

TEST(VehicleRouting, EqualScoresGoToTheFirstExitAndLowerScoresWin)
{
    // A split conveyor at (3,3) facing 1 leaves towards (3,4) first and (3,2) second.
    {
        Floor floor;
        SIM_ProductionSlot* split = floor.Place("task_conveyor_split", 3, 3);
        SIM_ProductionSlot* first = floor.Place("task_paint_undercoat", 3, 4, 2);
        SIM_ProductionSlot* second = floor.Place("task_paint_undercoat", 3, 2, 0);
        ASSERT_TRUE(split && first && second);
        PutCar(split, {"task_fit chassis"});
        ASSERT_TRUE(split->FindNextSlot());
        EXPECT_EQ(split->GetNextSlot(), first);
    }
    // Beyond the first exit's conveyor stands a busy station, beyond the second's a free one.
    {
        Floor floor;
        SIM_ProductionSlot* split = floor.Place("task_conveyor_split", 3, 3);
        SIM_ProductionSlot* firstBelt = floor.Place("task_conveyor", 3, 4, 2);
        SIM_ProductionSlot* busy = floor.Place("task_paint_undercoat", 3, 5, 2);
        SIM_ProductionSlot* secondBelt = floor.Place("task_conveyor", 3, 2, 0);
        SIM_ProductionSlot* free = floor.Place("task_paint_undercoat", 3, 1, 0);
        ASSERT_TRUE(split && firstBelt && busy && secondBelt && free);
        PutCar(busy, {"task_fit chassis"});
        PutCar(split, {"task_fit chassis"});
        EXPECT_EQ(split->ScoreExitPath(floor.Tile(3, 4), 1000), 500);
        // Each search starts from nothing seen: asking again, on this thread or another, gives
        // the same answer.
        EXPECT_EQ(split->ScoreExitPath(floor.Tile(3, 4), 1000), 500);
        int otherThread = 0;
        std::thread([&] { otherThread = split->ScoreExitPath(floor.Tile(3, 4), 1000); }).join();
        EXPECT_EQ(otherThread, 500);
        EXPECT_EQ(split->ScoreExitPath(floor.Tile(3, 2), 1000), 0);
        ASSERT_TRUE(split->FindNextSlot());
        EXPECT_EQ(split->GetNextSlot(), secondBelt);
    }
}

TEST(VehicleRouting, ExportSlotAlwaysReportsSuccessAndScoresZeroAtTheEdge)
{
    Floor floor;
    SIM_ProductionSlot* belt = floor.Place("task_conveyor", 9, 3);
    SIM_ProductionSlot* exporter = floor.Place("task_export", 10, 3);
    ASSERT_TRUE(belt && exporter);
    // The export's exit (11,3) lies outside every building zone.
    EXPECT_EQ(belt->ScoreExitPath(floor.Tile(10, 3), 1000), 0);
    PutCar(exporter, {});
    EXPECT_TRUE(exporter->FindNextSlot());
}

TEST(VehicleRouting, ConveyorLoopEndsTheSearch)
{
    Floor floor;
    SIM_ProductionSlot* station = floor.Place("task_fit_engine", 2, 2);
    // A ring of belts: (3,2) -> (4,2) -> (4,3) -> (3,3) -> back to (3,2).
    ASSERT_NE(floor.Place("task_conveyor_merge", 3, 2, 1), nullptr);
    ASSERT_NE(floor.Place("task_conveyor_right", 4, 2, 1), nullptr);
    ASSERT_NE(floor.Place("task_conveyor_right", 4, 3, 2), nullptr);
    ASSERT_NE(floor.Place("task_conveyor_right", 3, 3, 3), nullptr);
    SIM_Vehicle* car = PutCar(station, {"task_fit chassis", "task_fit_engine"});
    SIM_ProductionSlot::NextSlotSearch search;
    EXPECT_FALSE(station->FindNextSlot(search));
    EXPECT_EQ(car->GetNoticeKind(), SIM_CarNotice::NEXT_SLOT_NOT_FOUND);
    EXPECT_LE(search.Count(), SIM_ProductionSlot::kVisitedStackSize);
}

TEST(VehicleRouting, SearchesStopAfterSixtyFourSlots)
{
    struct Case
    {
        int belts;
        bool found;
    };
    // A belt leading nowhere finds nothing; a belt longer than the search can see is taken on trust.
    for (const Case c : {Case{10, false}, Case{62, false}, Case{70, true}})
    {
        Floor floor("missions/m_long.txt");
        SIM_ProductionSlot* station = floor.Place("task_fit_engine", 0, 1);
        ASSERT_NE(station, nullptr);
        for (int x = 1; x <= c.belts; ++x)
            ASSERT_NE(floor.Place("task_conveyor", x, 1), nullptr) << x;
        PutCar(station, {"task_fit chassis", "task_fit_engine"});
        SIM_ProductionSlot::NextSlotSearch search;
        EXPECT_EQ(station->FindNextSlot(search), c.found) << c.belts;
        EXPECT_LE(search.Count(), SIM_ProductionSlot::kVisitedStackSize) << c.belts;
    }
}

TEST(VehicleRouting, CarRidesTheConveyorAtConveyorSpeed)
{
    Floor floor;
    SIM_ProductionSlot* belt = floor.Place("task_conveyor", 3, 3);
    SIM_ProductionSlot* next = floor.Place("task_conveyor", 4, 3);
    ASSERT_TRUE(belt && next);
    SIM_Vehicle* car = PutCar(belt, {"task_fit chassis"});
    belt->SetVehicle(nullptr);
    car->SetSlot(next);
    next->SetVehicle(car);
    car->SetState(SIM_Vehicle::MOVING);
    car->StartLeg(next->GetTile()->m_worldX, next->GetTile()->m_worldY);

    SIM_VehicleManager& cars = SIM_VehicleManager::Instance();
    cars.ProcessFrame(250.0f, 2.0f, SIM_Game::Instance().GetFactory());
    EXPECT_NEAR(car->GetX(), belt->GetTile()->m_worldX + 0.5f * (next->GetTile()->m_worldX - belt->GetTile()->m_worldX),
                0.01f);
    EXPECT_TRUE(car->IsMoving());
    // 500 ms at double speed ends the leg: the car arrives and, with nowhere to go, keeps asking.
    cars.ProcessFrame(250.0f, 2.0f, SIM_Game::Instance().GetFactory());
    EXPECT_FLOAT_EQ(car->GetX(), next->GetTile()->m_worldX);
    EXPECT_EQ(car->GetState(), SIM_Vehicle::MOVING);
    EXPECT_EQ(next->GetState(), WAITING_FOR_EXPORT);
    EXPECT_FALSE(car->IsMoving());
}

TEST(VehicleRouting, ConveyorSpeedOfZeroEndsTheLegAtOnce)
{
    Floor floor;
    SIM_ProductionSlot* belt = floor.Place("task_conveyor", 4, 3);
    ASSERT_NE(belt, nullptr);
    SIM_Vehicle* car = PutCar(belt, {"task_fit chassis"});
    car->SetPosition(floor.Tile(3, 3)->m_worldX, floor.Tile(3, 3)->m_worldY);
    car->SetState(SIM_Vehicle::MOVING);
    car->StartLeg(belt->GetTile()->m_worldX, belt->GetTile()->m_worldY);
    SIM_VehicleManager::Instance().ProcessFrame(16.0f, 0.0f, SIM_Game::Instance().GetFactory());
    EXPECT_FLOAT_EQ(car->GetX(), belt->GetTile()->m_worldX);
    EXPECT_EQ(belt->GetState(), WAITING_FOR_EXPORT);
}

TEST(VehicleRouting, CarArrivingWhereNoSlotStandsIsLeftStanding)
{
    Floor floor;
    SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
    car->SetPosition(0.0f, 0.0f);
    car->SetState(SIM_Vehicle::MOVING);
    car->StartLeg(floor.Tile(5, 5)->m_worldX, floor.Tile(5, 5)->m_worldY);
    SIM_VehicleManager::Instance().ProcessFrame(2000.0f, 1.0f, SIM_Game::Instance().GetFactory());
    EXPECT_EQ(car->GetState(), SIM_Vehicle::STANDING);
    EXPECT_FLOAT_EQ(car->GetX(), floor.Tile(5, 5)->m_worldX);
}

TEST(VehicleRouting, LeavingCarIsDeletedAfterOneSecond)
{
    Floor floor;
    SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
    car->SetState(SIM_Vehicle::LEAVING);
    car->StartLeg(512.0f, 0.0f);
    SIM_VehicleManager& cars = SIM_VehicleManager::Instance();
    cars.ProcessFrame(999.0f, 4.0f, SIM_Game::Instance().GetFactory());
    ASSERT_EQ(cars.GetVehicles().size(), 1u);
    cars.ProcessFrame(1.0f, 4.0f, SIM_Game::Instance().GetFactory());
    EXPECT_TRUE(cars.GetVehicles().empty());
}
