// Cars: components, features and costs, design value, upgrade parts, and views handed to the
// main thread when a car goes inside the vehicles job.
#include <gtest/gtest.h>

#include <memory>

#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/flow/SIM_ComponentStockpile.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleComponent.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"
#include "sim/views/SIM_CarView.h"
#include "tests/sim/SlotsTestFloor.h"

using slotstest::Floor;

namespace
{
SIM_VehicleComponentType* Type(const char* name)
{
    return SIM_VehicleComponentTypeManager::Instance().GetComponentType(name);
}

std::unique_ptr<SIM_VehicleFeatureRecord> Record(const char* feature, std::vector<SIM_SlotUpgrade*> upgrades = {})
{
    auto record = std::make_unique<SIM_VehicleFeatureRecord>();
    record->feature = SIM_VehicleFeatureManager::Instance().GetFeature(feature);
    record->upgrades = std::move(upgrades);
    return record;
}

std::vector<std::string> ComponentNames(const SIM_Vehicle& car)
{
    std::vector<std::string> names;
    for (const auto& component : car.GetComponents())
        names.push_back(component->GetType()->GetName());
    return names;
}

int g_liveCarViews = 0;
class CountingCarView : public SIM_CarView
{
public:
    CountingCarView() { ++g_liveCarViews; }
    ~CountingCarView() override { --g_liveCarViews; }
};
class CarViewListener : public SIM_PresentationListener
{
public:
    SIM_CarView* CreateCarView(SIM_Vehicle*) override { return new CountingCarView(); }
};
} // namespace

TEST(Vehicle, ComponentsAreFittedOnceAndKeptInDrawOrder)
{
    Floor floor;
    SIM_Vehicle car;
    car.AddComponent(std::make_unique<SIM_VehicleComponent>(&car, Type("engine")));  // z 2
    car.AddComponent(std::make_unique<SIM_VehicleComponent>(&car, Type("chassis"))); // z 0
    car.AddComponent(std::make_unique<SIM_VehicleComponent>(&car, Type("engine")));
    car.AddComponent(std::make_unique<SIM_VehicleComponent>(&car, Type("body"))); // z 1
    EXPECT_EQ(ComponentNames(car), (std::vector<std::string>{"chassis", "body", "engine"}));
    car.SetColor(1, 2, 3, 4);
    for (const auto& component : car.GetComponents())
    {
        EXPECT_EQ(component->GetColor()[2], 3);
        EXPECT_EQ(component->GetSecondColor()[3], 4);
    }
}

TEST(Vehicle, FeaturesAreRecordedOnceAndCosted)
{
    Floor floor;
    SIM_Vehicle car;
    car.AddCompletedTask(Record("feat_chassis"));
    car.AddCompletedTask(Record("feat_engine"));
    car.AddCompletedTask(Record("feat_chassis"));
    car.AddCompletedTask(Record("no_such_feature"));
    EXPECT_EQ(car.GetFeatureRecords().size(), 2u);
    EXPECT_TRUE(car.HasCompletedTask("feat_engine"));
    EXPECT_FALSE(car.HasCompletedTask("feat_paint"));
    car.CalculateCosts();
    EXPECT_FLOAT_EQ(car.GetFeatureCost(), 3000.0f);
    EXPECT_FLOAT_EQ(car.GetTotalCost(), 3000.0f);
}

TEST(Vehicle, DesignValueScalesFeaturesByQualityUpToTheirFullValue)
{
    Floor floor;
    SIM_SlotUpgrade better;
    better.m_effects = {{SU_QUALITY, 0.5f}, {SU_SPEED, 3.0f}};
    SIM_SlotUpgrade worse;
    worse.m_effects = {{SU_QUALITY, -0.5f}};
    SIM_SlotUpgrade ruin;
    ruin.m_effects = {{SU_QUALITY, -3.0f}};
    struct Case
    {
        const char* name;
        std::vector<SIM_SlotUpgrade*> upgrades;
        float expected; // for feat_engine (2000) plus a plain feat_chassis (1000)
    };
    const Case cases[] = {
        {"no upgrades: plain sum", {}, 3000.0f},
        {"better quality stays at full value", {&better}, 3000.0f},
        {"worse quality halves the feature", {&worse}, 2000.0f},
        {"quality below -1 is clamped", {&ruin}, -1000.0f},
    };
    for (const Case& c : cases)
    {
        SIM_VehicleDesign design;
        std::unique_ptr<SIM_VehicleFeatureRecord> engine = Record("feat_engine", c.upgrades);
        std::unique_ptr<SIM_VehicleFeatureRecord> chassis = Record("feat_chassis");
        design.m_featureRecords = {engine.get(), chassis.get()};
        EXPECT_FLOAT_EQ(SIM_VehicleDesign::GetDesignValue(&design), c.expected) << c.name;
    }
}

