// The price panel of the new-design dialog: a slider from half to twice the design's value, and
// four lines comparing the chosen price with that value: the fair price, the difference in per
// cent, the price and the profit over the fair price. The dialog reads the slider's value when it
// stores the design. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"

#include <string>

class GUI_OptionsSlider;

class GUI_PriceSlider : public GUI_WindowBase
{
public:
    // Where the slider's band lies below the panel's top, and how high it is.
    static constexpr int kSliderTop = 84;
    static constexpr int kSliderHeight = 30;

    GUI_PriceSlider();

    // Once, after the panel was placed: the range and the fair price; the slider starts at it.
    // Bounds given the wrong way round (a design worth less than nothing) are swapped.
    void SetRange(float minimum, float fair, float maximum);
    // The three texts that follow the slider.
    void Recompute();
    void Layout() override;
    void Draw() override;

    float GetPrice() const;
    GUI_OptionsSlider* GetSlider() const { return m_slider; }
    const std::string& GetFairText() const { return m_fairValue; }
    const std::string& GetPercentageText() const { return m_percentageValue; }
    const std::string& GetPriceText() const { return m_priceValue; }
    const std::string& GetProfitText() const { return m_profitValue; }

private:
    GUI_OptionsSlider* m_slider = nullptr; // a sub-window
    std::string m_percentageLabel;
    std::string m_percentageValue;
    std::string m_priceLabel;
    std::string m_priceValue;
    std::string m_fairLabel;
    std::string m_fairValue;
    std::string m_profitLabel;
    std::string m_profitValue;
    float m_minimum = 0.0f;
    float m_fair = 0.0f;
    float m_maximum = 0.0f;
};
