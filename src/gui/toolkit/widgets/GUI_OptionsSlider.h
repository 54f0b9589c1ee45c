// The horizontal slider (volumes, prices, amounts): a thin dark bar with a square thumb to drag, a
// label from the text table, an optional read-out of the value, a tooltip, and a callback whenever
// the value changes. The wheel nudges it; wheel up lowers the value.
// Main thread only.
#pragma once

#include "engine/CTexturedSprite.h"
#include "gui/toolkit/windows/GUI_Callback.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <string>

class GUI_Tooltip;

class GUI_OptionsSlider : public GUI_WindowBase
{
public:
    static constexpr const char* kThumbTexture = "slider_bar.dds";
    static constexpr int kThumbSide = 31;

    // With a label, the label is the text of textKey and the tooltip that of textKey + "_TT".
    // The range starts as 0 to 1.
    GUI_OptionsSlider(GUI_Callback onChange, intptr_t argument, const std::string& textKey, bool withLabel,
                      float initialValue);
    ~GUI_OptionsSlider() override;

    void Update() override;
    // On the thumb: a drag starts (true). Elsewhere nothing moves (false).
    bool OnClick(float x, float y) override;
    // Follows a drag (the callback at most once a frame), then draws bar, thumb, label and value.
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;
    // Puts the thumb at the value, so it can be grabbed before the first draw.
    void Layout() override;

    float GetValue() const { return m_value; }
    void SetValue(float value) { m_value = value; }
    void SetRange(float minimum, float maximum)
    {
        m_minimum = minimum;
        m_maximum = maximum;
    }
    float GetMinimum() const { return m_minimum; }
    float GetMaximum() const { return m_maximum; }
    const std::string& GetLabel() const { return m_label; }
    bool IsDragging() const { return m_dragging; }
    GUI_Tooltip* GetTooltip() const { return m_tooltip.get(); }
    // The value as the read-out shows it: two decimals from 1 up, four below.
    static std::string FormatValue(float value);
    // The thumb's centre x for the current value, from the bar as it is drawn now.
    float ThumbCentreX() const;

private:
    PRect Bar() const;
    void Nudge(float direction);

    float m_value;
    std::string m_label;
    CTexturedSprite m_thumb;
    PRect m_bar;
    bool m_dragging = false;
    float m_grabX = 0.0f;
    float m_grabY = 0.0f;
    float m_minimum = 0.0f;
    float m_maximum = 1.0f;
    GUI_Callback m_onChange;
    intptr_t m_argument;
    // 1: the label alone, centred in black; 0: the label in white at the left and the value
    // beside the slider.
    int m_centredLabel = 1;
    std::unique_ptr<GUI_Tooltip> m_tooltip;
};
