// The pie chart window.
#include "gui/toolkit/charts/GUI_PieChart.h"

#include "engine/CBaseInputManager.h"
#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "gui/toolkit/charts/PieChartColours.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
constexpr float kDegreesPerStep = 5.0f;
constexpr float kFullCircle = 360.0f;

// Fan steps of a slice: one every 5 degrees, at least one.
int StepCount(float sweep)
{
    return std::max(static_cast<int>(sweep / kDegreesPerStep), 1);
}

// The slice at that position takes its palette colour; once the palette has run out the slices
// are half-transparent red, which the player reads as "too many to tell apart".
void ApplyPaletteColour(GUI_PieSegment& segment, int index)
{
    if (index < PieChartColours::kCount)
    {
        const PieChartColour& c = PieChartColours::Get(index);
        segment.SetColour(c.red, c.green, c.blue, c.alpha);
    }
    else
        segment.SetColour(255, 0, 0, 128);
}

float Radians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}
} // namespace

GUI_PieChart::GUI_PieChart() : m_texture(CLoadedTexture::FindOrLoad("money_pie.dds"))
{
}

GUI_PieChart::~GUI_PieChart()
{
    Clear();
}

void GUI_PieChart::SetPosition(float x, float y)
{
    m_centreX = x;
    m_centreY = y;
}

GUI_PieSegment* GUI_PieChart::AppendSegment(const std::string& label, const std::string& tooltipText, float sweep)
{
    // A slice never wraps past a full circle: its fan must fit the vertex buffer, and a wider
    // one would only paint over its neighbours. A share that is not a number draws nothing.
    if (!(sweep > 0.0f))
        sweep = 0.0f;
    sweep = std::min(sweep, kFullCircle);
    auto segment = std::make_unique<GUI_PieSegment>();
    segment->Set(label, tooltipText, sweep / kFullCircle, m_runningAngle, m_runningAngle + sweep);
    m_runningAngle += sweep;
    m_segments.push_back(std::move(segment));
    return m_segments.back().get();
}

GUI_PieSegment* GUI_PieChart::AddSegment(const std::string& label, int red, int green, int blue, int alpha,
                                         float fraction)
{
    GUI_PieSegment* segment = AppendSegment(label, label, fraction * kFullCircle);
    segment->SetColour(red, green, blue, alpha);
    return segment;
}

GUI_PieSegment* GUI_PieChart::AddPaletteSegment(const std::string& tooltipText, float fraction)
{
    const int index = GetSegmentCount();
    GUI_PieSegment* segment = AppendSegment("", tooltipText, fraction * kFullCircle);
    ApplyPaletteColour(*segment, index);
    return segment;
}

GUI_PieSegment* GUI_PieChart::AddRemainderSegment()
{
    float used = 0.0f;
    for (const auto& segment : m_segments)
        used += segment->GetSweep();
    const int index = GetSegmentCount();
    GUI_PieSegment* segment = AppendSegment("", "", kFullCircle - used);
    ApplyPaletteColour(*segment, index);
    return segment;
}

void GUI_PieChart::Clear()
{
    m_segments.clear();
    // The hover test compares the mouse angle (0 to 360) with the slices' angles: a refill that
    // went on from where the last fill ended could never be hovered.
    m_runningAngle = 0.0f;
}

void GUI_PieChart::Update()
{
    if (!IsVisible())
        return;
    const CBaseInputManager* input = CBaseInputManager::Active();
    if (!input)
    {
        for (auto& segment : m_segments)
            segment->SetHovered(false);
        return;
    }
    const float dx = input->GetMouseX() - m_centreX;
    const float dy = input->GetMouseY() - m_centreY;
    // 0 straight up from the centre, growing clockwise on screen, like the slices.
    float angle = (std::atan2(dy, dx) + std::numbers::pi_v<float>)*(180.0f / std::numbers::pi_v<float>)-90.0f;
    if (angle < 0.0f)
        angle += kFullCircle;
    const float distance = std::sqrt(dx * dx + dy * dy);
    for (auto& segment : m_segments)
    {
        segment->SetHovered(false);
        if (m_radius > distance && segment->GetTooltip() && segment->GetStartAngle() < angle &&
            angle < segment->GetEndAngle())
        {
            segment->GetTooltip()->UpdateHover();
            segment->SetHovered(true);
        }
    }
}

