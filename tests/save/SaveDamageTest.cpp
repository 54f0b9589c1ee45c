// No savegame, however damaged, crashes the game: a file cut short is refused before anything
// changes; a file cut short and closed again, or with bytes changed anywhere, loads what it can
// or reports failure, and the game that results runs on with every link intact.
#include <gtest/gtest.h>

#include <random>

#include "SaveTestSupport.h"
#include "SimStateDump.h"

#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_SupplyStockpile.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleManager.h"
#include "sim/world/SIM_Tile.h"

using namespace savetest;

class SaveDamage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(world.StartGame());
        ASSERT_TRUE(world.BuildAssemblyLine());
        auto* supply = dynamic_cast<SIM_SupplyStockpile*>(world.PlaceFacility("fac_supply_stockpile", 12, 16));
        ASSERT_NE(supply, nullptr);
        supply->AddStockItem(SIM_ResourceManager::Instance().GetResource("steel_sheet"), 4);
        SIM_Game::Instance().SetSpeed(4.0f);
        world.PlayHours(4);
        reference = SIM_SaveGame::Instance().BuildSaveText();
        ASSERT_TRUE(SIM_LoadGame::Instance().LoadFromText(reference, "reference"));
    }

    // Every link the game follows each frame points where it should.
    static void ExpectConsistent()
    {
        for (const SIM_PlaceableSlot* slot : SlotQueries::Instance().GetAllSlots())
        {
            for (const SIM_Tile* tile : slot->GetTiles())
            {
                ASSERT_EQ(tile->m_occupant, slot);
            }
            const SIM_Vehicle* car =
                slot->IsFacility() ? nullptr : static_cast<const SIM_ProductionSlot*>(slot)->GetVehicle();
            if (car)
            {
                ASSERT_EQ(car->GetSlot(), slot);
            }
        }
        for (const SIM_Vehicle* car : SIM_VehicleManager::Instance().GetVehicles())
        {
            if (car->GetSlot())
            {
                ASSERT_EQ(car->GetSlot()->GetVehicle(), car);
            }
        }
        SIM_ResourceObjManager& pool = SIM_ResourceObjManager::Instance();
        for (int i = 0; i < SIM_ResourceObjManager::kPoolSize; ++i)
        {
            const SIM_ResourceObject& object = pool.Record(i);
            ASSERT_EQ(object.m_id, i);
            if (!object.IsInUse())
                continue;
            ASSERT_LE(i, pool.TopIndex());
            ASSERT_NE(object.m_resource, nullptr);
            ASSERT_GE(object.m_state, SIM_ResourceObject::STATE_WAITING);
            ASSERT_LE(object.m_state, SIM_ResourceObject::STATE_DELIVERED);
        }
    }

    // Loads the text; whatever came of it must be a game that runs.
    void LoadAndRun(const std::string& text)
    {
        SIM_LoadGame::Instance().LoadFromText(text, "damaged");
        EXPECT_FALSE(SIM_LoadGame::Instance().IsLoading());
        ExpectConsistent();
        world.Frames(20);
        ExpectConsistent();
    }

    SaveWorld world;
    std::string reference;
};

TEST_F(SaveDamage, AFileCutShortIsRefusedAndTheRunningGameStaysAsItWas)
{
    world.Frames(5);
    const std::string before = DumpSimulation();
    for (int percent = 0; percent < 100; ++percent)
    {
        SCOPED_TRACE(percent);
        world.WriteSave("cut", reference.substr(0, reference.size() * percent / 100));
        EXPECT_FALSE(SIM_LoadGame::Instance().LoadGame("cut"));
        ASSERT_EQ(FirstDifference(before, DumpSimulation()), "");
    }
    EXPECT_EQ(world.listener.prepareForLoad, 1) << "only the reference load replaced the game";
}

TEST_F(SaveDamage, AFileCutShortAndClosedAgainLoadsWhatItHolds)
{
    for (int percent = 0; percent < 100; ++percent)
    {
        SCOPED_TRACE(percent);
        LoadAndRun(reference.substr(0, reference.size() * percent / 100) + "\n</xml>\n");
    }
}

TEST_F(SaveDamage, ChangedBytesLoadOrFailAndTheGameRunsOn)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<size_t> where(0, reference.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    // Bytes that matter to the markup come up often: digits, separators and tag brackets.
    const char interesting[] = "<>/,-0123456789 \n";
    for (int round = 0; round < 300; ++round)
    {
        SCOPED_TRACE(round);
        std::string text = reference;
        const int changes = 1 + round % 4;
        for (int i = 0; i < changes; ++i)
            text[where(random)] = (round % 2)
                                      ? static_cast<char>(byte(random))
                                      : interesting[static_cast<size_t>(byte(random)) % (sizeof interesting - 1)];
        LoadAndRun(text);
    }
}
