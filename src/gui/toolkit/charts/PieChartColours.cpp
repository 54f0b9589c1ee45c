// The chart colour table.
#include "gui/toolkit/charts/PieChartColours.h"

namespace
{
PieChartColour s_pieColours[PieChartColours::kCount];

// Thirty colours that stay apart from their neighbours, so adjacent slices never blur together.
const int kPieBase[30][3] = {
    {128, 0, 0},     {128, 128, 0},  {128, 0, 128},  {128, 64, 64},  {32, 32, 255}, {0, 88, 0},
    {0, 128, 128},   {128, 32, 64},  {0, 64, 128},   {64, 128, 32},  {200, 0, 0},   {188, 77, 77},
    {32, 0, 200},    {32, 64, 4},    {32, 200, 4},   {221, 64, 67},  {0, 200, 32},  {32, 32, 64},
    {122, 255, 222}, {200, 32, 200}, {32, 200, 200}, {200, 200, 32}, {64, 32, 128}, {32, 64, 255},
    {96, 32, 220},   {16, 166, 64},  {255, 64, 255}, {128, 128, 64}, {54, 32, 222}, {155, 100, 50},
};
} // namespace

const PieChartColour& PieChartColours::Get(int index)
{
    static const PieChartColour outside;
    return index >= 0 && index < kCount ? s_pieColours[index] : outside;
}

uint32_t PieChartColours::GetArgb(int index)
{
    const PieChartColour& c = Get(index);
    return static_cast<uint32_t>(c.alpha & 0xFF) << 24 | static_cast<uint32_t>(c.red & 0xFF) << 16 |
           static_cast<uint32_t>(c.green & 0xFF) << 8 | static_cast<uint32_t>(c.blue & 0xFF);
}

void InitPieChartColours()
{
    for (int i = 0; i < 30; ++i)
    {
        PieChartColour colour{kPieBase[i][0], kPieBase[i][1], kPieBase[i][2], 255};
        s_pieColours[i] = colour;
        s_pieColours[i + 30] = colour;
    }
    for (PieChartColour& colour : s_pieColours)
        colour.alpha = 160;
}
