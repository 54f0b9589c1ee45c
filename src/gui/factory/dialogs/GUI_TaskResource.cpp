// A requirement line of a slot.
#include "gui/factory/dialogs/GUI_TaskResource.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_Resource.h"

namespace
{
constexpr const char* kTick = "gui_tick.dds";
constexpr const char* kCross = "gui_cross.dds";

// A stand-in resource, so the check of every window sees a line as a slot's panel shows it.
const GUI_WindowRegistration kTaskResourceRegistration{"task_resource",
                                                       [] {
                                                           static SIM_Resource sample;
                                                           sample.m_icon = kTick;
                                                           sample.m_guiName = "Steel";
                                                           auto line =
                                                               std::make_unique<GUI_TaskResource>(&sample, 3, true);
                                                           line->SetRect(20.0f, 60.0f, 260.0f, 92.0f);
                                                           return line;
                                                       },
                                                       false};
} // namespace

GUI_TaskResource::GUI_TaskResource(const SIM_Resource* resource, int count, bool met)
    : m_resource(resource), m_countText(std::to_string(count))
{
    if (!m_resource)
        GDebugLog::Instance().LogError("A requirement line was made without its resource");
    m_icon.SetTexture(m_resource ? m_resource->GetIcon() : std::string());
    m_tooltip = std::make_unique<GUI_Tooltip>(m_resource ? m_resource->GetGuiName() : std::string(), kTooltipDelay);
    m_mark.SetTexture(met ? kTick : kCross);
}

GUI_TaskResource::~GUI_TaskResource() = default;

void GUI_TaskResource::Layout()
{
    const float h = static_cast<float>(m_height);
    const float centre = static_cast<float>(m_top + m_bottom) / 2.0f;
    m_icon.m_width = h;
    m_icon.m_height = h;
    m_icon.SetPosition(static_cast<float>(m_left) + h / 2.0f, centre);
    RemapSpriteToAtlas(m_icon);
    m_mark.m_width = 0.75f * h;
    m_mark.m_height = 0.75f * h;
    m_mark.SetPosition(static_cast<float>(m_right) - 0.375f * h - 20.0f, centre);
    m_tooltip->SetPosition(static_cast<float>(m_left), static_cast<float>(m_bottom));
}

void GUI_TaskResource::Draw()
{
    if (!IsVisible())
        return;
    m_icon.Draw();
    m_mark.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised() && fonts.GetCurrentFont())
    {
        const float iconRight = m_icon.m_vertices[1].x;
        fonts.Print(m_countText, 0xFF000000u, iconRight + 10.0f, static_cast<float>(m_top + 2),
                    static_cast<float>(m_right) - iconRight - 10.0f, 0);
    }
    m_tooltip->Draw();
}

void GUI_TaskResource::Update()
{
    if (IsVisible() && IsMouseOver())
        m_tooltip->UpdateHover();
    GUI_WindowBase::Update();
}
