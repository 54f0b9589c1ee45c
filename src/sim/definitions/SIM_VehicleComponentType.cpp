// Vehicle component types read from the components folder.
#include "sim/definitions/SIM_VehicleComponentType.h"

#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_AtlasEntry.h"

void SIM_VehicleComponentType::Load(const std::string& path)
{
    IniLoader config;
    config.Load("config", path);
    m_name = config.GetValue("name");
    m_guiName = config.GetValue("guiname");
    LoadFacing(FACING_SE, config.GetValue("texture_se"));
    LoadFacing(FACING_SW, config.GetValue("texture_sw"));
    LoadFacing(FACING_NE, config.GetValue("texture_ne"));
    LoadFacing(FACING_NW, config.GetValue("texture_nw"));
    m_zOrder = config.GetInt("z_order");
}

void SIM_VehicleComponentType::LoadFacing(int facing, const std::string& value)
{
    GStringTokenizer fields(value, ',');
    for (int layer = 0; layer < 2; ++layer)
    {
        // The second layer is there only when more text follows the first.
        if (layer == 1 && fields.AtEnd())
            break;
        SIM_ComponentLayer& out = m_layers[facing][layer];
        out.sprite = fields.GetString();
        out.flag = fields.GetInt() != 0;
        if (out.sprite.empty())
            continue;
        if (out.sprite.find("colour") != std::string::npos)
            m_colourable[layer] = 1;
        SIM_AtlasEntry entry;
        if (SIM_Presentation::Instance().Listener().FindAtlasEntry(out.sprite, entry))
        {
            out.inAtlas = true;
            out.texture = entry.texture;
            out.centreX = (entry.left + entry.right) / 2.0f - 0.5f;
            out.centreY = (entry.top + entry.bottom) / 2.0f - 0.5f;
            out.width = entry.right - entry.left;
            out.height = entry.bottom - entry.top;
            for (int i = 0; i < 4; ++i)
                out.texCoords[i] = entry.texCoords[i];
        }
    }
}
