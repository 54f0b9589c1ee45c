// A stand-in screen that shows its own name.
#include "engine/GPlaceholderMode.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GGameServices.h"
#include "engine/GScreenSize.h"

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
    GGameServices::Get().UpdateWindows();
}

void GPlaceholderMode::OnLeftDown()
{
    GGameServices::Get().WindowsLeftDown();
}

void GPlaceholderMode::OnRightDown()
{
    GGameServices::Get().WindowsRightDown();
}

void GPlaceholderMode::OnWheelUp()
{
    GGameServices::Get().WindowsWheel(true);
}

void GPlaceholderMode::OnWheelDown()
{
    GGameServices::Get().WindowsWheel(false);
}

void GPlaceholderMode::OnKeyDown(uint32_t virtualKey)
{
    GGameServices::Get().WindowsKeyDown(virtualKey);
}

void GPlaceholderMode::Draw()
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
