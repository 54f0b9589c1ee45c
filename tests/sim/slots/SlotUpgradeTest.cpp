// Slot upgrade definitions: their sections, effect texts and availability.
#include "tests/sim/DefsTestData.h"

#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/definitions/SIM_SlotUpgradeManager.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"
#include "sim/views/SIM_TextBlock.h"

#include <vector>

class SlotUpgradeTest : public DefsTestData
{
protected:
    void SetUp() override
    {
        DefsTestData::SetUp();
        LoadAll();
    }
    static SIM_SlotUpgrade* Upgrade(const std::string& name)
    {
        SIM_SlotUpgrade* upgrade = SIM_SlotUpgradeManager::Instance().GetUpgrade(name);
        EXPECT_NE(upgrade, nullptr) << name;
        return upgrade;
    }
};

class SlotUpgradeTestLines : public SIM_TextBlock
{
public:
    std::vector<std::string> lines;
    void AppendLine(const std::string& line) override { lines.push_back(line); }
};

TEST_F(SlotUpgradeTest, EffectTypeNamesAreExact)
{
    struct Case
    {
        const char* text;
        int type;
    };
    const Case cases[] = {
        {"SU_SPEED", SU_SPEED},         {"SU_POWERUSE", SU_POWERUSE},   {"SU_QUALITY", SU_QUALITY},
        {"SU_PROP", SU_PROP},           {"SU_POWERPROD", SU_POWERPROD}, {"SU_ABS_SPEED", SU_ABS_SPEED},
        {"SU_ABS_POWER", SU_ABS_POWER}, {"su_speed", SU_NONE},          {"", SU_NONE},
        {"SU_SPEED ", SU_NONE}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseUpgradeEffectType(c.text), c.type) << c.text;
}

TEST_F(SlotUpgradeTest, SectionsBecomeEffectsPropsFeaturesResourcesAndComponents)
{
    const SIM_SlotUpgrade* fast = Upgrade("upg_fast");
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->GetGuiName(), "Fast Tools");
    EXPECT_EQ(fast->GetTexture(), "upg_fast.dds");
    EXPECT_FLOAT_EQ(fast->m_cost, 500.0f);
    // Four effect sections, two prop sections, resources and components; not the features.
    std::vector<int> types;
    for (const SlotUpgradeEffect& effect : fast->m_effects)
        types.push_back(effect.type);
    EXPECT_EQ(types,
              (std::vector<int>{SU_SPEED, SU_POWERUSE, SU_ABS_SPEED, SU_PROP, SU_NONE, SU_NONE, SU_NONE, SU_NONE}));
    // Offset 20 clamps to 15; the unknown prop type drops the second placement.
    ASSERT_EQ(fast->m_props.size(), 1u);
    EXPECT_EQ(fast->m_props[0].position, 15);
    EXPECT_EQ(fast->m_props[0].propType->GetName(), "press");
    EXPECT_EQ(fast->m_props[0].facing, 2);
    EXPECT_EQ(fast->m_props[0].XOffset, 1);
    ASSERT_EQ(fast->m_features.size(), 1u);
    EXPECT_EQ(fast->m_features[0]->GetName(), "aircon");
    // Unknown resource and component names are left out.
    ASSERT_EQ(fast->m_resources.size(), 2u);
    EXPECT_EQ(fast->m_resources[0].resource->GetName(), "steel");
    EXPECT_EQ(fast->m_resources[0].count, 2);
    ASSERT_EQ(fast->m_components.size(), 2u);
    EXPECT_EQ(fast->m_components[0].componentType->GetName(), "body");
    EXPECT_EQ(fast->m_components[0].value, 1);
    EXPECT_EQ(fast->m_components[1].componentType->GetName(), "wheels");
    EXPECT_EQ(fast->m_components[1].value, -1);
    const std::string errors = NewErrors();
    for (const char* missing : {"no_such_prop", "Missing Feature:[no_such_feature]",
                                "Missing Resource:[no_such_resource]", "no_such_component"})
        EXPECT_NE(errors.find(missing), std::string::npos) << missing;

    const SIM_SlotUpgrade* prop = Upgrade("upg_prop");
    ASSERT_NE(prop, nullptr);
    EXPECT_FLOAT_EQ(prop->m_cost, 12.5f); // junk after the number
    ASSERT_EQ(prop->m_props.size(), 1u);
    EXPECT_EQ(prop->m_props[0].YOffset, 2);
}

TEST_F(SlotUpgradeTest, EffectTextsShowSignAndUnit)
{
    const SIM_SlotUpgrade* fast = Upgrade("upg_fast");
    ASSERT_NE(fast, nullptr);
    struct Case
    {
        int type;
        float value;
        const char* text;
    };
    const Case cases[] = {
        {SU_SPEED, 0.15f, "Speed: (+15.00%)"},
        {SU_POWERUSE, -0.1f, "Power use: (-10.00%)"},
        {SU_QUALITY, 0.0f, "Quality: (-0.00%)"}, // zero shows a minus
        {SU_ABS_SPEED, 2500.0f, "Work time: (+2.50 seconds)"},
        {SU_ABS_POWER, 3.0f, "UP_EFF_ABS_POWER: (+3.00)"}, // key shown when no text
        {SU_NONE, -2.0f, ": (-2.00)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fast->GetEffectText(SlotUpgradeEffect{c.type, c.value}), c.text) << c.type;
}

TEST_F(SlotUpgradeTest, DescriptionLeavesOutVisualAndUnknownEffects)
{
    SlotUpgradeTestLines block;
    Upgrade("upg_fast")->AddDescriptionLines(block);
    EXPECT_EQ(block.lines, (std::vector<std::string>{"Speed: (+15.00%)", "Power use: (-10.00%)",
                                                     "Work time: (+2.50 seconds)", "Air Conditioning"}));
}

TEST_F(SlotUpgradeTest, AvailableOnceTheGrantingResearchIsComplete)
{
    SIM_SlotUpgrade* fast = Upgrade("upg_fast");
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->m_research, SIM_ResearchManager::Instance().GetResearchable("research_tools"));
    EXPECT_FALSE(fast->IsAvailable());
    fast->m_research->AddProgress(fast->m_research->m_cost);
    EXPECT_TRUE(fast->IsAvailable());
    // No research grants this one: reported, never available.
    const SIM_SlotUpgrade* lost = Upgrade("upg_unresearched");
    EXPECT_EQ(lost->m_research, nullptr);
    EXPECT_FALSE(lost->IsAvailable());
    EXPECT_NE(NewErrors().find("Assertion failure:filename:SIM_SlotUpgrade,linenum:284"), std::string::npos);
}

TEST_F(SlotUpgradeTest, UnknownComponentTypeIsReportedAndLeftOut)
{
    // The fast upgrade's file names a component type that no file defines.
    EXPECT_NE(NewErrors().find("Assertion failure:filename:SIM_SlotUpgrade,linenum:258"), std::string::npos);
    for (const SlotUpgradeComponent& component : Upgrade("upg_fast")->m_components)
        EXPECT_NE(component.componentType, nullptr);
}
