// The right panel of the efficiency screen: a pie of the newest efficiency sample, one slice per
// slot state and a remainder that closes the circle, with a colour legend of the six states a
// slot reports (the unknown state has a slice but no legend row). Main thread.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <array>

class GUI_PieChart;

class GUI_GlobalSlotPie : public GUI_WindowBase
{
public:
    static constexpr int kLegendRows = 6;

    GUI_GlobalSlotPie();
    ~GUI_GlobalSlotPie() override;

    // The pie's square, radius and centre and the legend swatches from the panel's rectangle.
    void Layout() override;
    // Every slice again from the newest sample, at full size.
    void Refresh();
    void Draw() override;

    GUI_PieChart* GetPie() const { return m_pie; }
    const PRect& GetPieRect() const { return m_pieRect; }
    const PRect& GetSwatch(int row) const { return m_swatches[static_cast<size_t>(row)]; }

private:
    GUI_PieChart* m_pie = nullptr; // owned as a sub-window
    PRect m_pieRect{};
    std::array<PRect, kLegendRows> m_swatches{};
};
