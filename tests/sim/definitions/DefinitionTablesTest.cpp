// The definition tables: resources, prop types, features, component types, car colours and designs.
#include "tests/sim/DefsTestData.h"

#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/definitions/VehicleColor.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

#include <set>

class DefinitionTablesTest : public DefsTestData
{
protected:
    void SetUp() override
    {
        DefsTestData::SetUp();
        LoadAll();
    }
};

TEST_F(DefinitionTablesTest, OnlyExactComponentKeywordMakesAComponent)
{
    struct Case
    {
        const char* name;
        bool component;
        const char* guiName;
    };
    const Case cases[] = {
        {"steel", false, "Steel Sheet"}, {"seat", true, "Seat"},
        {"paint", false, "Paint"},    // a longer text beginning with the keyword
        {"glass", false, "Glass"},    // the keyword in lower case
        {"bolt", true, "Bolt First"}, // two of one name: the first in file order
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const SIM_Resource* resource = SIM_ResourceManager::Instance().GetResource(c.name);
        ASSERT_NE(resource, nullptr);
        EXPECT_EQ(resource->IsComponent(), c.component);
        EXPECT_EQ(resource->GetGuiName(), c.guiName);
    }
    EXPECT_FLOAT_EQ(SIM_ResourceManager::Instance().GetResource("seat")->m_spriteScale, 96.0f);
}

TEST_F(DefinitionTablesTest, ResourcesAreSortedByNameWithPricesAroundTheBase)
{
    const auto& resources = SIM_ResourceManager::Instance().GetResources();
    ASSERT_EQ(resources.size(), 7u);
    for (size_t i = 1; i < resources.size(); ++i)
        EXPECT_LE(resources[i - 1]->GetName(), resources[i]->GetName());
    for (const SIM_Resource* resource : resources)
        for (float price : resource->m_prices)
        {
            EXPECT_GE(price, 0.85f * resource->m_basePrice - 1e-4f) << resource->GetName();
            EXPECT_LE(price, 1.15f * resource->m_basePrice + 1e-4f) << resource->GetName();
        }
}

TEST_F(DefinitionTablesTest, MissingResourceIsReportedAndNull)
{
    EXPECT_EQ(SIM_ResourceManager::Instance().GetResource("unobtainium"), nullptr);
    EXPECT_NE(NewErrors().find("Missing Resource:[unobtainium]"), std::string::npos);
}

TEST_F(DefinitionTablesTest, PropRowsFillEveryFacingInRowOrder)
{
    const SIM_Prop* press = SIM_PropTypeManager::Instance().GetPropType("press");
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(press->m_kind, PROP_ANIMATED);
    EXPECT_EQ(press->m_trigger, "CONSTANT");
    // Cells 3..6 are facings 1, 2, 3, 0.
    EXPECT_EQ(press->GetTextureName(1), "press_1");
    EXPECT_EQ(press->GetTextureName(0), "press_0");
    EXPECT_EQ(press->m_spriteFlags[0], 1);
    EXPECT_EQ(press->m_spriteFlags[1], 0);
    EXPECT_FLOAT_EQ(press->m_width, 256.0f);
    EXPECT_EQ(press->m_footprint, 3);
    EXPECT_EQ(press->m_placementMode, 2);
    EXPECT_FLOAT_EQ(press->m_depthBias, 1.25f);
    ASSERT_EQ(press->m_animations[2].size(), 2u);
    EXPECT_EQ(press->m_animations[2][1].name, "press_b");
    EXPECT_EQ(press->m_animations[2][1].flag, 1);
    EXPECT_TRUE(press->m_animations[3].empty());

    struct Case
    {
        const char* name;
        int kind;
    };
    const Case kinds[] = {{"employee", PROP_STATIC}, {"robot2", PROP_ROBOT}, {"lamp", PROP_SIMPLEANIMATED}};
    for (const Case& c : kinds)
        EXPECT_EQ(SIM_PropTypeManager::Instance().GetPropType(c.name)->m_kind, c.kind) << c.name;
}

TEST_F(DefinitionTablesTest, RandomAnimationComesFromTheFacingList)
{
    const SIM_Prop* press = SIM_PropTypeManager::Instance().GetPropType("press");
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(press->GetRandomAnimation(3), nullptr); // none in that facing
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i)
    {
        EXPECT_EQ(press->GetRandomAnimation(1)->name, "press_a"); // the only one
        seen.insert(press->GetRandomAnimation(2)->name);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"press_a", "press_b"}));
}

TEST_F(DefinitionTablesTest, PropTypesKeepFileOrderAndFindTheFirstName)
{
    const auto& props = SIM_PropTypeManager::Instance().GetPropTypes();
    ASSERT_EQ(props.size(), 8u);
    EXPECT_EQ(props.front()->GetName(), "employee");
    EXPECT_EQ(SIM_PropTypeManager::Instance().GetPropType("pallet"), props[4]);
    EXPECT_EQ(SIM_PropTypeManager::Instance().GetPropType("Pallet"), nullptr);
}

