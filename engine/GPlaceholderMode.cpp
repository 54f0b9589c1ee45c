// A stand-in screen that shows its own name.
#include "engine/GPlaceholderMode.h"

#include "engine/CBaseInputManager.h"

#include <map>
#include <memory>

GPlaceholderMode& GPlaceholderMode::ForName(const std::string& name)
{
    // Kept for the whole process, like every mode.
    static std::map<std::string, std::unique_ptr<GPlaceholderMode>>* modes =
        new std::map<std::string, std::unique_ptr<GPlaceholderMode>>();
    std::unique_ptr<GPlaceholderMode>& slot = (*modes)[name];
    if (!slot)
        slot = std::make_unique<GPlaceholderMode>(name);
    return *slot;
}

GPlaceholderMode::GPlaceholderMode(const std::string& name)
{
    Register(name);
}

void GPlaceholderMode::Enter()
{
    ++m_enterCount;
}

void GPlaceholderMode::Process()
{
    // Every screen refreshes the mouse state once per frame before it looks at it.
    if (CBaseInputManager* input = CBaseInputManager::Active())
        input->Update();
}

void GPlaceholderMode::Draw()
{
}