TEST(Vehicle, UpgradeComponentsAddAndRemoveWhatAStationFits)
{
    Floor floor;
    SIM_ProductionSlot* chassis = floor.Place("task_fit chassis", 3, 3);
    ASSERT_NE(chassis, nullptr);
    SIM_SlotUpgrade upgrade;
    upgrade.m_components = {{Type("body"), -1}, {Type("engine"), 1}, {Type("chassis"), 7}};
    upgrade.m_features = {SIM_VehicleFeatureManager::Instance().GetFeature("feat_turbo")};
    chassis->GetUpgrades().push_back(&upgrade);

    ASSERT_TRUE(floor.StepUntil([&] { return chassis->GetState() == WAITING_FOR_EXPORT; }, 400));
    const SIM_Vehicle* car = chassis->GetVehicle();
    ASSERT_NE(car, nullptr);
    EXPECT_EQ(ComponentNames(*car), (std::vector<std::string>{"chassis", "engine"}));
    EXPECT_TRUE(car->HasCompletedTask("feat_chassis"));
    EXPECT_TRUE(car->HasCompletedTask("feat_turbo"));
    ASSERT_EQ(car->GetFeatureRecords().size(), 2u);
    EXPECT_EQ(car->GetFeatureRecords()[0]->upgrades.size(), 1u);
    EXPECT_TRUE(car->HasAppliedTask("task_fit chassis"));
}

TEST(Vehicle, RequiredResourcesHoldAtMostSixteenKinds)
{
    Floor floor;
    SIM_ProductionSlot* panels = floor.Place("task_fit_panels", 3, 3); // needs 2 steel
    ASSERT_NE(panels, nullptr);
    std::vector<SIM_Resource> extra(20);
    SIM_SlotUpgrade upgrade;
    upgrade.m_resources.push_back({SIM_ResourceManager::Instance().GetResource("steel"), 3});
    upgrade.m_resources.push_back({nullptr, 5});
    for (SIM_Resource& resource : extra)
        upgrade.m_resources.push_back({&resource, 1});
    panels->GetUpgrades().push_back(&upgrade);
    panels->RebuildRequiredResources();

    const SIM_ProductionSlot::RequiredResource* table = panels->GetRequiredResources();
    EXPECT_EQ(table[0].resource, SIM_ResourceManager::Instance().GetResource("steel"));
    EXPECT_EQ(table[0].count, 5);
    for (int i = 1; i < SIM_ProductionSlot::kRequiredResourceCount; ++i)
        EXPECT_EQ(table[i].resource, &extra[i - 1]) << i;
    panels->GetUpgrades().clear();
    panels->RebuildRequiredResources();
}

TEST(Vehicle, WorkWithoutPositiveDurationCompletesAtOnce)
{
    Floor floor;
    SIM_ProductionSlot* bolts = floor.Place("comp_bolts", 3, 3); // 1000 ms
    ASSERT_NE(bolts, nullptr);
    SIM_SlotUpgrade upgrade;
    upgrade.m_effects = {{SU_ABS_SPEED, -5000.0f}};
    bolts->GetUpgrades().push_back(&upgrade);
    bolts->RecalculateUpgradeEffects();
    // Each update completes one run at once instead of never.
    floor.Step(21, 1);
    EXPECT_GE(bolts->GetOutputStockpile()->Held().size(), 2u);
    EXPECT_FLOAT_EQ(bolts->GetProgress(), 0.0f);
}

TEST(Vehicle, ViewsOfCarsGoneInTheVehiclesJobAreDeletedOnTheMainThread)
{
    Floor floor;
    CarViewListener listener;
    SIM_Presentation::Instance().SetListener(&listener);
    SIM_Vehicle* car = SIM_VehicleManager::Instance().CreateVehicle();
    ASSERT_EQ(g_liveCarViews, 1);
    car->SetState(SIM_Vehicle::LEAVING);
    car->StartLeg(512.0f, 0.0f);
    SIM_VehicleManager::Instance().ProcessFrame(1500.0f, 1.0f, SIM_Game::Instance().GetFactory());
    EXPECT_TRUE(SIM_VehicleManager::Instance().GetVehicles().empty());
    EXPECT_EQ(g_liveCarViews, 1) << "the job deleted a view";
    SIM_Presentation::Instance().ApplyPosted();
    EXPECT_EQ(g_liveCarViews, 0);

    // Deleted on the main thread (the slot holding it is bulldozed), the view goes at once.
    SIM_ProductionSlot* chassis = floor.Place("task_fit chassis", 3, 3);
    ASSERT_TRUE(floor.StepUntil([&] { return chassis->GetVehicle() != nullptr; }, 50));
    EXPECT_EQ(g_liveCarViews, 1);
    Floor::Bulldoze(chassis);
    EXPECT_EQ(g_liveCarViews, 0);
    SIM_Presentation::Instance().SetListener(nullptr);
}
