// The eight lists of props the frame's jobs step.
#include "gui/factory/props/PropRegistry.h"

#include "engine/core/GLifetime.h"

#include <algorithm>

PropRegistry& PropRegistry::Instance()
{
    return GLifetime::Get<PropRegistry>();
}

int PropRegistry::Register(GUI_Prop* prop)
{
    const int list = m_next;
    m_lists[list].push_back(prop);
    m_next = (m_next + 1) % kLists;
    return list;
}

void PropRegistry::Unregister(GUI_Prop* prop, int list)
{
    if (list < 0 || list >= kLists)
        return;
    std::vector<GUI_Prop*>& props = m_lists[list];
    auto it = std::find(props.begin(), props.end(), prop);
    if (it == props.end())
        return;
    // Order within a list does not matter: every prop is stepped on its own.
    *it = props.back();
    props.pop_back();
}
