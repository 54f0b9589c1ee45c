// A prop type: the machine, robot arm, pallet or worker drawn on a slot's tile, with its sprite
// and animations per facing. Loaded from props.csv; tiles and upgrades refer to it by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One animation a prop may play in one facing.
struct SIM_PropAnimation
{
    std::string name;
    uint8_t flag = 0;
};

enum SIM_PropKind
{
    PROP_STATIC = 0,
    PROP_ANIMATED = 1,
    PROP_SIMPLEANIMATED = 2,
    PROP_ROBOT = 3,
};

class SIM_Prop
{
public:
    // Reads one data row of props.csv. Returns false (and leaves the prop unnamed) when the row
    // is too short to name a prop.
    bool LoadFromRow(const std::string& row);

    // Null when the facing has no animation; otherwise one of them, uniformly at random.
    const SIM_PropAnimation* GetRandomAnimation(int facing) const;
    std::string GetTextureName(int facing) const;
    std::string GetName() const { return m_name; }

    float m_height = 0.0f; // the first size value of the row
    float m_width = 0.0f;
    std::string m_sprites[4]; // per facing 0..3
    uint8_t m_spriteFlags[4] = {0, 0, 0, 0};
    std::vector<SIM_PropAnimation> m_animations[4];
    std::string m_name;
    std::string m_trigger; // when the animation plays
    int m_kind = PROP_STATIC;
    int m_footprint = 0;     // below 100
    int m_placementMode = 0; // below 100
    float m_depthBias = 0.0f;
};