void GUI_PieChart::Draw()
{
    if (!IsVisible())
        return;
    for (auto& segment : m_segments)
        DrawSegment(*segment);
    for (const auto& segment : m_segments)
        DrawSegmentOutline(*segment);
}

void GUI_PieChart::DrawSegment(GUI_PieSegment& segment)
{
    const int steps = StepCount(segment.GetSweep());
    const float step = segment.GetSweep() / static_cast<float>(steps);

    GTimer& timer = segment.GetGrowTimer();
    if (timer.IsStopped())
        timer.Start();
    timer.Update();
    float grown = std::clamp(timer.GetTotal() / kGrowMs, 0.0f, 1.0f);
    if (!m_growEnabled || !m_firstFill)
        grown = 1.0f;
    float r = m_radius * grown;
    // The hovered slice stands out from the others by leaving them a little smaller.
    if (!segment.IsHovered())
        r *= 0.95f;

    const uint32_t colour = segment.GetArgb();
    // The texture spans the pie's bounding square at full size, so the shading stays put while
    // the slices grow.
    const float fullRadius = m_radius;
    const float span = fullRadius > 0.0f ? 2.0f * fullRadius : 1.0f;
    auto vertex = [&](float x, float y) {
        return PVertex{
            x, y, 0.0f, 1.0f, colour, (x - (m_centreX - fullRadius)) / span, (y - (m_centreY - fullRadius)) / span};
    };
    m_vertices[0] = vertex(m_centreX, m_centreY);
    float sumX = m_centreX, sumY = m_centreY;
    for (int i = 0; i <= steps; ++i)
    {
        const float a = Radians(segment.GetStartAngle() + static_cast<float>(i) * step);
        const float x = m_centreX + std::sin(a) * r;
        const float y = m_centreY - std::cos(a) * r;
        m_vertices[i + 1] = vertex(x, y);
        sumX += x;
        sumY += y;
    }
    const float count = static_cast<float>(steps + 2);
    segment.SetLabelPosition(sumX / count, sumY / count);

    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
    {
        if (m_texture)
            m_texture->Bind();
        device->DrawPrimitiveUP(PPrimitive::TriangleFan, steps, m_vertices, sizeof(PVertex));
    }
    if (GUI_Tooltip* tooltip = segment.GetTooltip())
    {
        tooltip->SetPosition(segment.GetLabelX(), segment.GetLabelY());
        tooltip->Draw();
    }
}

void GUI_PieChart::DrawSegmentOutline(const GUI_PieSegment& segment)
{
    if (!segment.IsHovered())
        return;
    const int steps = StepCount(segment.GetSweep());
    const float step = segment.GetSweep() / static_cast<float>(steps);
    const uint32_t white = 0xFFFFFFFFu;
    m_vertices[0] = PVertex{m_centreX, m_centreY, 0.0f, 1.0f, white, 0.0f, 0.0f};
    for (int i = 0; i <= steps; ++i)
    {
        const float a = Radians(segment.GetStartAngle() + static_cast<float>(i) * step);
        m_vertices[i + 1] = PVertex{
            m_centreX + std::sin(a) * m_radius, m_centreY - std::cos(a) * m_radius, 0.0f, 1.0f, white, 0.0f, 0.0f};
    }
    m_vertices[steps + 2] = m_vertices[0];
    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
    {
        GTextureManager::Instance().BindTexture(nullptr);
        device->DrawPrimitiveUP(PPrimitive::LineStrip, steps + 2, m_vertices, sizeof(PVertex));
    }
}
