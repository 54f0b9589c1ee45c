// One row of the car stock: a picture of the design, its name, the cars of it in stock, its price
// and how far that lies above or below the design's value, and a slider that changes the price at
// once (the next sale uses it). Resting the mouse on the row lists the design's features.
// Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <string>

class GUI_DesignPreview;
class GUI_OptionsSlider;
class GUI_Tooltip;
class SIM_VehicleDesign;

class GUI_CarStockEntry : public GUI_WindowBase
{
public:
    // The design is owned by the design manager and outlives the row.
    GUI_CarStockEntry(SIM_VehicleDesign* design, int stockCount);
    ~GUI_CarStockEntry() override;

    // A new picture for the new place, and the slider beside it.
    void Layout() override;
    void Update() override;
    void Draw() override;

    // The slider moved: the design's price and the texts follow.
    void OnPriceChanged();

    SIM_VehicleDesign* GetDesign() const { return m_design; }
    GUI_OptionsSlider* GetSlider() const { return m_slider; }
    const std::string& GetStockText() const { return m_stockValue; }
    const std::string& GetPriceText() const { return m_priceValue; }
    const std::string& GetPremiumText() const { return m_premiumValue; }

private:
    void UpdatePriceTexts();

    GUI_DesignPreview* m_preview = nullptr; // sub-window, made again at every Layout
    SIM_VehicleDesign* m_design;            // owned by the design manager
    PRect m_inner;
    GUI_OptionsSlider* m_slider = nullptr; // sub-window
    std::string m_nameLabel;
    std::string m_stockLabel;
    std::string m_stockValue;
    std::string m_priceLabel;
    std::string m_priceValue;
    std::string m_premiumLabel;
    std::string m_premiumValue;
    std::string m_adjustLabel;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
};
