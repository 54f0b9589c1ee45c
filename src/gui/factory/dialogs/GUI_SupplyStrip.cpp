// A requested resource row of the supply stockpile dialog.
#include "gui/factory/dialogs/GUI_SupplyStrip.h"

#include "engine/core/GDebugLog.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_SupplyStockpile.h"
#include "gui/toolkit/widgets/GUI_IconButton.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/flow/SIM_SupplyStockpile.h"

#include <algorithm>

GUI_SupplyStrip::GUI_SupplyStrip(SupplyStockItem* item, GUI_SupplyStockpile* dialog)
    : m_dialog(dialog), m_item(item), m_amountText(std::to_string(item ? item->wanted : 0))
{
    m_slider = CreateSubWindow<GUI_OptionsSlider>([this] { OnAmountChanged(); }, 0, std::string(), false,
                                                  static_cast<float>(item ? item->wanted : 0));
    m_remove = CreateChild<GUI_IconButton>("gui_cross.dds", [this] { OnRemove(); });
}

GUI_SupplyStrip::~GUI_SupplyStrip() = default;

void GUI_SupplyStrip::SetRect(float left, float top, float right, float bottom)
{
    GUI_WindowBase::SetRect(left, top, right, bottom);
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
    const float h = static_cast<float>(m_height);
    const float side = h - 8.0f;
    DialogPanelDrawing::PlaceIcon(m_icon, m_item && m_item->resource ? m_item->resource->GetIcon() : std::string(),
                                  side, static_cast<float>(m_inner.left) + 2.0f + side * 0.5f, (top + bottom) * 0.5f);
    const float r = static_cast<float>(m_inner.right);
    const float t = static_cast<float>(m_inner.top);
    const float b = static_cast<float>(m_inner.bottom);
    m_remove->SetRect(r - 36.0f, t + 4.0f, r - 4.0f, t + 36.0f);
    m_slider->SetRange(0.0f, static_cast<float>(kSliderMaximum));
    m_slider->SetValue(static_cast<float>(m_item ? m_item->wanted : 0));
    m_slider->SetRect(r - 300.0f, t + 8.0f, r - 60.0f, b - 8.0f);
}

void GUI_SupplyStrip::Draw()
{
    if (!m_item)
        return;
    DialogPanelDrawing::Fill(m_inner, DialogPanelDrawing::kRowGrey);
    DrawChildren();
    DrawSubWindows();
    m_icon.Draw();
    const float x = DialogPanelDrawing::IconRight(m_icon) + 10.0f;
    if (m_item->resource)
        DialogPanelDrawing::PrintLeft(m_item->resource->GetGuiName(), x, static_cast<float>(m_inner.top + 10));
    DialogPanelDrawing::PrintLeft(m_amountText, x, static_cast<float>(m_inner.top + 26));
}

void GUI_SupplyStrip::OnAmountChanged()
{
    SIM_SupplyStockpile* stockpile = m_dialog ? m_dialog->GetStockpile() : nullptr;
    if (!m_item || !stockpile)
        return;
    const int value = static_cast<int>(m_slider->GetValue());
    int others = 0;
    for (const auto& item : stockpile->StockItems())
        if (item.get() != m_item)
            others += item->wanted;
    // A list loaded with more than the places allows leaves no room, not a negative amount.
    const int free = std::max(SIM_SupplyStockpile::kCapacity - others, 0);
    const int amount = std::clamp(value, 0, free);
    m_amountText = std::to_string(amount);
    m_item->wanted = amount;
    m_slider->SetValue(static_cast<float>(amount));
}

void GUI_SupplyStrip::OnRemove()
{
    FV_ASSERT(m_item != nullptr);
    if (!m_item || !m_dialog)
        return;
    m_dialog->RemoveItem(m_item);
    m_item = nullptr;
}
