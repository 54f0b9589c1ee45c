// The screen of a mode name without the game's screens: its own name on a plain background.
#include "engine/GHeadlessMode.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GGameServices.h"
#include "engine/GScreenSize.h"
#include "engine/core/GLifetime.h"

#include <map>
#include <memory>

namespace
{
// The stand-in modes made so far, by name; held by the program's owner like every mode.
struct GHeadlessModes
{
    std::map<std::string, std::unique_ptr<GHeadlessMode>> modes;
};
} // namespace

GHeadlessMode& GHeadlessMode::ForName(const std::string& name)
{
    std::unique_ptr<GHeadlessMode>& slot = GLifetime::Get<GHeadlessModes>().modes[name];
    if (!slot)
        slot = std::make_unique<GHeadlessMode>(name);
    return *slot;
}

GHeadlessMode::GHeadlessMode(const std::string& name)
{
    Register(name);
}

void GHeadlessMode::Process()
{
    // Every screen refreshes the mouse state once per frame before it looks at it.
    if (CBaseInputManager* input = CBaseInputManager::Active())
        input->Update();
    GGameServices::Get().UpdateWindows();
}

void GHeadlessMode::OnLeftDown()
{
    GGameServices::Get().WindowsLeftDown();
}

void GHeadlessMode::OnRightDown()
{
    GGameServices::Get().WindowsRightDown();
}

void GHeadlessMode::OnWheelUp()
{
    GGameServices::Get().WindowsWheel(true);
}

void GHeadlessMode::OnWheelDown()
{
    GGameServices::Get().WindowsWheel(false);
}

void GHeadlessMode::OnKeyDown(uint32_t virtualKey)
{
    GGameServices::Get().WindowsKeyDown(virtualKey);
}

void GHeadlessMode::Draw()
{
    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
        device->Clear(0xFF1E2226);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised() && !fonts.GetFonts().empty())
    {
        fonts.SelectFont("Open Sans Semibold_24.dds", 24.0f);
        fonts.Print(GetName(), 0xFFFFFFFF, 40.0f, 40.0f, static_cast<float>(GScreenSize::Width()) - 80.0f, 0);
        fonts.Flush();
    }
    GGameServices::Get().DrawWindows();
}
