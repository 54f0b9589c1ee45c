// Every window and dialog of the game listed by name with a factory that builds it as the game
// would open it, and whether it opens modally. One test opens each of them at the smallest and the
// largest screen the game supports and checks its layout, its texts and its pictures, so a new
// screen is covered once it registers. A window registers beside its own code:
//
//     static const GUI_WindowRegistration kRegistration{
//         "finances", [] { return std::make_unique<GUI_Finances>(); }, false};
//
// The factory runs on the main thread with the screen size already set; it builds the window with
// stand-in data where the real one needs a running game. Test binaries link the interface
// libraries whole, so no registration is left out by the linker.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class GUI_WindowBase;

struct GUI_WindowRegistryEntry
{
    std::string name;
    std::function<std::unique_ptr<GUI_WindowBase>()> factory;
    bool modal = false;
};

class GUI_WindowRegistry
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GUI_WindowRegistry& Instance();

    // Adds an entry; a second entry of the same name replaces the first.
    void Add(GUI_WindowRegistryEntry entry);
    // The entry of that name, or null.
    const GUI_WindowRegistryEntry* Find(const std::string& name) const;
    // Every entry, in registration order.
    const std::vector<GUI_WindowRegistryEntry>& Entries() const { return m_entries; }

private:
    GUI_WindowRegistry() = default;
    std::vector<GUI_WindowRegistryEntry> m_entries;
};

// Registers a window during static initialisation (see above).
class GUI_WindowRegistration
{
public:
    GUI_WindowRegistration(const std::string& name, std::function<std::unique_ptr<GUI_WindowBase>()> factory,
                           bool modal);
};
