// A needed resource in the slot dialog.
#include "gui/factory/dialogs/GUI_SlotRequirementIcon.h"

#include "engine/GD3DDevice.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_Resource.h"

namespace
{
constexpr uint32_t kRequirementMissingRed = 0xFFD01010u;
}

GUI_SlotRequirementIcon::GUI_SlotRequirementIcon(const SIM_Resource* resource, int required, bool inStock)
    : m_resource(resource), m_inStock(inStock), m_text(std::string("x").append(std::to_string(required)))
{
    m_tooltip = std::make_unique<GUI_Tooltip>(resource ? resource->GetGuiName() : std::string(), 10);
}

GUI_SlotRequirementIcon::~GUI_SlotRequirementIcon() = default;

void GUI_SlotRequirementIcon::Layout()
{
    const float h = static_cast<float>(m_height);
    DialogPanelDrawing::PlaceIcon(m_icon, m_resource ? m_resource->GetIcon() : std::string(), h,
                                  static_cast<float>(m_left) + h * 0.5f, static_cast<float>(m_top) + h * 0.5f);
    m_tooltip->SetPosition(static_cast<float>(m_left), static_cast<float>(m_top));
}

void GUI_SlotRequirementIcon::Update()
{
    if (IsMouseOver())
        m_tooltip->UpdateHover();
    GUI_WindowBase::Update();
}

void GUI_SlotRequirementIcon::Draw()
{
    m_icon.Draw();
    const float x = DialogPanelDrawing::IconRight(m_icon) + 10.0f;
    DialogPanelDrawing::PrintLeft(m_text, x, static_cast<float>(m_top + 4));
    if (!m_inStock)
    {
        // The missing mark: a red cross over the icon's lower corner.
        const float r = static_cast<float>(m_left + m_height);
        const float b = static_cast<float>(m_bottom);
        DrawLineSprite(kRequirementMissingRed, r - 12.0f, b - 12.0f, r - 2.0f, b - 2.0f, 3.0f);
        DrawLineSprite(kRequirementMissingRed, r - 2.0f, b - 12.0f, r - 12.0f, b - 2.0f, 3.0f);
    }
    m_tooltip->Draw();
}
