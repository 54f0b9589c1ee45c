// The list of every window by name.
#include "gui/toolkit/registry/GUI_WindowRegistry.h"

#include "engine/core/GLifetime.h"

GUI_WindowRegistry& GUI_WindowRegistry::Instance()
{
    return GLifetime::Get<GUI_WindowRegistry>();
}

void GUI_WindowRegistry::Add(GUI_WindowRegistryEntry entry)
{
    for (GUI_WindowRegistryEntry& existing : m_entries)
        if (existing.name == entry.name)
        {
            existing = std::move(entry);
            return;
        }
    m_entries.push_back(std::move(entry));
}

const GUI_WindowRegistryEntry* GUI_WindowRegistry::Find(const std::string& name) const
{
    for (const GUI_WindowRegistryEntry& entry : m_entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

GUI_WindowRegistration::GUI_WindowRegistration(const std::string& name,
                                               std::function<std::unique_ptr<GUI_WindowBase>()> factory, bool modal)
{
    GUI_WindowRegistry::Instance().Add(GUI_WindowRegistryEntry{name, std::move(factory), modal});
}
