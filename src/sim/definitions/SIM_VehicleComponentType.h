// A visible part that stations fit to a car (chassis, doors, wheels...), with up to two sprite
// layers per facing; a layer whose sprite name holds "colour" is tinted with the car's colour.
#pragma once

#include <cstdint>
#include <string>

struct SIM_ComponentLayer
{
    std::string sprite; // empty when the facing has no such layer
    bool flag = false;
    bool inAtlas = false; // the atlas knew the sprite when the type was loaded
    std::string texture;  // atlas texture
    float centreX = 0.0f;
    float centreY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float texCoords[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

class SIM_VehicleComponentType
{
public:
    // Facing order of the layers.
    enum
    {
        FACING_NE = 0,
        FACING_SE = 1,
        FACING_SW = 2,
        FACING_NW = 3
    };

    // Reads section "config" of a component file.
    void Load(const std::string& path);

    std::string GetName() const { return m_name; }
    std::string GetGuiName() const { return m_guiName; }
    const SIM_ComponentLayer& GetLayer(int facing, int layer) const { return m_layers[facing & 3][layer & 1]; }

    std::string m_name;
    std::string m_guiName;
    SIM_ComponentLayer m_layers[4][2]; // [facing][first, second]
    uint8_t m_colourable[2] = {0, 0};  // first layers, second layers
    int m_zOrder = 0;                  // lower is drawn first

private:
    void LoadFacing(int facing, const std::string& value);
};
