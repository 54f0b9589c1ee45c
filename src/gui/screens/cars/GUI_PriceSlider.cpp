// The new-design price panel.
#include "gui/screens/cars/GUI_PriceSlider.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/cars/DesignPriceText.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"
#include "sim/money/SIM_FinanceManager.h"

#include <utility>

GUI_PriceSlider::GUI_PriceSlider()
    : m_percentageLabel(GTextTable::GetText("NEWDESIGN_PRICE_PERC")),
      m_priceLabel(GTextTable::GetText("NEWDESIGN_PRICE_PRICE")),
      m_fairLabel(GTextTable::GetText("NEWDESIGN_PRICE_FAIR")),
      m_profitLabel(GTextTable::GetText("NEWDESIGN_PRICE_PROFIT"))
{
    m_slider = CreateSubWindow<GUI_OptionsSlider>([this] { Recompute(); }, 0, std::string(), false, 0.0f);
}

void GUI_PriceSlider::SetRange(float minimum, float fair, float maximum)
{
    if (maximum < minimum)
        std::swap(minimum, maximum);
    m_minimum = minimum;
    m_fair = fair;
    m_maximum = maximum;
    m_slider->SetRange(minimum, maximum);
    m_slider->SetValue(fair);
    Layout();
    m_fairValue = SIM_FinanceManager::FormatMoney(fair);
    Recompute();
}

void GUI_PriceSlider::Layout()
{
    // Under the four lines of text (they end 74 pixels below the top), not across the price and
    // profit lines, which the player reads while dragging.
    m_slider->SetRect(static_cast<float>(m_left + 10), static_cast<float>(m_top + kSliderTop),
                      static_cast<float>(m_right - 10), static_cast<float>(m_top + kSliderTop + kSliderHeight));
}

float GUI_PriceSlider::GetPrice() const
{
    return m_slider->GetValue();
}

void GUI_PriceSlider::Recompute()
{
    const float price = m_slider->GetValue();
    m_percentageValue = DesignPriceText::Percentage(price, m_fair);
    m_profitValue = SIM_FinanceManager::FormatMoney(price - m_fair);
    m_priceValue = SIM_FinanceManager::FormatMoney(price);
}

void GUI_PriceSlider::Draw()
{
    GD3DDevice::Instance().DrawRectLines(PRect{m_left, m_top, m_right, m_bottom}, 0xFF000000u);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        const std::pair<const std::string*, const std::string*> lines[4] = {{&m_fairLabel, &m_fairValue},
                                                                            {&m_percentageLabel, &m_percentageValue},
                                                                            {&m_priceLabel, &m_priceValue},
                                                                            {&m_profitLabel, &m_profitValue}};
        float y = static_cast<float>(m_top + 10);
        for (const auto& line : lines)
        {
            fonts.Print(*line.first, 0xFF000000u, static_cast<float>(m_left + 10), y, 0.0f, 0);
            fonts.Print(*line.second, 0xFF000000u, static_cast<float>(m_left), y, static_cast<float>(m_width - 10), 1);
            y += 16.0f;
        }
    }
    DrawSubWindows();
    if (fonts.IsInitialised())
        fonts.Flush();
}
