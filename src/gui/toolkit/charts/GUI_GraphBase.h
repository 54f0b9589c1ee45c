// The base of the game's line graphs (money over time, slot states over time): a window that
// draws a background grid, horizontal value lines, value curves and filled bands inside its own
// rectangle. Values are fractions of the graph's height: 0 is the bottom edge, 1 the top edge.
// Owners decide what to plot. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <cstdint>
#include <span>
#include <vector>

class GUI_GraphBase : public GUI_WindowBase
{
public:
    // Vertices of the band strip: two per plotted point.
    static constexpr int kPointCapacity = 512;
    // The most points a band plots.
    static constexpr int kMaxBandPoints = 256;

    // The point buffer is made at once, so a graph can draw bands from its first frame.
    GUI_GraphBase();

    // (Re)makes the point buffer of kPointCapacity vertices at 0, 0 in opaque white.
    void AllocPoints();
    // Light grey background over the rectangle, then grid lines every spacing pixels: horizontal
    // ones from the bottom edge up (and one at or just above the top edge), vertical ones from the
    // left edge to the right edge. Uses only its arguments, not the graph's rectangle. A spacing
    // below one pixel is taken as one.
    static void DrawGrid(int left, int top, int right, int bottom, float spacing);
    // One horizontal line across the graph at that value.
    void DrawValueLine(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, float value, float thickness);
    // A polyline through the values: the first stands at the right edge, the last at the left,
    // evenly spaced. Fewer than two values draw nothing.
    void DrawValueCurve(std::span<const float> values, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha,
                        float thickness);
    // A filled band between two series, the first values at the left edge. It plots as many points
    // as both series hold, at most kMaxBandPoints; fewer than two draw nothing.
    void DrawValueBand(std::span<const float> seriesA, std::span<const float> seriesB, uint8_t red, uint8_t green,
                       uint8_t blue, uint8_t alpha);

    int GetPointCapacity() const { return static_cast<int>(m_points.size()); }
    static uint32_t Argb(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
    {
        return static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(red) << 16 |
               static_cast<uint32_t>(green) << 8 | blue;
    }

protected:
    // The screen y of a value.
    float ValueY(float value) const { return static_cast<float>(m_bottom) - static_cast<float>(m_height) * value; }

private:
    std::vector<PVertex> m_points;
};
