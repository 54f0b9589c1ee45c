// The supply stockpile dialog.
#include "gui/factory/dialogs/GUI_SupplyStockpile.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "gui/factory/dialogs/DialogPanelDrawing.h"
#include "gui/factory/dialogs/GUI_StockpilePicker.h"
#include "gui/factory/dialogs/GUI_SupplyStrip.h"
#include "gui/factory/floor/GUI_Tile.h"
#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/flow/SIM_SupplyStockpile.h"

#include <algorithm>

namespace
{
// For the check of every window: the dialog of a stockpile standing nowhere with nothing listed;
// the stockpile goes with the dialog.
struct SupplyDialogStandIn
{
    std::unique_ptr<SIM_SupplyStockpile> stockpile = std::make_unique<SIM_SupplyStockpile>();
};

class StandInSupplyStockpile : private SupplyDialogStandIn, public GUI_SupplyStockpile
{
public:
    StandInSupplyStockpile() : GUI_SupplyStockpile(stockpile.get()) {}
};

const GUI_WindowRegistration kSupplyStockpileRegistration{
    "supply_stockpile", [] { return std::make_unique<StandInSupplyStockpile>(); }, false};
} // namespace

GUI_SupplyStockpile::GUI_SupplyStockpile(SIM_SupplyStockpile* stockpile) : GUI_Dialog(true), m_stockpile(stockpile)
{
    s_single.Claim(this);
    m_bottomMargin += 40.0f;
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    m_add = CreateChild<GUI_ButtonText>("ADD_ITEM", [this] { OnAddItem(); });
    Reposition();
    const SIM_BaseTask* task = m_stockpile ? m_stockpile->GetTask() : nullptr;
    SetTitle(task ? task->GetGuiName() : std::string());
    RebuildRows();
}

GUI_SupplyStockpile::~GUI_SupplyStockpile()
{
    s_single.Release(this);
    // The rows are shown as sub-windows; take them out before they go.
    for (const auto& row : m_rows)
        (void)RemoveSubWindow(row.get());
    m_rows.clear();
}

GUI_SupplyStockpile* GUI_SupplyStockpile::Open(SIM_SupplyStockpile& stockpile)
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_SupplyStockpile>(&stockpile);
}

void GUI_SupplyStockpile::CloseFor(const SIM_SupplyStockpile& stockpile)
{
    if (s_single.Get() && s_single.Get()->m_stockpile == &stockpile)
    {
        GUI_SupplyStockpile* open = s_single.Forget();
        open->Close();
    }
    if (GUI_StockpilePicker* picker = GUI_StockpilePicker::GetOpen())
        if (picker->GetStockpile() == &stockpile)
            picker->Close();
}

float GUI_SupplyStockpile::CentreXBeside(float facilityX, float screenCentreX)
{
    return facilityX < screenCentreX ? facilityX + 450.0f : facilityX - 450.0f;
}

GUI_SlotBase* GUI_SupplyStockpile::FacilityView() const
{
    return m_stockpile ? dynamic_cast<GUI_SlotBase*>(m_stockpile->GetGuiSlot()) : nullptr;
}

void GUI_SupplyStockpile::Reposition()
{
    const int n = m_stockpile ? static_cast<int>(m_stockpile->StockItems().size()) : 0;
    const float height = static_cast<float>(std::min(n, kVisibleRows) * kRowHeight) + m_topMargin + m_bottomMargin;
    const float screenCx = static_cast<float>(GScreenSize::Width()) * 0.5f;
    const float screenCy = static_cast<float>(GScreenSize::Height()) * 0.5f;
    const GUI_SlotBase* view = FacilityView();
    const GUI_Tile* tile = view ? view->GetMainTileView() : nullptr;
    const float cx = CentreXBeside(tile ? tile->GetScreenX() : screenCx, screenCx);
    SetRect(cx - kWidth * 0.5f, screenCy - height * 0.5f, cx + kWidth * 0.5f, screenCy + height * 0.5f);
    ClampToScreen();
}

void GUI_SupplyStockpile::Layout()
{
    if (!m_bar || !m_add)
        return;
    const PRect c = GetClientRect();
    m_bar->SetRect(static_cast<float>(c.right - 20), static_cast<float>(c.top + 5), static_cast<float>(c.right - 5),
                   static_cast<float>(c.bottom - 5));
    m_add->SetRect(static_cast<float>(c.left), static_cast<float>(c.bottom + 10), static_cast<float>(c.right),
                   static_cast<float>(c.bottom + 40));
    if (!m_rows.empty())
        LayoutRows();
}

void GUI_SupplyStockpile::RebuildRows()
{
    for (const auto& row : m_rows)
        (void)RemoveSubWindow(row.get());
    m_rows.clear();
    if (m_stockpile)
        for (const auto& item : m_stockpile->StockItems())
            m_rows.push_back(std::make_unique<GUI_SupplyStrip>(item.get(), this));
    m_bar->SetVisible(!m_rows.empty());
    LayoutRows();
}

void GUI_SupplyStockpile::LayoutRows()
{
    if (!m_rows.empty())
        ArrangeRows(*this, *this, GetClientRect(), kRowHeight);
}

void GUI_SupplyStockpile::RemoveItem(SupplyStockItem* item)
{
    if (!m_stockpile)
        return;
    auto& items = m_stockpile->StockItems();
    items.erase(std::remove_if(items.begin(), items.end(), [item](const auto& p) { return p.get() == item; }),
                items.end());
    m_rebuildPending = true;
}

void GUI_SupplyStockpile::ApplyPendingRebuild()
{
    if (!m_rebuildPending)
        return;
    m_rebuildPending = false;
    Reposition();
    RebuildRows();
}

void GUI_SupplyStockpile::Update()
{
    ApplyPendingRebuild();
    GUI_Dialog::Update();
    ApplyPendingRebuild();
}

void GUI_SupplyStockpile::OnWheelUp()
{
    if (IsMouseOver() && m_bar)
        m_bar->StepUp();
}

void GUI_SupplyStockpile::OnWheelDown()
{
    if (IsMouseOver() && m_bar)
        m_bar->StepDown();
}

void GUI_SupplyStockpile::OnAddItem()
{
    if (GUI_StockpilePicker* open = GUI_StockpilePicker::GetOpen())
        open->Close();
    GUI_WindowManager::Create<GUI_StockpilePicker>(this);
}

void GUI_SupplyStockpile::Draw()
{
    if (!IsVisible())
        return;
    ApplyPendingRebuild();
    if (m_bar->IsChanged())
    {
        m_bar->ClearChanged();
        LayoutRows();
    }
    if (GUI_SlotBase* view = FacilityView())
    {
        view->RequestOutlines();
        view->ShowNameLabel();
        if (const GUI_Tile* tile = view->GetMainTileView())
            DialogPanelDrawing::DrawConnector(PRect{m_left, m_top, m_right, m_bottom}, tile->GetScreenX(),
                                              tile->GetScreenY());
    }
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
    GD3DDevice::Instance().DrawFrame(PRect{m_left, m_top, m_right, m_bottom}, DialogPanelDrawing::kMarkerRed, 4.0f);
}
