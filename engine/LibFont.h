// One bitmap font: a texture holding the glyphs in a grid of square cells, the width of each glyph,
// and a few kerning pairs. The glyph order of every sheet is the game's Windows-1252 table.
#pragma once

#include "engine/CLoadedTexture.h"

#include <array>
#include <string>
#include <vector>

struct InkBox
{
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct KerningPair
{
    int nextCell = 0;
    int adjustment = 0; // native pixels
};

class LibFont
{
public:
    static constexpr int kCells = 256;
    static constexpr int kMaxGlyphWidth = 1024;

    LibFont();
    virtual ~LibFont() = default;

    // Reads the widths (or measures them when the width file is missing), applies the override
    // file and computes the cells' texture coordinates from the texture's size.
    void Load(int nativeSize, int cellSize, int rows, int columns, const std::string& widthPath,
              const std::string& textureName);
    const std::string& GetName() const { return m_textureName; }
    // Kerning adjustment in native pixels for cell after previous, 0 when none.
    int GetKerning(int previous, int cell) const;

    // The rows of a cell that the font's glyphs ink, from the first (the top of the tallest accent)
    // to one past the last (the foot of the deepest descender): a line of text needs them all.
    // Native pixels from the cell's top.
    int LineTop() const { return m_lineTop; }
    int LineBottom() const { return m_lineBottom; }
    // Where the glyph of a cell inks inside its cell (right and bottom one past the last texel);
    // empty for a cell that draws nothing.
    const InkBox& GetInk(int cell) const { return m_ink[cell < 0 || cell >= kCells ? 0 : cell]; }

    // The glyph map shared by all fonts: character drawn in each cell.
    static const std::array<uint8_t, kCells>& GlyphMap();
    // The first cell that draws a character (0 when the character is not in the map).
    static int CellOf(uint8_t character);

    float m_u[kCells][4] = {};
    float m_v[kCells][4] = {};
    int m_widths[kCells] = {};
    std::string m_textureName;
    int m_letterSpacing = 0;
    int m_lineGap = 0;
    int m_nativeSize = 0;
    int m_cellSize = 0;
    CLoadedTexture* m_texture = nullptr; // not owned
    std::vector<KerningPair> m_kerning[kCells];
    int m_rows = 0;
    int m_columns = 0;

private:
    void ApplyOverrideFile(const std::string& path);
    // Reads the ink boxes from the sheet's alpha; without a readable sheet every cell counts as
    // inked in full.
    void MeasureInk(PTexture* texture);

    InkBox m_ink[kCells];
    int m_lineTop = 0;
    int m_lineBottom = 0;
};

// Measures the widths of a font from its texture's alpha and writes the width file
// ./data/fonts/<texture>.dat; the listing goes to the debug log.
void GenerateFontWidthData(LibFont& font);
