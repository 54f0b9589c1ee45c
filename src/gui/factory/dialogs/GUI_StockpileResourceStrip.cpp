// A row of the resource picker.
#include "gui/factory/dialogs/GUI_StockpileResourceStrip.h"

#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_StockpilePicker.h"
#include "sim/definitions/SIM_Resource.h"

GUI_StockpileResourceStrip::GUI_StockpileResourceStrip(const SIM_Resource* resource) : m_resource(resource)
{
}

void GUI_StockpileResourceStrip::SetRect(float left, float top, float right, float bottom)
{
    GUI_WindowBase::SetRect(left, top, right, bottom);
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    // The icon fits the row inside its margins.
    const float h = static_cast<float>(m_inner.bottom - m_inner.top);
    DialogPanelDrawing::PlaceIcon(m_icon, m_resource ? m_resource->GetIcon() : std::string(), h,
                                  static_cast<float>(m_inner.left) + 2.0f + h * 0.5f, (top + bottom) * 0.5f);
}

bool GUI_StockpileResourceStrip::OnClick(float x, float y)
{
    (void)x;
    (void)y;
    if (!IsMouseOver() || !m_resource)
        return false;
    if (GUI_StockpilePicker* picker = GUI_StockpilePicker::GetOpen())
        picker->AddResource(m_resource);
    return true;
}

void GUI_StockpileResourceStrip::Draw()
{
    DialogPanelDrawing::Fill(m_inner, IsMouseOver() ? DialogPanelDrawing::kRowHover : DialogPanelDrawing::kRowGrey);
    DrawChildren();
    m_icon.Draw();
    if (m_resource)
        DialogPanelDrawing::PrintLeft(m_resource->GetGuiName(), DialogPanelDrawing::IconRight(m_icon) + 10.0f,
                                      static_cast<float>(m_inner.top + 13));
}
