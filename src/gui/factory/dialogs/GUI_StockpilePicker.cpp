// The resource picker of the supply stockpile dialog.
#include "gui/factory/dialogs/GUI_StockpilePicker.h"

#include "engine/GScreenSize.h"
#include "gui/factory/dialogs/GUI_StockpileResourceStrip.h"
#include "gui/factory/dialogs/GUI_SupplyStockpile.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_SupplyStockpile.h"

#include <algorithm>

namespace
{
// For the check of every window: the picker for a stockpile standing nowhere, with no dialog
// beside it; the stockpile goes with the picker.
struct PickerStandIn
{
    std::unique_ptr<SIM_SupplyStockpile> stockpile = std::make_unique<SIM_SupplyStockpile>();
};

class StandInStockpilePicker : private PickerStandIn, public GUI_StockpilePicker
{
public:
    StandInStockpilePicker() : GUI_StockpilePicker(nullptr, stockpile.get()) {}
};

const GUI_WindowRegistration kStockpilePickerRegistration{
    "stockpile_picker", [] { return std::make_unique<StandInStockpilePicker>(); }, true};
} // namespace

GUI_StockpilePicker::GUI_StockpilePicker(GUI_SupplyStockpile* owner)
    : GUI_StockpilePicker(owner, owner ? owner->GetStockpile() : nullptr)
{
}

GUI_StockpilePicker::GUI_StockpilePicker(GUI_SupplyStockpile* owner, SIM_SupplyStockpile* stockpile)
    : GUI_PickerDialog(kRowHeight), m_owner(owner), m_stockpile(stockpile)
{
    s_single.Claim(this);
    const float height = static_cast<float>(kListHeight) + m_topMargin + m_bottomMargin;
    float x = 0.0f;
    if (m_owner)
    {
        const float ownerCx = static_cast<float>(m_owner->GetLeft() + m_owner->GetRight()) * 0.5f;
        x = ownerCx > static_cast<float>(GScreenSize::Width()) * 0.5f
                ? static_cast<float>(m_owner->GetLeft()) - kWidth - 20.0f
                : static_cast<float>(m_owner->GetRight()) + 20.0f;
    }
    const float y = static_cast<float>(GScreenSize::Height()) * 0.5f - height * 0.5f;
    SetRect(x, y, x + kWidth, y + height);
    ClampToScreen();
    RebuildRows();
    ShowModal();
    SetTitleByKey("ADD_TO_STOCKPILE");
}

GUI_StockpilePicker::~GUI_StockpilePicker()
{
    s_single.Release(this);
}

void GUI_StockpilePicker::RebuildRows()
{
    DropRows();
    if (m_stockpile)
        for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
        {
            const auto& items = m_stockpile->StockItems();
            const bool listed = std::any_of(items.begin(), items.end(),
                                            [resource](const auto& item) { return item->resource == resource; });
            if (!listed)
                m_rows.push_back(std::make_unique<GUI_StockpileResourceStrip>(resource));
        }
    LayoutRows();
}

void GUI_StockpilePicker::AddResource(const SIM_Resource* resource)
{
    if (!m_stockpile || !resource || IsClosing())
        return;
    m_stockpile->AddStockItem(resource, 0);
    GUI_SupplyStockpile::Open(*m_stockpile);
    Close();
}
