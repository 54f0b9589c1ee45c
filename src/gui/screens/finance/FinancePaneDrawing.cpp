// What the finance tabs draw alike.
#include "gui/screens/finance/FinancePaneDrawing.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>

namespace FinancePaneDrawing
{
void DrawPage(const PRect& pane, const std::string& title, int titleTop)
{
    GD3DDevice::Instance().FillRect(pane, 0xFFFFFFFFu);
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    GUI_Fonts::SelectExtraBold36();
    fonts.Print(title, 0xFF000000u, static_cast<float>(pane.left + 10), static_cast<float>(titleTop), 0.0f, 0);
    fonts.Flush();
    GUI_Fonts::SelectSemibold16();
}

void DrawPeriodColumns(const PRect& list, const std::string (&columns)[4], const std::string (&totals)[3])
{
    GFontManager& fonts = GFontManager::Instance();
    if (!fonts.IsInitialised())
        return;
    const float right = static_cast<float>(list.right);
    const float headerY = static_cast<float>(list.top - 20);
    const float totalsY = static_cast<float>(list.bottom + 10);
    fonts.Print(columns[3], 0xFF000000u, static_cast<float>(list.left + 50), totalsY, 0.0f, 0);
    for (int k = 0; k < 3; ++k)
    {
        // The last hour furthest left, all time at the right.
        const float step = 100.0f * static_cast<float>(2 - k);
        fonts.Print(columns[k], 0xFF000000u, right - 300.0f - step, headerY, 270.0f, 1);
        fonts.Print(totals[k], 0xFF000000u, right - 310.0f - step, totalsY, 270.0f, 1);
    }
}

PRect TrimToTens(const PRect& r)
{
    const int w = std::max(0, r.right - r.left);
    const int h = std::max(0, r.bottom - r.top);
    const int w10 = w / 10 * 10;
    const int h10 = h / 10 * 10;
    PRect out = r;
    out.left += (w - w10) / 2;
    out.top += (h - h10) / 2;
    out.right = out.left + w10;
    out.bottom = out.top + h10;
    return out;
}
} // namespace FinancePaneDrawing
