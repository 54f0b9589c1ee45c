// A stockpile cell.
#include "gui/factory/dialogs/GUI_StockpileEntry.h"

#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_Resource.h"

#include <cstdio>

GUI_StockpileEntry::GUI_StockpileEntry(const SIM_Resource* resource, int held, int incoming) : m_resource(resource)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%d+(%d)", held, incoming);
    m_text = text;
    m_tooltip = std::make_unique<GUI_Tooltip>(resource ? resource->GetGuiName() : std::string(), kTooltipDelayFrames);
}

GUI_StockpileEntry::~GUI_StockpileEntry() = default;

void GUI_StockpileEntry::PlaceIcon()
{
    const float h = static_cast<float>(m_height);
    DialogPanelDrawing::PlaceIcon(m_icon, m_resource ? m_resource->GetIcon() : std::string(), h,
                                  static_cast<float>(m_left) + h * 0.5f, static_cast<float>(m_top) + h * 0.5f);
    m_tooltip->SetPosition(static_cast<float>(m_left), static_cast<float>(m_top));
}

void GUI_StockpileEntry::Update()
{
    if (IsMouseOver())
        m_tooltip->UpdateHover();
    GUI_WindowBase::Update();
}

void GUI_StockpileEntry::Draw()
{
    m_icon.Draw();
    DialogPanelDrawing::PrintLeft(m_text, DialogPanelDrawing::IconRight(m_icon) + 10.0f, static_cast<float>(m_top + 4));
    m_tooltip->Draw();
}
