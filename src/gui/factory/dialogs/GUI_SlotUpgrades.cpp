// The upgrades panel of the slot dialog.
#include "gui/factory/dialogs/GUI_SlotUpgrades.h"

#include "engine/core/GTextTable.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_SlotUpgrade.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "sim/slots/SIM_PlaceableSlot.h"

GUI_SlotUpgrades::GUI_SlotUpgrades(SIM_PlaceableSlot* slot)
    : m_title(GTextTable::GetText("SLOT_UPGRADES_TITLE")), m_slot(slot)
{
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    m_choose = CreateChild<GUI_ButtonText>("CHOOSE_UPGRADES", [this] { OnChooseUpgrades(); });
}

GUI_SlotUpgrades::~GUI_SlotUpgrades()
{
    // The rows are shown as sub-windows; take them out before they go.
    for (const auto& row : m_rows)
        (void)RemoveSubWindow(row.get());
    m_rows.clear();
    // A picker left open without its dialog would buy for a slot the player no longer sees.
    if (UpgradePickerCloser())
        UpgradePickerCloser()(m_slot);
}

std::function<void(SIM_PlaceableSlot*)>& GUI_SlotUpgrades::UpgradePickerOpener()
{
    static std::function<void(SIM_PlaceableSlot*)> opener;
    return opener;
}

std::function<void(SIM_PlaceableSlot*)>& GUI_SlotUpgrades::UpgradePickerCloser()
{
    static std::function<void(SIM_PlaceableSlot*)> closer;
    return closer;
}

void GUI_SlotUpgrades::Layout()
{
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    m_list = PRect{m_inner.left + 10, m_inner.top + 24, m_inner.right - 2, m_inner.bottom - 2};
    m_bar->SetRect(static_cast<float>(m_list.right - 20), static_cast<float>(m_list.top + 5),
                   static_cast<float>(m_list.right - 5), static_cast<float>(m_list.bottom - 5));
    m_choose->SetRect(static_cast<float>(m_inner.right - 150), static_cast<float>(m_inner.top + 2),
                      static_cast<float>(m_inner.right - 2), static_cast<float>(m_inner.top + 22));
    RebuildRows();
}

void GUI_SlotUpgrades::RebuildRows()
{
    for (const auto& row : m_rows)
        (void)RemoveSubWindow(row.get());
    m_rows.clear();
    if (m_slot)
        for (SIM_SlotUpgrade* upgrade : m_slot->GetUpgrades())
            m_rows.push_back(std::make_unique<GUI_SlotUpgrade>(upgrade));
    LayoutRows();
}

void GUI_SlotUpgrades::LayoutRows()
{
    // A list too short for one row (the panel is hidden) shows none.
    if (m_list.bottom - m_list.top >= kRowHeight)
        ArrangeRows(*this, *this, m_list, kRowHeight);
    m_bar->SetVisible(m_bar->GetMaxFirstRow() > 0);
}

void GUI_SlotUpgrades::Draw()
{
    DialogPanelDrawing::Fill(m_inner, DialogPanelDrawing::kPanelGrey);
    if (m_bar->IsChanged())
    {
        m_bar->ClearChanged();
        LayoutRows();
    }
    DialogPanelDrawing::PrintLeft(m_title, static_cast<float>(m_inner.left + 10), static_cast<float>(m_inner.top));
    DrawSubWindows();
    DrawChildren();
}

void GUI_SlotUpgrades::OnChooseUpgrades()
{
    // The picker keeps one open picker itself: opening a second replaces the first.
    if (UpgradePickerOpener())
        UpgradePickerOpener()(m_slot);
}
