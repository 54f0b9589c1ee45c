// The car stock dialog.
#include "gui/screens/cars/GUI_CarStock.h"

#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/cars/GUI_CarStockEntry.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_CheckButton.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/money/SIM_SalesManager.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"

#include <algorithm>
#include <mutex>

GUI_CarStock* GUI_CarStock::Open()
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_CarStock>();
}

int GUI_CarStock::VisibleRowsFor(int designCount, int screenHeight)
{
    // Five rows and the margins are taller than the smallest screen below its top strip.
    const int fit =
        (screenHeight - GUI_Metrics::kTopStrip - GUI_Metrics::kDialogTopMargin - kBottomMargin) / kRowHeight;
    return std::clamp(std::min(designCount, kMostRows), 0, std::max(1, fit));
}

GUI_CarStock::GUI_CarStock() : GUI_Dialog(true)
{
    s_single.Claim(this);
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    m_toggle = CreateChild<GUI_CheckButton>(GTextTable::GetText("CAR_STOCK_TOGGLE"), [this] { ToggleShowAll(); });
    m_toggle->SetTicked(true);
    m_bottomMargin = static_cast<float>(kBottomMargin);
    const int designs = static_cast<int>(SIM_VehicleDesignManager::Instance().GetDesigns().size());
    const int rows = VisibleRowsFor(designs, GScreenSize::Height());
    SetSize(static_cast<float>(kWidth), static_cast<float>(rows * kRowHeight) + m_topMargin + m_bottomMargin);
    CentreOnScreen();
    SetTitleByKey("CAR_STOCK_TITLE");
    RebuildRows();
}

GUI_CarStock::~GUI_CarStock()
{
    s_single.Release(this);
}

void GUI_CarStock::Layout()
{
    m_listRect = GetClientRect();
    m_bar->SetRect(static_cast<float>(m_listRect.right - 20), static_cast<float>(m_listRect.top + 5),
                   static_cast<float>(m_listRect.right - 5), static_cast<float>(m_listRect.bottom - 5));
    GUI_Layout::Place(m_toggle, PRect{m_listRect.left, m_listRect.bottom, m_listRect.right, m_listRect.bottom + 30});
    LayoutRows();
}

void GUI_CarStock::RebuildRows()
{
    m_rebuildPending = false;
    ++m_rebuildCount;
    m_rows.clear();
    m_bar->SetFirstRow(0);
    SIM_SalesManager& sales = SIM_SalesManager::Instance();
    for (SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
    {
        if (!design)
            continue;
        const int count = sales.GetStockCount(design);
        if (count > 0 || m_showAll)
            m_rows.push_back(std::make_unique<GUI_CarStockEntry>(design, count));
    }
    LayoutRows();
}

void GUI_CarStock::LayoutRows()
{
    ArrangeRows(*this, *this, m_listRect, kRowHeight);
    // A list that shows all its rows has nothing to scroll.
    m_bar->SetVisible(m_bar->GetTotalRows() > m_bar->GetVisibleRows());
}

void GUI_CarStock::ToggleShowAll()
{
    m_showAll = !m_showAll;
    m_toggle->SetTicked(m_showAll);
    // Made again before the next draw, not under the click that is being handled.
    RequestRebuild();
}

void GUI_CarStock::OnWheelUp()
{
    if (IsMouseInRect(m_listRect))
        m_bar->StepUp();
}

void GUI_CarStock::OnWheelDown()
{
    if (IsMouseInRect(m_listRect))
        m_bar->StepDown();
}

void GUI_CarStock::Draw()
{
    if (m_rebuildPending)
        RebuildRows();
    FollowScrollBar();
    GUI_Dialog::Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    if (fonts.IsInitialised())
        fonts.Flush();
}
