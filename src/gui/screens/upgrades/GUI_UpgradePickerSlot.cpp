// One row of the upgrade picker.
#include "gui/screens/upgrades/GUI_UpgradePickerSlot.h"

#include "engine/GFontManager.h"
#include "engine/core/GDebugLog.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/screens/upgrades/GUI_UpgradePicker.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_SlotUpgrade.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/research/SIM_Researchable.h"

GUI_UpgradePickerSlot::GUI_UpgradePickerSlot(SIM_SlotUpgrade* upgrade, bool canBuy) : m_upgrade(upgrade)
{
    FV_ASSERT(upgrade != nullptr);
    m_tooltip = std::make_unique<GUI_Tooltip>(std::string(), 0);
    if (m_upgrade)
    {
        DialogPanelDrawing::AddUpgradeLines(*m_tooltip, *m_upgrade);
        m_name = m_upgrade->GetGuiName();
        m_cost = SIM_FinanceManager::FormatMoney(m_upgrade->m_cost);
    }
    m_buy = CreateChild<GUI_ButtonText>("UPGRADE_PICKER_BUY", [this] { GUI_UpgradePicker::Buy(this); });
    if (!canBuy)
    {
        m_buy->SetEnabled(false);
        m_buy->SetTextByKey("UPGRADE_PICKER_INSTALLED");
    }
    // Checked after the installed test: an upgrade whose research is somehow undone reads as not
    // researched even when installed.
    const SIM_Researchable* research = m_upgrade ? m_upgrade->m_research : nullptr;
    if (research && research->m_cost > 0.0f && research->m_progress < research->m_cost)
    {
        m_buy->SetEnabled(false);
        m_buy->SetTextByKey("UNRESEARCHED");
        m_lock.SetTexture("module_locked.dds");
        m_locked = true;
    }
    m_textColour = m_locked ? kLockedTextColour : kTextColour;
    m_background = m_locked ? kLockedBackground : kBackground;
}

GUI_UpgradePickerSlot::~GUI_UpgradePickerSlot() = default;

void GUI_UpgradePickerSlot::SetRect(float left, float top, float right, float bottom)
{
    GUI_WindowBase::SetRect(left, top, right, bottom);
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    const float side = static_cast<float>(m_height - 4);
    DialogPanelDrawing::PlaceIcon(m_icon, m_upgrade ? m_upgrade->GetTexture() : std::string(), side,
                                  static_cast<float>(m_inner.left + 2) + side * 0.5f,
                                  static_cast<float>(m_top + m_bottom) * 0.5f);
    if (m_locked)
        m_icon.SetColour(255, 255, 255, 128);
    m_buy->SetRect(static_cast<float>(m_inner.right - 150), static_cast<float>(m_inner.bottom - 24),
                   static_cast<float>(m_inner.right - 2), static_cast<float>(m_inner.bottom - 2));
    m_tooltip->SetPosition(static_cast<float>(m_left), static_cast<float>(m_top));
}

void GUI_UpgradePickerSlot::Update()
{
    if (IsMouseOver())
        m_tooltip->UpdateHover();
    GUI_WindowBase::Update();
}

void GUI_UpgradePickerSlot::Draw()
{
    DialogPanelDrawing::Fill(m_inner, m_background);
    m_icon.Draw();
    float x = DialogPanelDrawing::IconRight(m_icon) + 10.0f;
    const float height = static_cast<float>(m_height);
    const float middle = static_cast<float>(m_top + m_bottom) * 0.5f;
    if (m_locked)
    {
        m_lock.m_width = height - 8.0f;
        m_lock.m_height = height - 8.0f;
        m_lock.SetPosition(x + (height - 8.0f) * 0.5f, middle);
        m_lock.Draw();
        x += height;
    }
    GFontManager& fonts = GFontManager::Instance();
    const float y = static_cast<float>(m_top + 5);
    fonts.Print(m_name, m_textColour, x, y, 0.0f, 0);
    const float costRight = static_cast<float>(m_inner.right - 10);
    fonts.Print(m_cost, m_textColour, static_cast<float>(m_inner.left), y, costRight - static_cast<float>(m_inner.left),
                1);
    DrawChildren();
    m_tooltip->Draw();
}
