// The eight lists of props the frame's jobs step.
#include "gui/factory/props/PropRegistry.h"

#include "engine/core/GLifetime.h"

PropRegistry& PropRegistry::Instance()
{
    return GLifetime::Get<PropRegistry>();
}

void PropRegistry::Register(GUI_Prop* prop, PropListing& listing)
{
    listing.list = m_next;
    m_lists[m_next].Join(prop, listing.place);
    m_next = (m_next + 1) % kLists;
}

void PropRegistry::Unregister(PropListing& listing)
{
    if (listing.list < 0 || listing.list >= kLists)
        return;
    m_lists[listing.list].Leave(listing.place);
    listing.list = -1;
}
