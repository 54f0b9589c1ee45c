// Thousands of random edits and frames on one floor (conveyors, bays, stations, supply
// stockpiles, requests, deliveries); after every step each object is accounted for once, no
// request names a free or foreign object, no stockpile is over-full, moving objects follow live
// routes to their own destination, and the runs of joined conveyors, kept up to date piece by
// piece, are those a fresh count of the floor finds.
#include "tests/sim/FlowTestSupport.h"

#include "engine/core/GRandom.h"

#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/flow/SIM_ComponentStockpileManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/flow/SupplyStockpileRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace flow_property_test
{
using flowtest::CheckFlowInvariants;
using flowtest::FlowWorld;

class RandomFloor
{
public:
    static constexpr int kSize = 14;

    explicit RandomFloor(uint32_t seed) : world(kSize, kSize), random(seed)
    {
        // The game's own random draws (prices, stockpile phases and places) start the same way
        // each run: seeded from the test's still clock, whatever an earlier test drew.
        GRandom::Init();
        // A backbone so that routes exist from the start.
        world.LayRow(6, 0, kSize - 1);
        world.LayColumn(6, 0, kSize - 1);
        bays.push_back(world.PlaceBay(0, 6));
        FlowWorld::FloorChanged();
    }

    int Pick(int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }

    void Step(std::string& done)
    {
        switch (Pick(12))
        {
        case 0:
        case 1:
        {
            const int x = Pick(kSize), y = Pick(kSize);
            world.Lay(x, y);
            FlowWorld::FloorChanged();
            done = "lay conveyor";
            break;
        }
        case 2:
        {
            const int x = Pick(kSize), y = Pick(kSize);
            SIM_Tile* tile = world.Tile(x, y);
            bool bayTile = false;
            for (SIM_ResourceImportBay* bay : bays)
                bayTile = bayTile || bay->GetTile() == tile;
            if (!bayTile)
                world.Lift(x, y);
            FlowWorld::FloorChanged();
            done = "lift conveyor";
            break;
        }
        case 3:
        {
            const int edge = Pick(kSize);
            SIM_Tile* tile = Pick(2) ? world.Tile(0, edge) : world.Tile(edge, 0);
            if (!tile->m_occupant && !tile->m_conveyor && bays.size() < 4)
            {
                bays.push_back(world.PlaceBay(tile->m_gridX, tile->m_gridY));
                FlowWorld::FloorChanged();
            }
            done = "place bay";
            break;
        }
        case 4:
            if (bays.size() > 1)
            {
                const size_t i = static_cast<size_t>(Pick(static_cast<int>(bays.size())));
                SIM_Tile* tile = bays[i]->GetTile();
                bays.erase(bays.begin() + static_cast<std::ptrdiff_t>(i));
                world.Lift(tile->m_gridX, tile->m_gridY); // the bay goes with its conveyor
                FlowWorld::FloorChanged();
            }
            done = "remove bay";
            break;
        case 5:
        {
            SIM_ProductionTask* tasks[3] = {&world.defs.consumer, &world.defs.maker, &world.defs.seatUser};
            const int x = 1 + Pick(kSize - 2), y = 1 + Pick(kSize - 2);
            SIM_Tile* tile = world.Tile(x, y);
            if (tile->m_occupant)
                break;
            world.PlaceSlot(*tasks[Pick(3)], x, y);
            if (Pick(3) != 0)
                world.Lay(x, y);
            FlowWorld::FloorChanged();
            done = "place station";
            break;
        }
        case 6:
        {
            const int x = 1 + Pick(kSize - 2), y = 1 + Pick(kSize - 3);
            if (world.Tile(x, y)->m_occupant || world.Tile(x, y + 1)->m_occupant ||
                SupplyStockpileRegistry::Instance().Stockpiles().size() >= 2)
                break;
            if (SIM_SupplyStockpile* supply = world.PlaceSupply(x, y))
            {
                supply->AddStockItem(&world.defs.steel, 1 + Pick(20));
                supply->AddStockItem(&world.defs.seat, Pick(4));
                supply->AddStockItem(&world.defs.paint, Pick(10));
                world.Lay(x, y);
                FlowWorld::FloorChanged();
            }
            done = "place supply stockpile";
            break;
        }
        case 7:
        {
            const auto& slots = SlotQueries::Instance().GetAllSlots();
            if (!slots.empty() && Pick(3) == 0)
                FlowWorld::Bulldoze(slots[static_cast<size_t>(Pick(static_cast<int>(slots.size())))]);
            done = "remove slot";
            break;
        }
        case 8:
        {
            // A stockpile asks at once, whatever its phase.
            for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
            {
                if (slot->IsFacility())
                    static_cast<SIM_SupplyStockpile*>(slot)->UpdateStockpile();
                else if (SIM_ResourceStockpile* input = static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile())
                    input->Update();
            }
            done = "request";
            break;
        }
        default:
        {
            const int frames = 1 + Pick(40);
            for (int i = 0; i < frames; ++i)
                FlowWorld::Frame(16 + static_cast<uint64_t>(Pick(40)));
            done = "frames";
            break;
        }
        }
    }

    // Empty when every two open conveyor tiles share a run exactly when a flood over the floor
    // joins them; else the first tile where that fails.
    std::string RunsProblem()
    {
        SIM_ResourceConveyorManager& conveyors = SIM_ResourceConveyorManager::Instance();
        std::vector<int> component(kSize * kSize, -1);
        std::vector<int32_t> runOfComponent;
        auto open = [this](int x, int y) {
            const SIM_Tile* tile = world.Tile(x, y);
            return tile && tile->m_conveyor && tile->m_zoneState == SIM_Tile::ZONE_OPEN;
        };
        for (int x = 0; x < kSize; ++x)
            for (int y = 0; y < kSize; ++y)
            {
                if (!open(x, y))
                {
                    if (conveyors.RunOf(world.Tile(x, y)) != -1)
                        return "a run at " + std::to_string(x) + "," + std::to_string(y) + " without a conveyor";
                    continue;
                }
                if (component[x * kSize + y] < 0)
                {
                    const int id = static_cast<int>(runOfComponent.size());
                    const int32_t run = conveyors.RunOf(world.Tile(x, y));
                    if (std::find(runOfComponent.begin(), runOfComponent.end(), run) != runOfComponent.end())
                        return "two runs numbered alike at " + std::to_string(x) + "," + std::to_string(y);
                    runOfComponent.push_back(run);
                    std::vector<std::pair<int, int>> stack{{x, y}};
                    component[x * kSize + y] = id;
                    while (!stack.empty())
                    {
                        const auto [cx, cy] = stack.back();
                        stack.pop_back();
                        const int around[4][2] = {{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}};
                        for (const auto& [nx, ny] : around)
                            if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && open(nx, ny) &&
                                component[nx * kSize + ny] < 0)
                            {
                                component[nx * kSize + ny] = id;
                                stack.emplace_back(nx, ny);
                            }
                    }
                }
                if (conveyors.RunOf(world.Tile(x, y)) != runOfComponent[static_cast<size_t>(component[x * kSize + y])])
                    return "a run split or joined wrongly at " + std::to_string(x) + "," + std::to_string(y);
            }
        return "";
    }

    FlowWorld world;
    std::mt19937 random;
    std::vector<SIM_ResourceImportBay*> bays;
};

