// Font sheet generator: draws the glyphs of the game's Windows-1252 glyph order into square cells of a
// sheet (DDS, alpha + luminance) and measures each cell's width into the little-endian width table the
// font loader reads. Run from the repository root:
//   build/<tree>/tools/fontgen/fv_fontgen [font folder] [data folder]
#include "platform/video/PDdsCodec.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
// The glyph order of the game's sheets, cell by cell (blanks are real blanks in the sheet).
std::vector<uint8_t> GlyphOrder()
{
    std::string order =
        "!\"#$  '()*+,-./0123456789:;<=>? ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ abcdefghijklmnopqrstuvwxyz{}";
    std::vector<uint8_t> cells(order.begin(), order.end());
    cells.push_back(0xA3);
    cells.push_back('%');
    const uint8_t accents[] = {0x80, 0xC4, 0xE4, 0xE9, 0xF6, 0xD6, 0xFC, 0xDC, 0xDF, 0xF9, 0xFB, 0xFC, 0xFF, 0xE0,
                               0xE2, 0xE6, 0xE7, 0xE8, 0xEA, 0xEB, 0xEF, 0xEE, 0xF4, 0x9C, 0xD9, 0xDB, 0xDC, 0x9F,
                               0xC0, 0xC2, 0xC6, 0xC7, 0xC9, 0xC8, 0xCA, 0xCB, 0xCF, 0xCE, 0xD4, 0x8C};
    cells.insert(cells.end(), std::begin(accents), std::end(accents));
    return cells;
}

uint32_t CodePoint(uint8_t c)
{
    switch (c)
    {
    case 0x80:
        return 0x20AC;
    case 0x8C:
        return 0x0152;
    case 0x9C:
        return 0x0153;
    case 0x9F:
        return 0x0178;
    default:
        return c;
    }
}

