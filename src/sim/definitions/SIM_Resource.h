// A kind of material or bought-in component that slots consume (steel, paint, a seat...), with
// its prices for this game. Loaded from resources.csv; everything else names it by its name.
#pragma once

#include <string>

class SIM_Resource
{
public:
    static constexpr int NUM_PRICES = 30;

    virtual ~SIM_Resource() = default;

    // Reads one data row of resources.csv and draws the prices. False when the row names nothing.
    bool LoadFromRow(const std::string& row);

    std::string GetName() const { return m_name; }
    std::string GetGuiName() const { return m_guiName; }
    std::string GetIcon() const { return m_icon; }
    std::string GetSpriteName() const { return m_spriteName; }
    // The price paid per object.
    float GetPrice() const { return m_prices[0]; }
    bool IsComponent() const { return m_rawMaterial == 0; }

    std::string m_name;
    std::string m_guiName;
    float m_basePrice = 0.0f;
    float m_prices[NUM_PRICES] = {}; // each 0.85..1.15 x the base price
    std::string m_icon;
    std::string m_spriteName;
    float m_spriteScale = 128.0f;
    int m_rawMaterial = 1; // 0 for a component ("RES_COMP"), 1 for any other kind
};
