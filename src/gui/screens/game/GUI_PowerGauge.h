// The power gauge of the top bar: what the power plants supply against what the placed slots
// draw, on a red field while the demand is higher. The power manager's new totals reach it through
// GetOpen(). Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_PowerGauge : public GUI_WindowBase
{
public:
    // Where the text starts, from the gauge's left edge (the icon stands before it), and the
    // smallest share of the font's size a text too wide for the rest may shrink to.
    static constexpr float kTextLeft = 60.0f;
    static constexpr float kSmallestText = 0.5f;

    GUI_PowerGauge();
    ~GUI_PowerGauge() override;

    void Layout() override;
    void Draw() override;
    // Rebuilds the text and the over-capacity flag from the power manager's totals.
    void UpdateText();
    void SetTotals(float supply, float demand);

    // "1,200/850": supply first, each cut toward zero (negative figures read 0).
    static std::string GaugeText(float supply, float demand);
    static GUI_PowerGauge* GetOpen() { return s_single.Get(); }
    const std::string& GetText() const { return m_text; }
    bool IsOverCapacity() const { return m_overCapacity; }

private:
    PRect m_inner{};
    std::string m_text;
    CTexturedSprite m_icon;
    bool m_overCapacity = false;
    static inline GUI_SingleWindow<GUI_PowerGauge> s_single;
};
