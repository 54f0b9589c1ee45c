// A textured pie of coloured slices: the expense pie of the finance screen, the slot-state pies of
// the efficiency screen and the slot dialog. On the first fill every slice grows from the centre;
// the slice under the mouse stands out, is outlined in white and shows its tooltip.
// Main thread only.
#pragma once

#include "gui/toolkit/charts/GUI_PieSegment.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <string>
#include <vector>

class CLoadedTexture;

class GUI_PieChart : public GUI_WindowBase
{
public:
    // Vertices of one fan or outline; a full circle needs 75 (a step every 5 degrees).
    static constexpr int kMaxVertices = 128;
    // Milliseconds of scaled time a slice takes to reach its full size.
    static constexpr float kGrowMs = 500.0f;

    GUI_PieChart();
    ~GUI_PieChart() override;

    // The centre of the pie; the window's rectangle is left as it is.
    void SetPosition(float x, float y) override;
    // Hover: the slice under the mouse is marked and its tooltip told. Nothing when hidden.
    void Update() override;
    // Every slice, then the outline of the hovered one.
    void Draw() override;

    // Appends a slice from the running angle over fraction x 360 degrees in that colour; the label
    // is also its tooltip text.
    GUI_PieSegment* AddSegment(const std::string& label, int red, int green, int blue, int alpha, float fraction);
    // Appends a slice coloured from the chart palette by its position (red when the palette has
    // run out), with that tooltip text and no label.
    GUI_PieSegment* AddPaletteSegment(const std::string& tooltipText, float fraction);
    // Appends the slice that closes the circle: what the existing slices leave of 360 degrees.
    GUI_PieSegment* AddRemainderSegment();
    // Deletes every slice and starts the next fill at angle 0 again, so a refilled chart hovers
    // where it draws.
    void Clear();

    void SetRadius(float radius) { m_radius = radius; }
    float GetRadius() const { return m_radius; }
    float GetCentreX() const { return m_centreX; }
    float GetCentreY() const { return m_centreY; }
    float GetRunningAngle() const { return m_runningAngle; }
    // Owners that refill a chart clear the first fill before refilling, so only the first fill
    // grows; either flag cleared draws every slice at once at full size.
    void SetGrowEnabled(bool enabled) { m_growEnabled = enabled; }
    void SetFirstFill(bool first) { m_firstFill = first; }
    bool IsGrowEnabled() const { return m_growEnabled; }
    bool IsFirstFill() const { return m_firstFill; }
    int GetSegmentCount() const { return static_cast<int>(m_segments.size()); }
    GUI_PieSegment* GetSegment(int index) const
    {
        return index >= 0 && index < GetSegmentCount() ? m_segments[static_cast<size_t>(index)].get() : nullptr;
    }

private:
    // A new slice of the given sweep at the running angle, which moves on past it.
    GUI_PieSegment* AppendSegment(const std::string& label, const std::string& tooltipText, float sweep);
    void DrawSegment(GUI_PieSegment& segment);
    void DrawSegmentOutline(const GUI_PieSegment& segment);

    std::vector<std::unique_ptr<GUI_PieSegment>> m_segments; // drawing order
    bool m_growEnabled = true;
    bool m_firstFill = true;
    float m_radius = 0.0f;
    float m_centreX = 0.0f;
    float m_centreY = 0.0f;
    float m_runningAngle = 0.0f;
    CLoadedTexture* m_texture = nullptr; // not owned: the shared handle of "money_pie.dds"
    PVertex m_vertices[kMaxVertices];
};