TEST(FlowProperty, RandomEditsKeepEveryObjectAccountedFor)
{
    for (uint32_t seed : {1u, 7u, 42u})
    {
        RandomFloor floor(seed);
        int delivered = 0;
        int supplied = 0;
        int produced = 0;
        for (int step = 0; step < 1500; ++step)
        {
            std::string done;
            floor.Step(done);
            const std::string problems = CheckFlowInvariants();
            ASSERT_EQ(problems, "") << "seed " << seed << " step " << step << " after " << done;
            ASSERT_EQ(floor.RunsProblem(), "") << "seed " << seed << " step " << step << " after " << done;
            for (SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
                if (!slot->IsFacility())
                    if (SIM_ResourceStockpile* input = static_cast<SIM_ProductionSlot*>(slot)->GetInputStockpile())
                        delivered = std::max(delivered, static_cast<int>(input->Stored().size()));
            for (SIM_SupplyStockpile* supply : SupplyStockpileRegistry::Instance().Stockpiles())
                supplied = std::max(supplied, static_cast<int>(supply->Stored().size()));
            for (SIM_ComponentStockpile* output : SIM_ComponentStockpileManager::Instance().Stockpiles())
                produced = std::max(produced, static_cast<int>(output->Held().size()));
        }
        // The floor did something: stations, supply stockpiles and component makers filled up.
        EXPECT_GT(delivered, 0) << "seed " << seed;
        EXPECT_GT(supplied, 0) << "seed " << seed;
        EXPECT_GT(produced, 0) << "seed " << seed;
    }
}
} // namespace flow_property_test
