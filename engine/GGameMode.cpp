// The game-mode interface and the registry of modes by name.
#include "engine/GGameMode.h"

#include "engine/core/GLifetime.h"

#include <algorithm>

namespace
{
// The registered modes, in order of registration.
struct GGameModeList
{
    std::vector<GGameMode*> modes; // not owned: each mode belongs to the program's owner or a test
};
} // namespace

std::vector<GGameMode*>& GGameMode::GameModeList()
{
    // Held by the program's owner; a mode destroyed after the list leaves a new, empty one.
    return GLifetime::Get<GGameModeList>().modes;
}

GGameMode::~GGameMode()
{
    // Modes live to the end of the process; one that goes earlier (tests, shutdown order)
    // must not leave a dangling entry that a later lookup would follow.
    std::vector<GGameMode*>& list = GameModeList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (s_current == this)
        s_current = nullptr;
}

void GGameMode::OnChar(uint32_t character)
{
    if (m_keyboardHandler)
        m_keyboardHandler->OnChar(character);
}

void GGameMode::OnKeyDown(uint32_t virtualKey)
{
    if (m_keyboardHandler)
        m_keyboardHandler->OnKeyDown(virtualKey);
}

void GGameMode::Register(const std::string& name)
{
    m_name = name;
    std::vector<GGameMode*>& list = GameModeList();
    if (std::find(list.begin(), list.end(), this) == list.end())
        list.push_back(this);
}

GGameMode* GGameMode::Find(const std::string& name)
{
    for (GGameMode* mode : GameModeList())
        if (mode->m_name == name)
            return mode;
    return nullptr;
}

const std::vector<GGameMode*>& GGameMode::Registered()
{
    return GameModeList();
}
