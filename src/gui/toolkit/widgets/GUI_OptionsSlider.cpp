// Value slider.
#include "gui/toolkit/widgets/GUI_OptionsSlider.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/widgets/GUI_ButtonBase.h"
#include "gui/toolkit/widgets/GUI_Tooltip.h"

#include <algorithm>
#include <cstdio>

GUI_OptionsSlider::GUI_OptionsSlider(GUI_Callback onChange, intptr_t argument, const std::string& textKey,
                                     bool withLabel, float initialValue)
    : m_value(initialValue), m_onChange(std::move(onChange)), m_argument(argument)
{
    m_thumb.SetTexture(kThumbTexture);
    m_thumb.m_width = static_cast<float>(kThumbSide);
    m_thumb.m_height = static_cast<float>(kThumbSide);
    if (withLabel)
    {
        m_label = GTextTable::GetText(textKey);
        m_tooltip = std::make_unique<GUI_Tooltip>(GTextTable::GetText(textKey + "_TT"), GUI_ButtonBase::kTooltipDelay);
    }
}

GUI_OptionsSlider::~GUI_OptionsSlider() = default;

PRect GUI_OptionsSlider::Bar() const
{
    return PRect{m_left + 10, m_bottom - 12, m_right - 10, m_bottom - 8};
}

float GUI_OptionsSlider::ThumbCentreX() const
{
    const PRect bar = Bar();
    const float half = m_thumb.m_width / 2.0f;
    const float travel = static_cast<float>(bar.right - bar.left) - 2.0f * half;
    const float range = m_maximum - m_minimum;
    // An empty range puts the thumb at its start rather than dividing by zero.
    const float fraction = range > 0.0f ? (m_value - m_minimum) / range : 0.0f;
    return static_cast<float>(bar.left) + half + fraction * travel;
}

void GUI_OptionsSlider::Layout()
{
    const PRect bar = Bar();
    const int centreY = (bar.top + bar.bottom) / 2;
    m_thumb.SetPosition(ThumbCentreX(), static_cast<float>(centreY));
}

void GUI_OptionsSlider::Update()
{
    GUI_WindowBase::Update();
    if (m_tooltip && IsVisible() && IsMouseOver())
        m_tooltip->UpdateHover();
}

bool GUI_OptionsSlider::OnClick(float x, float y)
{
    if (m_dragging || !m_thumb.IsInside(x, y))
        return false;
    m_dragging = true;
    const float cx = (m_thumb.m_vertices[0].x + m_thumb.m_vertices[1].x) / 2.0f;
    const float cy = (m_thumb.m_vertices[0].y + m_thumb.m_vertices[2].y) / 2.0f;
    m_grabX = cx - x;
    m_grabY = cy - y;
    return true;
}

std::string GUI_OptionsSlider::FormatValue(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, value >= 1.0f ? "%.2f" : "%.4f", static_cast<double>(value));
    return text;
}

void GUI_OptionsSlider::Draw()
{
    GUI_WindowBase::Update();
    m_bar = Bar();
    const float half = m_thumb.m_width / 2.0f;
    const float travel = static_cast<float>(m_bar.right - m_bar.left) - 2.0f * half;
    const int centreY = (m_bar.top + m_bar.bottom) / 2;
    const float cy = static_cast<float>(centreY);
    float cx = ThumbCentreX();
    if (m_dragging)
    {
        const CBaseInputManager* input = CBaseInputManager::Active();
        if (!input || !input->IsLeftHeld())
            m_dragging = false; // this frame still takes the last position
        const float mouseX = input ? input->GetMouseX() : cx - m_grabX;
        cx = std::clamp(mouseX + m_grabX, static_cast<float>(m_bar.left) + half,
                        std::max(static_cast<float>(m_bar.left) + half, static_cast<float>(m_bar.right) - half));
        // A bar no wider than the thumb has no travel to divide by.
        if (travel > 0.0f)
        {
            const float fraction = std::clamp((cx - (static_cast<float>(m_bar.left) + half)) / travel, 0.0f, 1.0f);
            const float before = m_value;
            m_value = (m_maximum - m_minimum) * fraction + m_minimum;
            if (m_value != before)
                m_onChange(m_argument);
        }
    }
    m_thumb.SetPosition(cx, cy);
    GD3DDevice::Instance().FillRect(m_bar, 0xFF202020u);
    m_thumb.Draw();
    GFontManager& fonts = GFontManager::Instance();
    if (!m_label.empty() && fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        if (m_centredLabel == 1)
        {
            fonts.Print(m_label, 0xFF000000u, static_cast<float>(m_left), static_cast<float>(m_top),
                        static_cast<float>(m_width), 2);
        }
        else
        {
            fonts.Print(m_label, 0xFFFFFFFFu, static_cast<float>(m_left), static_cast<float>(m_top), 0.0f, 0);
            fonts.Print(FormatValue(m_value), 0xFF000000u, static_cast<float>(m_right), static_cast<float>(m_top),
                        200.0f, 1);
        }
        fonts.Flush();
    }
    if (m_tooltip)
        m_tooltip->Draw();
}

void GUI_OptionsSlider::Nudge(float direction)
{
    if (!IsMouseOver())
        return;
    const float step = std::max((m_maximum - m_minimum) / 2000.0f, 0.05f * m_value);
    const float before = m_value;
    m_value = std::clamp(m_value + direction * step, m_minimum, std::max(m_minimum, m_maximum));
    if (m_value != before)
        m_onChange(m_argument);
}

void GUI_OptionsSlider::OnWheelUp()
{
    Nudge(-1.0f);
}

void GUI_OptionsSlider::OnWheelDown()
{
    Nudge(1.0f);
}
