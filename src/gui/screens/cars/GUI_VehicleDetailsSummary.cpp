// The value summary of the vehicle details.
#include "gui/screens/cars/GUI_VehicleDetailsSummary.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/cars/DesignPriceText.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/vehicles/SIM_Vehicle.h"

#include <utility>

GUI_VehicleDetailsSummary::GUI_VehicleDetailsSummary(SIM_Vehicle* car)
    : m_valueLabel(GTextTable::GetText("VDS_VALUE")), m_basicLabel(GTextTable::GetText("VDS_BASIC")),
      m_qualityLabel(GTextTable::GetText("VDS_QUALITY")), m_brandLabel(GTextTable::GetText("VDS_BRAND"))
{
    SetTakesMouse(false);
    float costs[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (car)
    {
        car->CalculateCosts();
        for (int i = 0; i < 4; ++i)
            costs[i] = car->GetCosts()[i];
    }
    m_value = FormatFigure(costs[3]);
    m_basic = FormatFigure(costs[0]);
    m_quality = FormatFigure(costs[1]);
    m_brand = FormatFigure(costs[2]);
}

std::string GUI_VehicleDetailsSummary::FormatFigure(float figure)
{
    return DesignPriceText::WholeAmount("$ ", figure);
}

void GUI_VehicleDetailsSummary::Layout()
{
    m_inner = GUI_Layout::Inset(PRect{m_left, m_top, m_right, m_bottom}, 2);
}

void GUI_VehicleDetailsSummary::Draw()
{
    GD3DDevice::Instance().FillRect(m_inner, 0xFFBEBEBEu);
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectSemibold16();
    const std::pair<const std::string*, const std::string*> lines[4] = {
        {&m_basicLabel, &m_basic}, {&m_qualityLabel, &m_quality}, {&m_brandLabel, &m_brand}, {&m_valueLabel, &m_value}};
    float y = static_cast<float>(m_inner.top);
    for (const auto& line : lines)
    {
        fonts.Print(*line.first, 0xFF000000u, static_cast<float>(m_inner.left + 10), y, 0.0f, 0);
        fonts.Print(*line.second, 0xFF000000u, static_cast<float>(m_inner.left), y,
                    static_cast<float>(m_inner.right - m_inner.left - 10), 1);
        y += 16.0f;
    }
}
