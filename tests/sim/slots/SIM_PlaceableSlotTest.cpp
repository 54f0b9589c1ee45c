// The slot base: upgrade effects, affordability, removal from the floor and the research office.
#include <gtest/gtest.h>

#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/views/SIM_TileView.h"
#include "tests/sim/SlotsTestFloor.h"

#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_PlacementQueries.h"

using slotstest::Floor;

namespace
{
class RecordingTileView : public SIM_TileView
{
public:
    void SetFloorTexture(const char* textureName) override { floor = textureName; }
    void ClearProps() override { ++clears; }
    std::string floor;
    int clears = 0;
};

class SoundListener : public SIM_PresentationListener
{
public:
    void PlayEffectSound(const char* name) override { sounds.push_back(name); }
    void SpawnSlotPlaceParticles(SIM_Tile* tile) override { sparkles.push_back(tile); }
    std::vector<std::string> sounds;
    std::vector<SIM_Tile*> sparkles;
};
} // namespace

TEST(PlaceableSlot, UpgradeEffectsAddToTheirOwnFieldOnly)
{
    struct Case
    {
        int type;
        float value;
        float speed, powerUse, quality, powerProd, addSpeed, addPower;
    };
    const Case cases[] = {
        {SU_SPEED, 0.5f, 1.5f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f},
        {SU_POWERUSE, -0.25f, 1.0f, 0.75f, 1.0f, 1.0f, 0.0f, 0.0f},
        {SU_QUALITY, 0.2f, 1.0f, 1.0f, 1.2f, 1.0f, 0.0f, 0.0f},
        {SU_PROP, 3.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f},
        {SU_POWERPROD, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f, 0.0f, 0.0f},
        {SU_ABS_SPEED, 2500.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2500.0f, 0.0f},
        {SU_ABS_POWER, 7.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 7.0f},
        {SU_NONE, 9.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f},
    };
    Floor floor;
    SIM_ProductionSlot* slot = floor.Place("task_fit_engine", 3, 3);
    ASSERT_NE(slot, nullptr);
    for (const Case& c : cases)
    {
        SIM_SlotUpgrade upgrade;
        upgrade.m_effects.push_back({c.type, c.value});
        slot->GetUpgrades() = {&upgrade};
        slot->RecalculateUpgradeEffects();
        EXPECT_FLOAT_EQ(slot->GetSpeedMultiplier(), c.speed) << c.type;
        EXPECT_FLOAT_EQ(slot->GetPowerUseMultiplier(), c.powerUse) << c.type;
        EXPECT_FLOAT_EQ(slot->GetQualityMultiplier(), c.quality) << c.type;
        EXPECT_FLOAT_EQ(slot->GetPowerProductionMultiplier(), c.powerProd) << c.type;
        EXPECT_FLOAT_EQ(slot->GetAdditiveSpeed(), c.addSpeed) << c.type;
        EXPECT_FLOAT_EQ(slot->GetAdditivePower(), c.addPower) << c.type;
    }
    // Recomputing starts again from 1 and 0.
    slot->GetUpgrades().clear();
    slot->RecalculateUpgradeEffects();
    EXPECT_FLOAT_EQ(slot->GetSpeedMultiplier(), 1.0f);
    EXPECT_FLOAT_EQ(slot->GetAdditivePower(), 0.0f);
}

TEST(PlaceableSlot, CashEqualToTheCostAffordsIt)
{
    struct Case
    {
        float cash;
        bool affordable;
    };
    for (const Case c : {Case{100.0f, true}, Case{99.5f, false}, Case{1000.0f, true}})
    {
        Floor floor("missions/m_slots.txt", c.cash);
        SIM_ProductionSlot* slot = floor.Place("task_fit_engine", 3, 3, 1, true); // costs 100, unpaid
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->CanAfford(), c.affordable) << c.cash;
        // The placer's click asks the same before it places another one on free floor.
        EXPECT_EQ(SIM_PlacementQueries::CanPlaceSlotNow(*slot->GetProductionTask(), floor.Tile(5, 5), 1), c.affordable)
            << c.cash;
    }
}

TEST(PlaceableSlot, RemovalReturnsEveryTileToTheZoneFloorAndPlaysTheSoundUnlessSilent)
{
    for (bool silent : {true, false})
    {
        Floor floor;
        SoundListener listener;
        SIM_Presentation::Instance().SetListener(&listener);
        RecordingTileView anchorView;
        RecordingTileView exportView;
        floor.Tile(3, 3)->m_view = &anchorView;
        floor.Tile(3, 2)->m_view = &exportView;

        SIM_ProductionSlot* bolts = floor.Place("comp_bolts", 3, 3, 1, true); // no placement sound or sparkle
        ASSERT_NE(bolts, nullptr);
        EXPECT_EQ(floor.Tile(3, 2)->m_occupant, bolts);
        SIM_Placement::RemoveSlot(bolts, silent, false);

        for (const RecordingTileView* view : {&anchorView, &exportView})
        {
            EXPECT_EQ(view->floor, "floor_plain_01.dds") << silent;
            EXPECT_GE(view->clears, 1) << silent;
        }
        for (SIM_Tile* tile : {floor.Tile(3, 3), floor.Tile(3, 2)})
        {
            EXPECT_EQ(tile->m_occupant, nullptr) << silent;
            EXPECT_FALSE(tile->m_builtOn) << silent;
        }
        EXPECT_EQ(listener.sparkles.size(), 2u) << silent;
        EXPECT_EQ(listener.sounds.size(), silent ? 0u : 1u);
        floor.Tile(3, 3)->m_view = nullptr;
        floor.Tile(3, 2)->m_view = nullptr;
        SIM_Presentation::Instance().SetListener(nullptr);
        floor.Step(12);
    }
}

TEST(PlaceableSlot, ResearchOfficeEarnsPointsOnlyForASelectedResearch)
{
    Floor floor;
    SIM_FacilitySlot* office = floor.PlaceFacility("fac_research_office", 4, 4);
    ASSERT_NE(office, nullptr);
    SIM_ResearchManager& research = SIM_ResearchManager::Instance();
    SIM_Researchable* saved = research.GetCurrentResearch();
    research.SetCurrentResearch(nullptr);

    floor.Step(70, 16); // more than one 1000 ms cycle of real time
    EXPECT_FALSE(office->IsBusy());

    SIM_Researchable item;
    item.m_name = "test_item";
    item.m_cost = 1000.0f;
    research.SetCurrentResearch(&item);
    floor.Step(70, 16);
    EXPECT_GT(item.m_progress, 0.0f);
    EXPECT_TRUE(office->IsBusy());
    research.SetCurrentResearch(saved);
}
