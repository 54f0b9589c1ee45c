// Buying an upgrade for a placed slot: it is installed, paid and booked, its props go onto the
// right tiles for the slot's facing, and the slot's multipliers follow.
#include "tests/sim/DefsTestData.h"
#include "tests/sim/SimTestSupport.h"

#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/money/SIM_FinanceRecord.h"
#include "sim/slots/SIM_FacilitySlot.h"
#include "sim/slots/SIM_Placement.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_Tile.h"
#include "tests/support/FreshState.h"

#include <algorithm>

class SlotUpgradePurchaseListener : public SIM_PresentationListener
{
public:
    std::vector<SIM_Tile*> propTiles;
    std::vector<int> propFacings;
    int rebuilds = 0;
    int gameOvers = 0;
    void AddUpgradeProp(SIM_Tile* tile, const SlotUpgradeProp&, int slotFacing) override
    {
        propTiles.push_back(tile);
        propFacings.push_back(slotFacing);
    }
    void RebuildSlotAnimatedProps(SIM_PlaceableSlot*) override { ++rebuilds; }
    void OnSlotUpgradePurchased(SIM_PlaceableSlot*) override { ++tooltipRefreshes; }
    int tooltipRefreshes = 0;
    void ShowGameOver() override { ++gameOvers; }
};

class SlotUpgradePurchaseTest : public DefsTestData
{
protected:
    void SetUp() override
    {
        DefsTestData::SetUp();
        SIM_Presentation::Instance().SetListener(&listener);
        ASSERT_TRUE(mission.Load(simtest::DataPath("missions/m_first.txt")));
        ASSERT_TRUE(SIM_Game::Instance().InitSimulation(&mission));
        LoadAll(); // this test's definitions instead of the game's
    }
    void TearDown() override
    {
        Drop();
        FreshState::EndGame();
        SIM_Presentation::Instance().SetListener(nullptr);
        DefsTestData::TearDown();
    }
    // A power plant on tile (5, 5) with the given facing.
    void Place(int facing)
    {
        SIM_FacilityTask* plant = SIM_FacilityManager::Instance().GetTask("fac_power_plant");
        ASSERT_NE(plant, nullptr);
        slot = static_cast<SIM_FacilitySlot*>(SIM_Placement::PlaceTask(plant, Tile(5, 5), facing, true));
        ASSERT_NE(slot, nullptr);
    }
    // Takes the slot off the floor and deletes it.
    void Drop()
    {
        SIM_Placement::RemoveSlot(slot, true, false);
        slot = nullptr;
    }
    static SIM_Tile* Tile(int x, int y) { return SIM_Game::Instance().GetFactory()->GetTile(x, y); }

    SlotUpgradePurchaseListener listener;
    SIM_Mission mission;
    SIM_FacilitySlot* slot = nullptr;
};

TEST_F(SlotUpgradePurchaseTest, ProductionSlotNeedsWhatTheUpgradeAdds)
{
    SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask("task_stock");
    ASSERT_NE(task, nullptr);
    auto* production = static_cast<SIM_ProductionSlot*>(SIM_Placement::PlaceTask(task, Tile(5, 5), 1, true));
    ASSERT_NE(production, nullptr);
    ASSERT_NE(production->GetInputStockpile(), nullptr);
    SIM_Placement::PurchaseForSlot(*SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_fast"), production);

    std::vector<std::string> needs;
    const SIM_ProductionSlot::RequiredResource* required = production->GetRequiredResources();
    for (int i = 0; i < SIM_ProductionSlot::kRequiredResourceCount; ++i)
        if (required[i].resource)
            needs.push_back(required[i].resource->GetName() + "=" + std::to_string(required[i].count));
    std::sort(needs.begin(), needs.end());
    EXPECT_EQ(needs, (std::vector<std::string>{"paint=1", "seat=1", "steel=2"}));
    EXPECT_EQ(listener.tooltipRefreshes, 1);
    SIM_Placement::RemoveSlot(production, true, false);
}

TEST_F(SlotUpgradePurchaseTest, BuyingInstallsPaysAndChangesTheSlot)
{
    Place(1);
    SIM_SlotUpgrade* fast = SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_fast");
    ASSERT_NE(fast, nullptr);
    const float cash = SIM_FinanceManager::Instance().GetCash();
    SIM_Placement::PurchaseForSlot(*fast, slot);
    ASSERT_EQ(slot->GetUpgrades().size(), 1u);
    EXPECT_EQ(slot->GetUpgrades()[0], fast);
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), cash - 500.0f);
    EXPECT_FLOAT_EQ(SIM_FinanceRecord::Instance().GetTotal(1, FC_CAPITAL_INVESTMENT), 500.0f);
    EXPECT_FLOAT_EQ(slot->GetSpeedMultiplier(), 1.15f);
    EXPECT_FLOAT_EQ(slot->GetPowerUseMultiplier(), 0.9f);
    EXPECT_FLOAT_EQ(slot->GetAdditiveSpeed(), 2500.0f);
    EXPECT_EQ(listener.rebuilds, 1);
    EXPECT_EQ(listener.gameOvers, 0);
}

TEST_F(SlotUpgradePurchaseTest, PropsTurnWithTheSlotFacing)
{
    // The prop stands one tile along x in the facing-1 layout.
    struct Case
    {
        int facing, x, y;
    };
    const Case cases[] = {{1, 6, 5}, {0, 5, 4}, {2, 5, 6}, {3, 4, 5}};
    SIM_SlotUpgrade* fast = SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_fast");
    ASSERT_NE(fast, nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.facing);
        Drop();
        listener.propTiles.clear();
        listener.propFacings.clear();
        Place(c.facing);
        SIM_Placement::PlaceProps(*fast, slot);
        ASSERT_EQ(listener.propTiles.size(), 1u);
        EXPECT_EQ(listener.propTiles[0], Tile(c.x, c.y));
        EXPECT_EQ(listener.propFacings[0], c.facing);
    }
}

TEST_F(SlotUpgradePurchaseTest, PropOffTheFloorIsLeftOut)
{
    SIM_SlotUpgrade* prop = SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_prop");
    ASSERT_NE(prop, nullptr);
    // (-1, 2) from a facing-1 anchor at the floor's corner lies off the floor.
    SIM_FacilityTask* plant = SIM_FacilityManager::Instance().GetTask("fac_power_plant");
    slot = static_cast<SIM_FacilitySlot*>(SIM_Placement::PlaceTask(plant, Tile(0, 0), 1, true));
    ASSERT_NE(slot, nullptr);
    SIM_Placement::PlaceProps(*prop, slot);
    EXPECT_TRUE(listener.propTiles.empty());
    EXPECT_EQ(listener.rebuilds, 1);
    EXPECT_NE(NewErrors().find("Assertion failure:filename:SIM_SlotUpgrade,linenum:356"), std::string::npos);
}

TEST_F(SlotUpgradePurchaseTest, SpendingTheLastCashEndsTheGame)
{
    Place(1);
    SIM_FinanceManager::Instance().StartGameWithCash(500.0f);
    SIM_Placement::PurchaseForSlot(*SIM_SlotUpgradeManager::Instance().GetUpgrade("upg_fast"), slot);
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_FLOAT_EQ(SIM_FinanceManager::Instance().GetCash(), 0.0f);
    EXPECT_EQ(listener.gameOvers, 1);
}
