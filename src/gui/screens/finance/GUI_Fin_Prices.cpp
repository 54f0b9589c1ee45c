// The prices tab of the finance screen.
#include "gui/screens/finance/GUI_Fin_Prices.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/finance/FinanceFigures.h"
#include "gui/screens/finance/FinancePaneDrawing.h"
#include "gui/screens/finance/GUI_Fin_Resource.h"
#include "gui/toolkit/charts/GUI_GraphBase.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/money/SIM_FinanceManager.h"

#include <algorithm>

GUI_Fin_Prices::GUI_Fin_Prices()
    : m_nowCaption(GTextTable::GetText("FIN_SUMMARY_NOW")),
      m_earliestCaption(GTextTable::GetText("FIN_SUMMARY_MINUS30"))
{
    s_current = this;
    m_graph = CreateSubWindow<GUI_GraphBase>();
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    RebuildRows();
    const std::vector<SIM_Resource*>& resources = SIM_ResourceManager::Instance().GetResources();
    SelectResource(resources.empty() ? nullptr : resources.front());
}

GUI_Fin_Prices::~GUI_Fin_Prices()
{
    if (s_current == this)
        s_current = nullptr;
}

void GUI_Fin_Prices::Layout()
{
    m_listRect = PRect{m_left + 4, m_top + 4, m_left + kListWidth, m_bottom - 4};
    m_graphArea = PRect{m_listRect.right + 4, m_top + 4, m_right - 4, m_bottom - 4};
    // Whole tens, so the grid's lines meet the frame on every side.
    m_plotRect = FinancePaneDrawing::TrimToTens(
        PRect{m_graphArea.left + 20, m_graphArea.top + 40, m_graphArea.right - 80, m_graphArea.bottom - 40});
    // Whole rows, centred in the height.
    const int listHeight = std::max(0, m_listRect.bottom - m_listRect.top);
    const int used = listHeight / kRowHeight * kRowHeight;
    m_listRect.top += (listHeight - used) / 2;
    m_listRect.bottom = m_listRect.top + used;
    m_bar->SetRect(static_cast<float>(m_listRect.right - 20), static_cast<float>(m_listRect.top + 5),
                   static_cast<float>(m_listRect.right - 5), static_cast<float>(m_listRect.bottom - 5));
    m_graph->SetRect(static_cast<float>(m_plotRect.left), static_cast<float>(m_plotRect.top),
                     static_cast<float>(m_plotRect.right), static_cast<float>(m_plotRect.bottom));
    LayoutRows();
}

void GUI_Fin_Prices::SelectResource(SIM_Resource* resource)
{
    m_selected = resource;
    if (!resource)
    {
        m_graphTop = kLeastTop;
        m_scaleLabel.clear();
        std::fill(std::begin(m_plotted), std::end(m_plotted), 0.0f);
        return;
    }
    float highest = kLeastTop;
    for (float price : resource->m_prices)
        highest = std::max(highest, price);
    m_graphTop = highest * 1.1f;
    FinanceFigures::ScaleAll(resource->m_prices, m_plotted, 0.0f, m_graphTop);
    m_scaleLabel = SIM_FinanceManager::FormatMoney(m_graphTop);
}

void GUI_Fin_Prices::RebuildRows()
{
    m_rows.clear();
    for (SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
        if (resource)
            m_rows.push_back(std::make_unique<GUI_Fin_Resource>(resource));
    LayoutRows();
}

void GUI_Fin_Prices::LayoutRows()
{
    ArrangeRows(*this, *this, m_listRect, kRowHeight);
}

void GUI_Fin_Prices::Draw()
{
    GD3DDevice& device = GD3DDevice::Instance();
    device.FillRect(PRect{m_left, m_top, m_right, m_bottom}, 0xFFFFFFFFu);
    FollowScrollBar();
    GUI_GraphBase::DrawGrid(m_plotRect.left, m_plotRect.top, m_plotRect.right, m_plotRect.bottom, 10.0f);
    device.DrawRectLines(m_graphArea, 0xFFC8C8C8u);
    GFontManager& fonts = GFontManager::Instance();
    const bool text = fonts.IsInitialised();
    if (text)
        GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    if (text)
    {
        GUI_Fonts::SelectSemibold16();
        if (m_selected)
            fonts.Print(m_selected->GetGuiName(), 0xFF000000u, static_cast<float>(m_graphArea.left),
                        static_cast<float>(m_graphArea.top + 20),
                        static_cast<float>(m_graphArea.right - m_graphArea.left), 2);
        const float captionY = static_cast<float>(m_plotRect.bottom + 10);
        fonts.Print(m_nowCaption, 0xFF000000u, static_cast<float>(m_plotRect.right - 200), captionY, 190.0f, 1);
        fonts.Print(m_earliestCaption, 0xFF000000u, static_cast<float>(m_plotRect.left + 10), captionY, 0.0f, 0);
        if (m_selected)
            fonts.Print(m_scaleLabel, 0xFF000000u, static_cast<float>(m_plotRect.right + 10),
                        static_cast<float>(m_plotRect.top + 5), 0.0f, 0);
        fonts.Flush();
    }
    if (m_selected)
        m_graph->DrawValueCurve(m_plotted, 200, 32, 32, 255, 4.0f);
}