struct SheetLayout
{
    const char* name;
    const char* ttf;
    int nativeSize, cell, rows, columns, sheetWidth, sheetHeight;
    bool onBlack;
};

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool MakeFont(FT_Library library, const SheetLayout& layout, const std::string& fontDir, const std::string& dataDir)
{
    FT_Face face = nullptr;
    const std::string ttf = fontDir + "/" + layout.ttf;
    if (FT_New_Face(library, ttf.c_str(), 0, &face) != 0)
    {
        std::fprintf(stderr, "cannot open %s\n", ttf.c_str());
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(layout.nativeSize));
    const std::vector<uint8_t> order = GlyphOrder();
    const int cells = layout.rows * layout.columns;
    // Baseline placed so capitals with accents and descenders both fit in the cell.
    const int baseline = static_cast<int>(layout.cell * 0.5 + layout.nativeSize * 0.35 + 0.5);
    std::vector<uint8_t> coverage(static_cast<size_t>(layout.sheetWidth) * layout.sheetHeight, 0);
    for (int cell = 0; cell < cells && cell < static_cast<int>(order.size()); ++cell)
    {
        const uint8_t c = order[static_cast<size_t>(cell)];
        if (c == ' ')
            continue;
        if (FT_Load_Char(face, CodePoint(c), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
            continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int cx = (cell % layout.columns) * layout.cell, cy = (cell / layout.columns) * layout.cell;
        const int left = 1 + std::max(0, face->glyph->bitmap_left);
        const int top = baseline - face->glyph->bitmap_top;
        for (unsigned by = 0; by < bitmap.rows; ++by)
        {
            for (unsigned bx = 0; bx < bitmap.width; ++bx)
            {
                const int x = left + static_cast<int>(bx), y = top + static_cast<int>(by);
                if (x < 0 || y < 0 || x >= layout.cell - 1 || y >= layout.cell)
                    continue;
                coverage[static_cast<size_t>(cy + y) * layout.sheetWidth + cx + x] =
                    bitmap.buffer[static_cast<size_t>(by) * static_cast<size_t>(bitmap.pitch) + bx];
            }
        }
    }
    FT_Done_Face(face);

    PImage sheet;
    sheet.levels.resize(1);
    PImageLevel& level = sheet.levels[0];
    level.width = layout.sheetWidth;
    level.height = layout.sheetHeight;
    level.rgba.assign(static_cast<size_t>(layout.sheetWidth) * layout.sheetHeight * 4, 0);
    for (int y = 0; y < layout.sheetHeight; ++y)
    {
        for (int x = 0; x < layout.sheetWidth; ++x)
        {
            const int cov = coverage[static_cast<size_t>(y) * layout.sheetWidth + x];
            int alpha = cov, lum = 255;
            if (layout.onBlack)
            {
                // White glyphs with a dark rim, so they read on the dark menu backgrounds.
                int spread = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                    {
                        const int sx = x + dx, sy = y + dy;
                        if (sx >= 0 && sy >= 0 && sx < layout.sheetWidth && sy < layout.sheetHeight &&
                            (sx / layout.cell == x / layout.cell) && (sy / layout.cell == y / layout.cell))
                            spread = std::max<int>(spread, coverage[static_cast<size_t>(sy) * layout.sheetWidth + sx]);
                    }
                alpha = spread;
                lum = spread > 0 ? std::min(255, cov * 255 / spread) : 0;
            }
            uint8_t* p = &level.rgba[(static_cast<size_t>(y) * layout.sheetWidth + x) * 4];
            p[0] = p[1] = p[2] = static_cast<uint8_t>(lum);
            p[3] = static_cast<uint8_t>(alpha);
        }
    }

    // Widths: offset of the rightmost column with any alpha, 0 for an empty cell.
    std::vector<uint8_t> widths;
    for (int cell = 0; cell < cells; ++cell)
    {
        const int cx = (cell % layout.columns) * layout.cell, cy = (cell / layout.columns) * layout.cell;
        int32_t width = 0;
        for (int x = layout.cell - 1; x > 0 && width == 0; --x)
            for (int y = 0; y < layout.cell; ++y)
                if (level.rgba[(static_cast<size_t>(cy + y) * layout.sheetWidth + cx + x) * 4 + 3] != 0)
                {
                    width = x;
                    break;
                }
        for (int b = 0; b < 4; ++b)
            widths.push_back(static_cast<uint8_t>(static_cast<uint32_t>(width) >> (8 * b)));
    }

    std::vector<uint8_t> dds;
    if (!PDdsCodec::Encode(sheet, PFormat::A8L8, dds))
        return false;
    const std::string sheetPath = dataDir + "/bitmaps/fonts/" + layout.name;
    const std::string widthPath = dataDir + "/fonts/" + layout.name + ".dat";
    if (!WriteBytes(sheetPath, dds) || !WriteBytes(widthPath, widths))
    {
        std::fprintf(stderr, "cannot write %s or %s\n", sheetPath.c_str(), widthPath.c_str());
        return false;
    }
    std::printf("%s: %dx%d sheet, %d widths\n", layout.name, layout.sheetWidth, layout.sheetHeight, cells);
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string fontDir = argc > 1 ? argv[1] : "/usr/share/fonts/truetype/open-sans";
    const std::string dataDir = argc > 2 ? argv[2] : "data";
    const SheetLayout fonts[] = {
        {"Open Sans Semibold_24.dds", "OpenSans-Semibold.ttf", 24, 30, 14, 10, 512, 512, false},
        {"Open Sans ExtraBold_36.dds", "OpenSans-ExtraBold.ttf", 36, 45, 14, 10, 512, 1024, false},
        {"Open Sans Semibold_20.dds", "OpenSans-Semibold.ttf", 20, 30, 14, 10, 512, 512, false},
        {"Open Sans Semibold_16.dds", "OpenSans-Semibold.ttf", 16, 25, 10, 10, 256, 256, false},
        {"Open Sans Semibold_20_onblack.dds", "OpenSans-Semibold.ttf", 20, 30, 14, 10, 512, 512, true},
    };
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return 1;
    int status = 0;
    for (const SheetLayout& layout : fonts)
        if (!MakeFont(library, layout, fontDir, dataDir))
            status = 1;
    FT_Done_FreeType(library);
    return status;
}
