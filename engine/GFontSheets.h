// The bitmap fonts the game loads at start-up, in load order: the sheet texture, the point size,
// the square glyph cell in pixels, the grid of cells and the gap added after every glyph. The
// game and the data checker both read this table, so a sheet or width table the data lacks is
// found before a player sees torn text.
#pragma once
#include <string>

struct GFontSheet
{
    const char* texture;
    int pointSize;
    int cell;
    int rows;
    int perRow;
    int letterSpacing;
};

// The sheets' width tables leave the gap between letters to the spacing set here; text
// measuring, wrapping and drawing all add it after every glyph.
inline constexpr GFontSheet kGameFontSheets[] = {
    {"Open Sans Semibold_24.dds", 24, 30, 14, 10, 2},         {"Open Sans ExtraBold_36.dds", 36, 45, 14, 10, 2},
    {"Open Sans Semibold_20.dds", 20, 30, 14, 10, 2},         {"Open Sans Semibold_16.dds", 16, 25, 10, 10, -1},
    {"Open Sans Semibold_20_onblack.dds", 20, 30, 14, 10, 2},
};

// The width table of a sheet, relative to the game's folder.
inline std::string GFontWidthTablePath(const GFontSheet& sheet)
{
    return std::string("data/fonts/") + sheet.texture + ".dat";
}
