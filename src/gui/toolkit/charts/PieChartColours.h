// The program-wide table of chart colours: 60 entries of red, green, blue and alpha from which the
// pies and the line graphs take their slice and line colours by index.
#pragma once

#include <cstdint>

struct PieChartColour
{
    int32_t red = 255, green = 255, blue = 255, alpha = 255;
};

class PieChartColours
{
public:
    static constexpr int kCount = 60;

    // Entry i (0 <= i < kCount); every entry reads white until InitPieChartColours runs.
    static const PieChartColour& Get(int index);
    // Entry index as a colour word alpha << 24 | red << 16 | green << 8 | blue.
    static uint32_t GetArgb(int index);
};

// Fills the 30 chart colours, repeats them in entries 30 to 59 and makes every entry alpha 160.
// Once at start-up, main thread.
void InitPieChartColours();
