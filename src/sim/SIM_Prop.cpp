// Prop types read from props.csv.
#include "sim/SIM_Prop.h"

bool SIM_Prop::LoadFromRow(const std::string& row)
{
    (void)row;
    return false;
}

const SIM_PropAnimation* SIM_Prop::GetRandomAnimation(int facing) const
{
    const std::vector<SIM_PropAnimation>& list = m_animations[facing & 3];
    if (list.empty())
        return nullptr;
    return &list[0];
}

std::string SIM_Prop::GetTextureName(int facing) const
{
    return m_sprites[facing & 3];
}
