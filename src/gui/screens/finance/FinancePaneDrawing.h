// What the finance tabs draw alike: the white page with its title, the period headings over a
// list with the totals line under it, and plots cut to whole tens of pixels. Main thread.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <string>

namespace FinancePaneDrawing
{
// The pane filled white and its title in the large font at (left + 10, titleTop); the small font
// is chosen afterwards for what the pane draws next.
void DrawPage(const PRect& pane, const std::string& title, int titleTop);
// Over the list the three period headings (columns: last hour, last 24 hours, all time, then the
// word for the totals); under it that word and the three totals, lined up with the rows' figures.
void DrawPeriodColumns(const PRect& list, const std::string (&columns)[4], const std::string (&totals)[3]);
// The rectangle cut to whole tens of pixels each way and centred where it was, so a grid of
// ten-pixel cells meets its frame on every side.
PRect TrimToTens(const PRect& r);
} // namespace FinancePaneDrawing
