// A row of the income list.
#include "gui/screens/finance/GUI_Fin_SalesItem.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/cars/GUI_DesignPreview.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

GUI_Fin_SalesItem::GUI_Fin_SalesItem(SIM_VehicleDesign* design, float lastHourIncome, float last24HoursIncome,
                                     float allTimeIncome, int soldLastHour, int soldLast24Hours, int soldAllTime)
    : m_design(design), m_incomes{SIM_FinanceManager::FormatMoney(lastHourIncome),
                                  SIM_FinanceManager::FormatMoney(last24HoursIncome),
                                  SIM_FinanceManager::FormatMoney(allTimeIncome)},
      m_quantities{IntToStringWithCommas(soldLastHour), IntToStringWithCommas(soldLast24Hours),
                   IntToStringWithCommas(soldAllTime)}
{
    m_salePriceLine = GTextTable::GetText("FIN_INC_SALEPRICE") + " " +
                      SIM_FinanceManager::FormatMoney(design ? design->m_price : 0.0f);
    m_preview = CreateSubWindow<GUI_DesignPreview>(design);
    m_tooltip = std::make_unique<GUI_Tooltip>(GTextTable::GetText("VEHICLE_FEATURES"), 0);
    if (design)
        for (const SIM_VehicleFeatureRecord* record : design->m_featureRecords)
            if (record && record->feature)
                m_tooltip->AddLine(record->feature->GetGUIName());
}

GUI_Fin_SalesItem::~GUI_Fin_SalesItem() = default;

void GUI_Fin_SalesItem::SetRect(float left, float top, float right, float bottom)
{
    // The picture is built for one place, so a row that moves (the list scrolled) makes a new one.
    (void)RemoveSubWindow(m_preview);
    m_preview = CreateSubWindow<GUI_DesignPreview>(m_design);
    GUI_WindowBase::SetRect(left, top, right, bottom);
    m_preview->SetRect(static_cast<float>(m_left + 2), static_cast<float>(m_top + 2),
                       static_cast<float>(m_left + m_height - 2), static_cast<float>(m_bottom - 2));
    if (m_design)
        m_preview->Build(m_design->m_colour.r, m_design->m_colour.g, m_design->m_colour.b);
    m_inner = PRect{m_left + 2, m_top + 2, m_right - 2, m_bottom - 2};
}

void GUI_Fin_SalesItem::Update()
{
    if (m_tooltip && IsMouseOver())
        m_tooltip->UpdateHover();
}

void GUI_Fin_SalesItem::Draw()
{
    GD3DDevice::Instance().DrawRectLines(m_inner, 0x40808080u);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        const float y1 = static_cast<float>(m_top + m_bottom) * 0.5f - 15.0f;
        const float y2 = y1 + 20.0f;
        const float textX = static_cast<float>(m_preview->GetRight() + 10);
        const float right = static_cast<float>(m_inner.right);
        fonts.Print(m_design ? m_design->GetName() : std::string(), 0xFF000000u, textX, y1, 0.0f, 0);
        fonts.Print(m_salePriceLine, 0xFF000000u, textX, y2, 0.0f, 0);
        for (int period = 0; period < 3; ++period)
        {
            // All time in the right-most column, then 24 hours, then the last hour.
            const float boxLeft = right - 300.0f - 100.0f * static_cast<float>(2 - period);
            fonts.Print(m_incomes[period], 0xFF000000u, boxLeft, y1, 290.0f, 1);
            fonts.Print(m_quantities[period], 0xFF000000u, boxLeft, y2, 290.0f, 1);
        }
        fonts.Flush();
    }
    DrawSubWindows();
    if (m_tooltip)
        m_tooltip->Draw();
}
