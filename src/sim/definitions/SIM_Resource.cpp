// Resource kinds read from resources.csv, with their prices for this game.
#include "sim/definitions/SIM_Resource.h"

#include "engine/core/GNumberText.h"
#include "engine/core/GRandom.h"
#include "engine/core/GStringTokenizer.h"

bool SIM_Resource::LoadFromRow(const std::string& row)
{
    GStringTokenizer cells(row, ',');
    cells.NextToken(); // the row key
    m_name = cells.GetString();
    m_guiName = cells.GetString();
    m_icon = cells.GetString();
    m_spriteName = cells.GetString();
    const std::string where = "resources.csv row '" + m_name + "'";
    m_basePrice = GNumberText::ReadFloat(cells.GetString(), where + " price");
    m_spriteScale = GNumberText::ReadFloat(cells.GetString(), where + " scale");
    m_rawMaterial = cells.GetString() == "RES_COMP" ? 0 : 1;
    for (float& price : m_prices)
        price = (GRandom::NextFloat() * 0.3f + 0.85f) * m_basePrice;
    return !m_name.empty();
}
