// The prop type registry, in file order.
#include "sim/SIM_PropTypeManager.h"

#include "sim/SIM_Prop.h"

SIM_PropTypeManager& SIM_PropTypeManager::Instance()
{
    static SIM_PropTypeManager instance;
    return instance;
}

SIM_PropTypeManager::~SIM_PropTypeManager()
{
    Clear();
}

void SIM_PropTypeManager::Clear()
{
    for (SIM_Prop* prop : m_props)
        delete prop;
    m_props.clear();
}

void SIM_PropTypeManager::Load(const std::string& root)
{
    (void)root;
    Clear();
}

SIM_Prop* SIM_PropTypeManager::GetPropType(const std::string& name) const
{
    for (SIM_Prop* prop : m_props)
        if (prop->m_name == name)
            return prop;
    return nullptr;
}
