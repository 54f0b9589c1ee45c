// bench-links: fv_sim
// One simulation step of a large factory: 60 car lines with 360 production slots, 720 belts and
// a few hundred cars on the floor, stepped on a hand-driven clock.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "../tests/sim/SlotsTestFloor.h"
#include "BenchSmoke.h"
#include "sim/SIM_ThreadManager.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleDesign.h"

namespace
{
// A line along x, 18 tiles long: six stations with runs of belts between them.
void BuildLine(slotstest::Floor& floor, int x0, int y)
{
    static const char* const kLine[] = {"task_fit chassis",  "task_fit_engine", "task_conveyor", "task_conveyor",
                                        "task_conveyor",     "task_conveyor",   "task_staffed",  "task_conveyor",
                                        "task_conveyor",     "task_conveyor",   "task_conveyor", "task_paint_undercoat",
                                        "task_paint_finish", "task_conveyor",   "task_conveyor", "task_conveyor",
                                        "task_conveyor",     "task_export"};
    for (int i = 0; i < 18; ++i)
        floor.Place(kLine[i], x0 + i, y);
}

// Steps the floor once per benchmark iteration and reports the median step time.
void TimeSteps(benchmark::State& state, slotstest::Floor& floor)
{
    std::vector<double> stepMicros;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        floor.Step(1);
        const auto end = std::chrono::steady_clock::now();
        stepMicros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(stepMicros.begin(), stepMicros.end());
    state.counters["median_step_us"] = stepMicros.empty() ? 0.0 : stepMicros[stepMicros.size() / 2];
}
} // namespace

static void BM_SimulationStepLargeFactory(benchmark::State& state)
{
    // The vehicles and power jobs run on the worker threads, as in the game.
    SIM_ThreadManager::Instance().Init();
    slotstest::Floor floor("missions/m_bench.txt", 1.0e9f);
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 6; ++column)
            BuildLine(floor, 1 + column * 20, 1 + row * 2);
    SIM_Game::Instance().SetSpeed(4.0f);

    // Fill the lines until a few hundred cars are on the floor.
    floor.StepUntil([] { return SIM_VehicleManager::Instance().GetVehicles().size() >= 500; }, 20000);
    for (SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
        design->m_price = 100.0f;

    TimeSteps(state, floor);
    state.counters["production_slots"] = static_cast<double>(SlotQueries::Instance().GetProductionSlots().size());
    state.counters["cars"] = static_cast<double>(SIM_VehicleManager::Instance().GetVehicles().size());
    int moving = 0;
    for (const SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
        moving += car->GetState() != SIM_Vehicle::STANDING ? 1 : 0;
    state.counters["cars_moving_or_waiting_on_belts"] = moving;
}
BENCHMARK(BM_SimulationStepLargeFactory)->Iterations(BenchIterations(2000))->Unit(benchmark::kMicrosecond);

// The worst the next-slot search gets: 300 finished cars at the heads of 64-belt runs that lead
// nowhere, each searching the whole run again every frame.
static void BM_SimulationStepBlockedBelts(benchmark::State& state)
{
    SIM_ThreadManager::Instance().Init();
    slotstest::Floor floor("missions/m_belts.txt", 1.0e9f);
    for (int y = 1; y <= 300; ++y)
    {
        for (int x = 1; x <= 64; ++x)
            floor.Place("task_conveyor", x, y);
        SIM_ProductionSlot* head = static_cast<SIM_ProductionSlot*>(floor.Tile(1, y)->m_occupant);
        SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
        car->AddAppliedTask("task_fit chassis");
        car->SetSlot(head);
        car->SetPosition(head->GetTile()->m_worldX, head->GetTile()->m_worldY);
        car->SetState(SIM_Vehicle::MOVING);
        car->StartLeg(head->GetTile()->m_worldX, head->GetTile()->m_worldY);
        head->SetVehicle(car);
    }
    floor.Step(5);

    TimeSteps(state, floor);
    state.counters["belts"] = static_cast<double>(SlotQueries::Instance().GetAllSlots().size());
    state.counters["waiting_cars"] = static_cast<double>(SIM_VehicleManager::Instance().GetVehicles().size());
}
BENCHMARK(BM_SimulationStepBlockedBelts)->Iterations(BenchIterations(500))->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