TEST_F(DefinitionTablesTest, FeaturesReadFromCrLfTable)
{
    const SIM_VehicleFeature* radio = SIM_VehicleFeatureManager::Instance().GetFeature("radio");
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->GetGUIName(), "Radio, Stereo");
    EXPECT_FLOAT_EQ(radio->GetValue(), 250.0f); // last cell without its carriage return
    EXPECT_FLOAT_EQ(SIM_VehicleFeatureManager::Instance().GetFeature("alloys")->GetValue(), 800.5f);
    EXPECT_EQ(SIM_VehicleFeatureManager::Instance().GetFeature("warp_drive"), nullptr);
    EXPECT_NE(NewErrors().find("Missing Feature:[warp_drive]"), std::string::npos);
}

TEST_F(DefinitionTablesTest, ComponentLayersPerFacing)
{
    const SIM_VehicleComponentType* body = SIM_VehicleComponentTypeManager::Instance().GetComponentType("body");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetGuiName(), "Car Body");
    EXPECT_EQ(body->m_zOrder, 2);
    struct Case
    {
        int facing, layer;
        const char* sprite;
        bool flag;
    };
    const Case cases[] = {
        {SIM_VehicleComponentType::FACING_NE, 0, "body_colour_ne", false},
        {SIM_VehicleComponentType::FACING_NE, 1, "body_trim_ne", true},
        {SIM_VehicleComponentType::FACING_SE, 0, "body_colour_se", true},
        {SIM_VehicleComponentType::FACING_SE, 1, "", false},
        {SIM_VehicleComponentType::FACING_NW, 1, "window_colour_nw", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.sprite);
        EXPECT_EQ(body->GetLayer(c.facing, c.layer).sprite, c.sprite);
        EXPECT_EQ(body->GetLayer(c.facing, c.layer).flag, c.flag);
    }
    EXPECT_EQ(body->m_colourable[0], 1);
    EXPECT_EQ(body->m_colourable[1], 1);
    const SIM_VehicleComponentType* wheels = SIM_VehicleComponentTypeManager::Instance().GetComponentType("wheels");
    ASSERT_NE(wheels, nullptr);
    EXPECT_EQ(wheels->m_zOrder, -1);
    EXPECT_EQ(wheels->m_colourable[0], 0);
    EXPECT_EQ(SIM_VehicleComponentTypeManager::Instance().GetComponentType("spoiler"), nullptr);
}

TEST_F(DefinitionTablesTest, CarColoursGetFullAlphaAndPicksStayInThePalette)
{
    std::vector<VehicleColor>& colours = GetVehicleColors();
    colours.clear();
    LoadVehicleColors(Root() + "/car_colors.txt");
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0].r, 10);
    EXPECT_EQ(colours[0].g, 20);
    EXPECT_EQ(colours[0].b, 30);
    EXPECT_EQ(colours[0].a, 255);
    for (int i = 0; i < 100; ++i)
    {
        const VehicleColor pick = GetRandomVehicleColor();
        EXPECT_TRUE(pick.r == 10 || pick.r == 200);
    }
    colours.clear();
    const VehicleColor white = GetRandomVehicleColor();
    EXPECT_EQ(white.r + white.g + white.b + white.a, 4 * 255);
}

TEST_F(DefinitionTablesTest, DesignsMatchCarsBySetOfFeatures)
{
    SIM_VehicleFeatureManager& features = SIM_VehicleFeatureManager::Instance();
    SIM_VehicleFeatureRecord aircon{features.GetFeature("aircon"), {}};
    SIM_VehicleFeatureRecord alloys{features.GetFeature("alloys"), {}};
    SIM_VehicleFeatureRecord radio{features.GetFeature("radio"), {}};
    auto design = std::make_unique<SIM_VehicleDesign>();
    design->m_featureRecords = {&aircon, &alloys};

    SIM_VehicleFeatureRecord carAlloys{features.GetFeature("alloys"), {}};
    SIM_VehicleFeatureRecord carAircon{features.GetFeature("aircon"), {}};
    EXPECT_TRUE(design->MatchesVehicleTasks({&carAlloys, &carAircon}));          // other order
    EXPECT_FALSE(design->MatchesVehicleTasks({&carAlloys, &carAircon, &radio})); // one more
    EXPECT_FALSE(design->MatchesVehicleTasks({&carAlloys, &radio}));
    EXPECT_FALSE(design->MatchesVehicleTasks({&carAlloys}));
}

TEST_F(DefinitionTablesTest, DefaultDesignNamesTakeTheLowestFreeNumber)
{
    SIM_VehicleDesignManager& designs = SIM_VehicleDesignManager::Instance();
    SIM_VehicleDesign* second = designs.Add(std::make_unique<SIM_VehicleDesign>());
    second->m_name = "Model2";
    EXPECT_EQ(designs.MakeUniqueDefaultName(), "Model1");
    SIM_VehicleDesign* first = designs.Add(std::make_unique<SIM_VehicleDesign>());
    first->m_name = "Model1";
    EXPECT_EQ(designs.MakeUniqueDefaultName(), "Model3");
    EXPECT_EQ(designs.GetDesign("Model1"), first);
    designs.Remove(first);
    EXPECT_EQ(designs.GetDesign("Model1"), nullptr);
    EXPECT_EQ(designs.GetDesigns().size(), 1u);
}
