// An add-on the player buys for one placed slot: it changes the slot's speed, power, quality or
// power production, gives cars features, changes what the slot uses and puts props on its tiles.
#pragma once

#include <string>
#include <vector>

class SIM_Prop;
class SIM_Resource;
class SIM_Researchable;
class SIM_VehicleComponentType;
class SIM_VehicleFeature;
class SIM_TextBlock;

enum SlotUpgradeEffectType
{
    SU_SPEED = 0,     // multiplier on working speed
    SU_POWERUSE = 1,  // multiplier on power use
    SU_QUALITY = 2,   // multiplier on quality
    SU_PROP = 3,      // purely visual
    SU_POWERPROD = 4, // multiplier on power production
    SU_ABS_SPEED = 5, // added working time in ms
    SU_ABS_POWER = 6, // added power
    SU_NONE = 7,      // any other type text
};

struct SlotUpgradeEffect
{
    int type = SU_NONE;
    float value = 0.0f;
};

struct SlotUpgradeResource
{
    SIM_Resource* resource = nullptr;
    int count = 0;
};

// A prop an upgrade puts on a slot, placed relative to the slot's anchor tile for facing 1.
struct SlotUpgradeProp
{
    int position = 0; // sub-tile 0..15
    SIM_Prop* propType = nullptr;
    int facing = 0;
    int XOffset = 0;
    int YOffset = 0;
};

struct SlotUpgradeComponent
{
    SIM_VehicleComponentType* componentType = nullptr;
    int value = 0; // 1 fit this type, -1 do not fit it
};

// "SU_SPEED" 0 ... "SU_ABS_POWER" 6, anything else 7 (exact comparisons).
int ParseUpgradeEffectType(const std::string& text);

class SIM_SlotUpgrade
{
public:
    virtual ~SIM_SlotUpgrade() = default;

    // Reads the upgrade file, then finds the research that grants it.
    void Load(const std::string& path);
    void LinkResearch();

    // Can be bought once the research that grants it is complete.
    bool IsAvailable() const;

    std::string GetEffectText(const SlotUpgradeEffect& effect) const;
    void AddDescriptionLines(SIM_TextBlock& block) const;

    std::string GetName() const { return m_name; }
    std::string GetGuiName() const { return m_guiName; }
    std::string GetTexture() const { return m_texture; }

    std::vector<SlotUpgradeEffect> m_effects;
    std::vector<SIM_VehicleFeature*> m_features;
    std::vector<SlotUpgradeResource> m_resources;
    std::vector<SlotUpgradeProp> m_props;
    std::vector<SlotUpgradeComponent> m_components;
    float m_cost = 0.0f;
    std::string m_name;
    std::string m_guiName;
    std::string m_texture;
    SIM_Researchable* m_research = nullptr;
};
