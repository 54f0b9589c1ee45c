// An installed upgrade row.
#include "gui/factory/dialogs/GUI_SlotUpgrade.h"

#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_SlotUpgrade.h"

GUI_SlotUpgrade::GUI_SlotUpgrade(SIM_SlotUpgrade* upgrade) : m_upgrade(upgrade)
{
    m_tooltip = std::make_unique<GUI_Tooltip>(std::string(), 0);
    if (m_upgrade)
        DialogPanelDrawing::AddUpgradeLines(*m_tooltip, *m_upgrade);
}

GUI_SlotUpgrade::~GUI_SlotUpgrade() = default;

void GUI_SlotUpgrade::SetRect(float left, float top, float right, float bottom)
{
    GUI_WindowBase::SetRect(static_cast<float>(static_cast<int>(left)), static_cast<float>(static_cast<int>(top)),
                            static_cast<float>(static_cast<int>(right)), static_cast<float>(static_cast<int>(bottom)));
    const float h = static_cast<float>(m_height);
    DialogPanelDrawing::PlaceIcon(m_icon, m_upgrade ? m_upgrade->GetTexture() : std::string(), h,
                                  static_cast<float>(m_left) + h * 0.5f, static_cast<float>(m_top + m_bottom) * 0.5f);
    m_tooltip->SetPosition(static_cast<float>(m_left), static_cast<float>(m_top));
}

void GUI_SlotUpgrade::Update()
{
    if (IsMouseOver())
        m_tooltip->UpdateHover();
    GUI_WindowBase::Update();
}

void GUI_SlotUpgrade::Draw()
{
    if (m_upgrade)
        DialogPanelDrawing::PrintLeft(m_upgrade->GetGuiName(), DialogPanelDrawing::IconRight(m_icon) + 10.0f,
                                      static_cast<float>(m_top));
    m_icon.Draw();
    m_tooltip->Draw();
}
