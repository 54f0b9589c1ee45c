// Prop types read from props.csv.
#include "sim/definitions/SIM_Prop.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GNumberText.h"
#include "engine/core/GStringTokenizer.h"
#include "platform/core/PRandom.h"

// The row gives facings in the order 1, 2, 3, 0.
static const int kPropRowFacings[4] = {1, 2, 3, 0};

bool SIM_Prop::LoadFromRow(const std::string& row)
{
    GStringTokenizer cells(row, ',');
    cells.NextToken(); // the row key
    m_trigger = cells.GetString();
    for (int facing : kPropRowFacings)
    {
        GStringTokenizer sprite(cells.NextToken(), ',');
        m_sprites[facing] = sprite.GetString();
        m_spriteFlags[facing] = sprite.GetInt() != 0 ? 1 : 0;
    }
    const std::string kind = cells.GetString();
    static const char* const kinds[] = {"STATIC", "ANIMATED", "SIMPLEANIMATED", "ROBOT"};
    m_kind = PROP_STATIC;
    for (int i = 0; i < 4; ++i)
        if (kind == kinds[i])
        {
            m_kind = i;
            break;
        }
    // The sizes are read once the row's name (its last cells) is known, to name it in a report.
    const std::string width = cells.GetString(), height = cells.GetString();
    const std::string footprint = cells.GetString(), placement = cells.GetString();
    for (int facing : kPropRowFacings)
    {
        GStringTokenizer list(cells.NextToken(), ',');
        while (!list.AtEnd())
        {
            SIM_PropAnimation animation;
            animation.name = list.GetString();
            animation.flag = list.GetInt() != 0 ? 1 : 0;
            // An empty cell, or a trailing comma, names no animation.
            if (!animation.name.empty())
                m_animations[facing].push_back(animation);
        }
    }
    m_name = cells.GetString();
    const std::string where = "props.csv row '" + m_name + "'";
    m_width = GNumberText::ReadFloat(width, where + " width");
    m_height = GNumberText::ReadFloat(height, where + " height");
    m_footprint = GNumberText::ReadInt(footprint, where + " footprint");
    m_placementMode = GNumberText::ReadInt(placement, where + " placement");
    FV_ASSERT(m_footprint < 100);
    FV_ASSERT(m_placementMode < 100);
    m_depthBias = GNumberText::ReadFloat(cells.GetString(), where + " depth");
    return !m_name.empty();
}

const SIM_PropAnimation* SIM_Prop::GetRandomAnimation(int facing) const
{
    const std::vector<SIM_PropAnimation>& list = m_animations[facing & 3];
    if (list.empty())
        return nullptr;
    if (list.size() == 1)
        return &list[0];
    const size_t index = static_cast<size_t>(list.size() * (PRandom::Rand() / 32768.0));
    return &list[index < list.size() ? index : list.size() - 1];
}

std::string SIM_Prop::GetTextureName(int facing) const
{
    return m_sprites[facing & 3];
}
