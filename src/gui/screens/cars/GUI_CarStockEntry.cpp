// A row of the car stock.
#include "gui/screens/cars/GUI_CarStockEntry.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/cars/DesignPriceText.h"
#include "gui/screens/cars/GUI_DesignPreview.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/money/SIM_FinanceManager.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

#include <algorithm>

GUI_CarStockEntry::GUI_CarStockEntry(SIM_VehicleDesign* design, int stockCount)
    : m_design(design), m_nameLabel(GTextTable::GetText("STOCK_DESIGN_NAME")),
      m_stockLabel(GTextTable::GetText("STOCK_STOCK")), m_stockValue(std::to_string(stockCount)),
      m_priceLabel(GTextTable::GetText("STOCK_PRICE")), m_premiumLabel(GTextTable::GetText("STOCK_PREMIUM")),
      m_adjustLabel(GTextTable::GetText("STOCK_ADJUST"))
{
    m_preview = CreateSubWindow<GUI_DesignPreview>(design);
    const float value = SIM_VehicleDesign::GetDesignValue(design);
    m_slider = CreateSubWindow<GUI_OptionsSlider>([this] { OnPriceChanged(); }, 0, std::string(), false,
                                                  design ? design->m_price : 0.0f);
    // A design worth less than nothing still gets a range the right way round.
    m_slider->SetRange(std::min(value * 0.5f, value * 2.0f), std::max(value * 0.5f, value * 2.0f));
    m_tooltip = std::make_unique<GUI_Tooltip>(GTextTable::GetText("VEHICLE_FEATURES"), 0);
    if (design)
        for (const SIM_VehicleFeatureRecord* record : design->m_featureRecords)
            if (record && record->feature)
                m_tooltip->AddLine(record->feature->GetGUIName());
    UpdatePriceTexts();
}

GUI_CarStockEntry::~GUI_CarStockEntry() = default;

void GUI_CarStockEntry::Layout()
{
    m_inner = PRect{m_left + 5, m_top + 5, m_right - 5, m_bottom - 5};
    (void)RemoveSubWindow(m_preview);
    // The picture is built for its place; the slider stays the row's second sub-window.
    m_preview = AddSubWindow(std::make_unique<GUI_DesignPreview>(m_design));
    m_preview->SetRect(static_cast<float>(m_inner.left), static_cast<float>(m_inner.top),
                       static_cast<float>(m_inner.left + m_height - 10), static_cast<float>(m_inner.bottom));
    if (m_design)
        m_preview->Build(m_design->m_colour.r, m_design->m_colour.g, m_design->m_colour.b);
    m_slider->SetRect(static_cast<float>(m_preview->GetRight() + 150), static_cast<float>(m_inner.bottom - 40),
                      static_cast<float>(m_inner.right), static_cast<float>(m_inner.bottom - 10));
}

void GUI_CarStockEntry::UpdatePriceTexts()
{
    const float price = m_design ? m_design->m_price : 0.0f;
    m_priceValue = SIM_FinanceManager::FormatMoney(price);
    m_premiumValue = DesignPriceText::Premium(price, SIM_VehicleDesign::GetDesignValue(m_design));
}

void GUI_CarStockEntry::OnPriceChanged()
{
    if (m_design)
        m_design->m_price = m_slider->GetValue();
    UpdatePriceTexts();
}

void GUI_CarStockEntry::Update()
{
    if (IsMouseOver())
        m_tooltip->UpdateHover();
    GUI_WindowBase::Update();
}

void GUI_CarStockEntry::Draw()
{
    GD3DDevice::Instance().DrawRectLines(m_inner, 0xFF000000u);
    DrawSubWindows();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        const float labelX = static_cast<float>(m_preview->GetRight() + 10);
        const float valueWidth = static_cast<float>(m_inner.right - m_inner.left - 10);
        const std::string name = m_design ? m_design->GetName() : std::string();
        const std::pair<const std::string*, const std::string*> lines[4] = {{&m_nameLabel, &name},
                                                                            {&m_stockLabel, &m_stockValue},
                                                                            {&m_priceLabel, &m_priceValue},
                                                                            {&m_premiumLabel, &m_premiumValue}};
        float y = static_cast<float>(m_inner.top + 5);
        for (const auto& line : lines)
        {
            fonts.Print(*line.first, 0xFF000000u, labelX, y, 0.0f, 0);
            fonts.Print(*line.second, 0xFF000000u, static_cast<float>(m_inner.left), y, valueWidth, 1);
            y += 16.0f;
        }
        const float sliderMiddle = static_cast<float>(m_slider->GetTop() + m_slider->GetBottom()) * 0.5f;
        fonts.Print(m_adjustLabel, 0xFF000000u, labelX, sliderMiddle, 0.0f, 0);
    }
    m_tooltip->Draw();
}
