// The worth of a car in the vehicle details: its basic, quality, brand and total value, read once
// when the summary is made. Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class SIM_Vehicle;

class GUI_VehicleDetailsSummary : public GUI_WindowBase
{
public:
    explicit GUI_VehicleDetailsSummary(SIM_Vehicle* car);

    void Layout() override;
    void Draw() override;

    // "$ 1,234": a figure without its fraction, grouped by thousands.
    static std::string FormatFigure(float figure);

private:
    std::string m_valueLabel, m_value;
    std::string m_basicLabel, m_basic;
    std::string m_qualityLabel, m_quality;
    std::string m_brandLabel, m_brand;
    PRect m_inner;
};
