// One slice of a pie chart: its share, where it starts and ends, its colour and the tooltip the
// player sees when resting the mouse on it. Slices grow from the centre, each at its own pace.
// Main thread only.
#pragma once

#include "engine/core/GTimer.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"

#include <cstdint>
#include <memory>
#include <string>

class GUI_PieSegment
{
public:
    // Slices narrower than this get no tooltip: there is no room to rest the mouse on them.
    static constexpr float kMinTooltipSweep = 2.0f;

    // White, no tooltip, grow timer stopped at a pace between 0.8 and 1.2 of real time.
    GUI_PieSegment();
    virtual ~GUI_PieSegment() = default;
    GUI_PieSegment(const GUI_PieSegment&) = delete;
    GUI_PieSegment& operator=(const GUI_PieSegment&) = delete;

    // Stores the share and the angles (degrees, 0 straight up, clockwise) and, when the slice is
    // wider than kMinTooltipSweep, gives it a tooltip of that text shown without delay.
    void Set(const std::string& label, const std::string& tooltipText, float fraction, float start, float end);
    void SetColour(int red, int green, int blue, int alpha);
    // The colour as alpha << 24 | red << 16 | green << 8 | blue, from the low byte of each value.
    uint32_t GetArgb() const;

    float GetFraction() const { return m_fraction; }
    float GetStartAngle() const { return m_startAngle; }
    float GetEndAngle() const { return m_endAngle; }
    float GetSweep() const { return m_sweep; }
    int GetRed() const { return m_red; }
    int GetBlue() const { return m_blue; }
    int GetAlpha() const { return m_alpha; }
    const std::string& GetLabel() const { return m_label; }
    float GetLabelX() const { return m_labelX; }
    float GetLabelY() const { return m_labelY; }
    void SetLabelPosition(float x, float y)
    {
        m_labelX = x;
        m_labelY = y;
    }
    GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }
    bool IsHovered() const { return m_hovered; }
    void SetHovered(bool hovered) { m_hovered = hovered; }
    GTimer& GetGrowTimer() { return m_growTimer; }

private:
    float m_fraction = 0.0f;
    float m_startAngle = 0.0f;
    float m_endAngle = 0.0f;
    int m_red = 255, m_green = 255, m_blue = 255, m_alpha = 255;
    std::string m_label;
    // Where the tooltip is anchored: the mean of the vertices of the slice as last drawn.
    float m_labelX = 0.0f;
    float m_labelY = 0.0f;
    float m_sweep = 0.0f;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
    bool m_hovered = false;
    GTimer m_growTimer;
};
