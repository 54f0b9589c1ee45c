// One row of the income list: a picture of the car design, its name and sale price, and what it
// earned and how many cars of it sold in the last hour, the last 24 hours and all time. Resting
// the mouse on the row lists the design's features. Rows are made with their figures fixed and
// made again when the list refreshes. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <string>

class GUI_DesignPreview;
class GUI_Tooltip;
class SIM_VehicleDesign;

class GUI_Fin_SalesItem : public GUI_WindowBase
{
public:
    // The design is not owned and must outlive the row.
    GUI_Fin_SalesItem(SIM_VehicleDesign* design, float lastHourIncome, float last24HoursIncome, float allTimeIncome,
                      int soldLastHour, int soldLast24Hours, int soldAllTime);
    ~GUI_Fin_SalesItem() override;

    // Places the row and builds a fresh picture of the design for its new place.
    void SetRect(float left, float top, float right, float bottom) override;
    void Draw() override;
    // Only the features tooltip follows the mouse; the row claims nothing else.
    void Update() override;

    // 0 last hour, 1 last 24 hours, 2 all time.
    const std::string& GetIncome(int period) const { return m_incomes[period]; }
    const std::string& GetQuantity(int period) const { return m_quantities[period]; }
    const std::string& GetSalePriceLine() const { return m_salePriceLine; }
    GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }

private:
    SIM_VehicleDesign* m_design; // not owned: the design manager's
    std::string m_incomes[3];
    std::string m_quantities[3];
    GUI_DesignPreview* m_preview = nullptr; // owned as a sub-window
    PRect m_inner;
    std::string m_salePriceLine;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
};
